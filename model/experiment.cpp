#include "model/experiment.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "app/options.h"

namespace {

// Sets one value of a variation on the rules; the problem, if it is not a
// value of that rule.
std::optional<std::string> setValue(Rules& rules, std::string_view name, std::string_view value) {
    if (name == "size") {
        return setSize(rules, value);
    }
    return setRule(rules, std::string(name) + "=" + std::string(value));
}

// FIRST:LAST:STEP as three whole numbers, FIRST no greater than LAST and
// STEP at least 1. The values themselves are checked one by one as they are
// made, so the bound here only keeps the arithmetic small.
struct Range {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::uint64_t step = 0;
};
std::optional<Range> readRange(std::string_view text) {
    constexpr std::uint64_t kBound = 1'000'000'000;
    const std::size_t colon = text.find(':');
    const std::size_t second = colon == std::string_view::npos ? colon : text.find(':', colon + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    Range range;
    if (!parseWholeNumber(text.substr(0, colon), 0, kBound, range.first) ||
        !parseWholeNumber(text.substr(colon + 1, second - colon - 1), 0, kBound, range.last) ||
        !parseWholeNumber(text.substr(second + 1), 1, kBound, range.step) || range.first > range.last) {
        return std::nullopt;
    }
    return range;
}

}  // namespace

std::optional<std::string> readVariation(std::string_view text, Variation& variation) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    if (name != "size" && std::find(kRuleNames.begin(), kRuleNames.end(), name) == kRuleNames.end()) {
        return "--vary needs NAME=V1,V2,... with NAME one of hatch, mating, meal, fill and size, not '" +
               std::string(text) + "'";
    }
    const std::string_view values = equals == std::string_view::npos ? std::string_view{} : text.substr(equals + 1);
    Variation read{std::string(name), {}};
    Rules rules;
    auto add = [&](std::string_view value) -> std::optional<std::string> {
        if (const std::optional<std::string> problem = setValue(rules, name, value)) {
            return "--vary " + std::string(name) + ": " + *problem;
        }
        read.values.push_back(name == "size" ? sizeText(rules) : ruleValue(rules, name));
        return std::nullopt;
    };

    // A fill's own value is written with colons, so a fill takes a list only.
    if (name != "fill" && values.find(':') != std::string_view::npos) {
        const std::optional<Range> range = readRange(values);
        if (!range) {
            return "--vary " + std::string(name) +
                   "=FIRST:LAST:STEP needs whole numbers with FIRST no greater than LAST and STEP at least 1, not '" +
                   std::string(values) + "'";
        }
        for (std::uint64_t value = range->first; value <= range->last; value += range->step) {
            const std::string number = std::to_string(value);
            if (std::optional<std::string> problem = add(name == "size" ? number + "x" + number : number)) {
                return problem;
            }
        }
    } else {
        for (std::string_view rest = values;;) {
            const std::size_t comma = rest.find(',');
            if (std::optional<std::string> problem = add(rest.substr(0, comma))) {
                return problem;
            }
            if (comma == std::string_view::npos) {
                break;
            }
            rest = rest.substr(comma + 1);
        }
    }
    variation = std::move(read);
    return std::nullopt;
}

Experiment::Experiment(const Rules& base, std::vector<Variation> variations, SeedRange seeds)
    : base_(base), variations_(std::move(variations)), seeds_(seeds) {}

std::optional<std::uint64_t> Experiment::runCount() const {
    std::uint64_t count = seeds_.size();
    for (const Variation& variation : variations_) {
        const std::uint64_t values = variation.values.size();
        if (count > std::numeric_limits<std::uint64_t>::max() / values) {
            return std::nullopt;
        }
        count *= values;
    }
    return count;
}

std::vector<std::size_t> Experiment::choicesOf(std::uint64_t run) const {
    std::uint64_t combination = run / seeds_.size();
    std::vector<std::size_t> choices(variations_.size());
    for (std::size_t v = variations_.size(); v-- > 0;) {
        const std::uint64_t values = variations_[v].values.size();
        choices[v] = static_cast<std::size_t>(combination % values);
        combination /= values;
    }
    return choices;
}

Rules Experiment::rulesOf(std::uint64_t run) const {
    Rules rules = base_;
    const std::vector<std::size_t> choices = choicesOf(run);
    for (std::size_t v = 0; v < variations_.size(); ++v) {
        // Checked when the variation was read.
        [[maybe_unused]] const auto problem = setValue(rules, variations_[v].name, variations_[v].values[choices[v]]);
    }
    return rules;
}

std::string Experiment::valuesOf(std::uint64_t run) const {
    std::string fields;
    const std::vector<std::size_t> choices = choicesOf(run);
    for (std::size_t v = 0; v < variations_.size(); ++v) {
        fields += variations_[v].values[choices[v]] + ",";
    }
    return fields;
}

std::string Experiment::names() const {
    std::string fields;
    for (const Variation& variation : variations_) {
        fields += variation.name + ",";
    }
    return fields;
}

RunSpan partOfRuns(std::uint64_t count, std::uint64_t part, std::uint64_t parts) {
    // The first count mod parts parts have one run more; this way no
    // product can overflow.
    const std::uint64_t share = count / parts;
    const std::uint64_t extra = count % parts;
    const auto start = [&](std::uint64_t p) { return share * p + std::min(p, extra); };
    return {start(part - 1), start(part)};
}
