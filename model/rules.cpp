#include "model/rules.h"

#include <numeric>

#include "base/numbers.h"
#include "base/words.h"

namespace {

// The visits rule of that name, or null; const or not as the rules are.
template <typename AnyRules>
auto visitsNamed(AnyRules& rules, std::string_view name) -> decltype(&rules.hatch) {
    if (name == "hatch") {
        return &rules.hatch;
    }
    if (name == "mating") {
        return &rules.mating;
    }
    if (name == "meal") {
        return &rules.meal;
    }
    return nullptr;
}

// "E:B:G:C", four whole percentages that sum to 100.
std::optional<std::array<int, 4>> readShares(std::string_view text) {
    std::array<int, 4> shares{};
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const std::size_t colon = text.find(':');
        const bool last = i + 1 == shares.size();
        if ((colon == std::string_view::npos) != last) {
            return std::nullopt;
        }
        std::uint64_t share = 0;
        if (!parseWholeNumber(text.substr(0, colon), 0, 100, share)) {
            return std::nullopt;
        }
        shares[i] = static_cast<int>(share);
        text = last ? std::string_view{} : text.substr(colon + 1);
    }
    if (std::accumulate(shares.begin(), shares.end(), 0) != 100) {
        return std::nullopt;
    }
    return shares;
}

}  // namespace

int Rules::kindForPercent(int percent) const {
    int threshold = 0;
    for (std::size_t kind = 0; kind < fill.size(); ++kind) {
        threshold += fill[kind];
        if (percent < threshold) {
            return static_cast<int>(kind);
        }
    }
    for (std::size_t kind = fill.size(); kind-- > 0;) {
        if (fill[kind] > 0) {
            return static_cast<int>(kind);
        }
    }
    return 0;
}

std::optional<std::string> setRule(Rules& rules, std::string_view assignment, std::string_view option) {
    const std::size_t equals = assignment.find('=');
    const std::string_view name = assignment.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view{} : assignment.substr(equals + 1);
    if (name == "fill") {
        const auto shares = readShares(value);
        if (equals == std::string_view::npos || !shares) {
            return words::fill(words::translate("Rules", "%1 fill needs four whole percentages E:B:G:C (empty, "
                                                         "brown, green, cats) that sum to 100, not '%2'"),
                               {option, value});
        }
        rules.fill = *shares;
        return std::nullopt;
    }
    int* visits = visitsNamed(rules, name);
    if (visits == nullptr) {
        return words::fill(
            words::translate("Rules", "unknown rule '%1': the rules are hatch, mating, meal and fill"), {name});
    }
    std::uint64_t number = 0;
    if (equals == std::string_view::npos ||
        !parseWholeNumber(value, Rules::kLeastVisits, Rules::kMostVisits, number)) {
        return words::fill(words::translate("Rules", "%1 %2 needs a whole number of visits from %3 to %4, not '%5'"),
                           {option, name, std::to_string(Rules::kLeastVisits), std::to_string(Rules::kMostVisits),
                            value});
    }
    *visits = static_cast<int>(number);
    return std::nullopt;
}

std::optional<std::string> setSize(Rules& rules, std::string_view size, std::string_view option) {
    const std::size_t by = size.find('x');
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    constexpr auto kLongestSide = static_cast<std::uint64_t>(Rules::kMostSquares / Rules::kLeastSide);
    if (by == std::string_view::npos || !parseWholeNumber(size.substr(0, by), Rules::kLeastSide, kLongestSide, width) ||
        !parseWholeNumber(size.substr(by + 1), Rules::kLeastSide, kLongestSide, height) ||
        width * height > static_cast<std::uint64_t>(Rules::kMostSquares)) {
        return words::fill(words::translate("Rules", "%1 needs WxH: a width and a height of at least %2 squares, "
                                                     "with at most %3 squares in all (2000x2000), not '%4'"),
                           {option, std::to_string(Rules::kLeastSide), std::to_string(Rules::kMostSquares), size});
    }
    rules.width = static_cast<int>(width);
    rules.height = static_cast<int>(height);
    return std::nullopt;
}

std::string ruleValue(const Rules& rules, std::string_view name) {
    if (name == "fill") {
        return std::to_string(rules.fill[0]) + ":" + std::to_string(rules.fill[1]) + ":" +
               std::to_string(rules.fill[2]) + ":" + std::to_string(rules.fill[3]);
    }
    const int* visits = visitsNamed(rules, name);
    return visits != nullptr ? std::to_string(*visits) : std::string{};
}

std::string sizeText(const Rules& rules) { return std::to_string(rules.width) + "x" + std::to_string(rules.height); }

RuleDifferences differencesFromStandard(const Rules& rules) {
    const Rules standard;
    RuleDifferences differences;
    if (rules.width != standard.width || rules.height != standard.height) {
        differences.size = sizeText(rules);
    }
    for (const std::string_view name : kRuleNames) {
        if (ruleValue(rules, name) != ruleValue(standard, name)) {
            differences.rules.emplace_back(name, ruleValue(rules, name));
        }
    }
    return differences;
}

std::string differences(const Rules& rules) {
    const RuleDifferences differing = differencesFromStandard(rules);
    std::string text = differing.size.value_or("");
    for (const auto& [name, value] : differing.rules) {
        if (!text.empty()) {
            text += ' ';
        }
        text.append(name).append("=").append(value);
    }
    return text;
}
