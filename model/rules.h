#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The numbers the terrarium's rules fix, as one value that a model is
// given. The standard value is the terrarium as it has always been; every
// other part of the rules (sight, priorities, flight order, the random draws
// and their order) is not a number and does not change.
struct Rules {
    // A fill's shares of empty squares, brown lizards, green lizards and
    // cats, in whole percent; they sum to 100.
    std::array<int, 4> fill{60, 15, 15, 10};
    // Visits an egg takes to hatch, a mating and a meal last: each ends on
    // the visit of this number.
    int hatch = 5;
    int mating = 3;
    int meal = 3;
    // The board's size as the home view shows it, on a torus: squares
    // across and squares down.
    int width = 20;
    int height = 20;

    static constexpr int kLeastSide = 2;
    // A board has at most the squares of a square board this wide.
    static constexpr int kLargestSquareSide = 2000;
    static constexpr std::int64_t kMostSquares = std::int64_t{kLargestSquareSide} * kLargestSquareSide;
    static constexpr int kLeastVisits = 1;
    static constexpr int kMostVisits = 1000;

    bool operator==(const Rules&) const = default;
    [[nodiscard]] bool isStandard() const { return *this == Rules{}; }
    [[nodiscard]] constexpr std::size_t squareCount() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }

    // The kind a fill gives for a percentage draw 0..100: the shares are
    // thresholds on it, empty first. A draw of 100 goes to the last kind
    // with a share, so a share of 0 gives none.
    [[nodiscard]] int kindForPercent(int percent) const;
};

// The names `--rule` and board files use, in the order they are listed.
inline constexpr std::array<std::string_view, 4> kRuleNames{"hatch", "mating", "meal", "fill"};

// Reads "NAME=VALUE" into the rules; on a mistake, returns one line that
// says what is wrong and leaves the rules as they were. The line names the
// rule after the option it came with, as the user typed it.
[[nodiscard]] std::optional<std::string> setRule(Rules& rules, std::string_view assignment,
                                                 std::string_view option = "--rule");
// Reads "WxH", width by height; the same, naming the size `option`.
[[nodiscard]] std::optional<std::string> setSize(Rules& rules, std::string_view size,
                                                 std::string_view option = "--size");

// A rule's value as `--rule` writes it: "5", "60:15:15:10".
[[nodiscard]] std::string ruleValue(const Rules& rules, std::string_view name);
// "37x53".
[[nodiscard]] std::string sizeText(const Rules& rules);
// What differs from the standard rules, as the command line would give it:
// the size ("37x53") when it differs, and each rule that differs, in the
// order of kRuleNames, with its value ("hatch", "2"). Those who show it say
// it in their own form, from this one list.
struct RuleDifferences {
    std::optional<std::string> size;
    std::vector<std::pair<std::string_view, std::string>> rules;
};
[[nodiscard]] RuleDifferences differencesFromStandard(const Rules& rules);
// The same, short: "37x53 hatch=2 fill=0:0:0:100"; empty for the standard
// rules.
[[nodiscard]] std::string differences(const Rules& rules);
