// Reading --vary's values, and the rules, seed and row fields of each run
// of an experiment.
#include "studies/experiment.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/numbers.h"
#include "base/words.h"

namespace {

// Sets one value of a variation on the rules; the problem, if it is not a
// value of that rule.
std::optional<std::string> setValue(Rules& rules, std::string_view name, std::string_view value) {
    if (name == "size") {
        return setSize(rules, value, "--vary size");
    }
    return setRule(rules, std::string(name) + "=" + std::string(value), "--vary");
}

// FIRST:LAST:STEP as three whole numbers, FIRST no greater than LAST and
// STEP at least 1. A number too long for 64 bits is read as the largest
// one, which every rule refuses by name.
struct Range {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::uint64_t step = 0;
    std::string_view lastText;  // LAST as it was written
};
bool readCount(std::string_view text, std::uint64_t& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    if (!parseWholeNumber(text, 0, std::numeric_limits<std::uint64_t>::max(), value)) {
        value = std::numeric_limits<std::uint64_t>::max();
    }
    return true;
}
std::optional<Range> readRange(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::size_t second = colon == std::string_view::npos ? colon : text.find(':', colon + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    Range range;
    range.lastText = text.substr(colon + 1, second - colon - 1);
    if (!readCount(text.substr(0, colon), range.first) ||
        !readCount(range.lastText, range.last) ||
        !readCount(text.substr(second + 1), range.step) || range.step == 0 || range.first > range.last) {
        return std::nullopt;
    }
    return range;
}

// The side of the largest square board.
constexpr std::uint64_t kLargestSquareSide = [] {
    std::uint64_t side = 1;
    while ((side + 1) * (side + 1) <= static_cast<std::uint64_t>(Rules::kMostSquares)) {
        ++side;
    }
    return side;
}();

}  // namespace

std::optional<std::string> readVariation(std::string_view text, Variation& variation) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    if (name != "size" && std::find(kRuleNames.begin(), kRuleNames.end(), name) == kRuleNames.end()) {
        return words::fill(words::translate("Experiment", "--vary needs NAME=V1,V2,... with NAME one of hatch, "
                                                          "mating, meal, fill and size, not '%1'"),
                           {text});
    }
    const std::string_view values = equals == std::string_view::npos ? std::string_view{} : text.substr(equals + 1);
    Variation read{std::string(name), {}};
    Rules rules;
    auto add = [&](std::string_view value) -> std::optional<std::string> {
        if (std::optional<std::string> problem = setValue(rules, name, value)) {
            return problem;
        }
        read.values.push_back(name == "size" ? sizeText(rules) : ruleValue(rules, name));
        return std::nullopt;
    };

    // A fill's own value is written with colons, so a fill takes a list only.
    if (name != "fill" && values.find(':') != std::string_view::npos) {
        const std::optional<Range> range = readRange(values);
        if (!range) {
            return words::fill(words::translate("Experiment", "--vary %1=FIRST:LAST:STEP needs whole numbers with "
                                                              "FIRST no greater than LAST and STEP at least 1, not '%2'"),
                               {name, values});
        }
        // Said before the values are made: a range to a trillion would
        // otherwise make a thousand of them first, or name a value that
        // the user never wrote.
        const std::string last(range->lastText);
        if (name == "size" && range->last > kLargestSquareSide) {
            const std::string side = std::to_string(kLargestSquareSide);
            return words::fill(words::translate("Experiment", "--vary size=%1: %2 is too large; the largest square "
                                                              "board is %3x%3"),
                               {values, last, side});
        }
        if (name != "size" && range->last > static_cast<std::uint64_t>(Rules::kMostVisits)) {
            return words::fill(words::translate("Experiment", "--vary %1=%2: %3 is too large; the largest %1 is %4"),
                               {name, values, last, std::to_string(Rules::kMostVisits)});
        }
        for (std::uint64_t value = range->first;; value += range->step) {
            const std::string number = std::to_string(value);
            if (std::optional<std::string> problem = add(name == "size" ? number + "x" + number : number)) {
                return problem;
            }
            if (range->last - value < range->step) {
                break;
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

std::string rulesHeader() {
    std::string fields = "size,";
    for (const std::string_view name : kRuleNames) {
        fields.append(name).append(",");
    }
    return fields;
}

std::string rulesFields(const Rules& rules) {
    std::string fields = sizeText(rules) + ",";
    for (const std::string_view name : kRuleNames) {
        fields.append(ruleValue(rules, name)).append(",");
    }
    return fields;
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

RunSpan partOfRuns(std::uint64_t count, std::uint64_t part, std::uint64_t parts) {
    // The first count mod parts parts have one run more; this way no
    // product can overflow.
    const std::uint64_t share = count / parts;
    const std::uint64_t extra = count % parts;
    const auto start = [&](std::uint64_t p) { return share * p + std::min(p, extra); };
    return {start(part - 1), start(part)};
}
