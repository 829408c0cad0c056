// An experiment: the runs of every combination of some rules' values for
// every seed of a range, numbered so that a part of them can run alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/rules.h"
#include "studies/sweep.h"

// One rule an experiment varies, and the values it takes in the order they
// were given, written as --rule and --size write them ("5", "60:15:15:10",
// "40x40").
struct Variation {
    std::string name;  // one of kRuleNames, or "size"
    std::vector<std::string> values;
};

// Reads "NAME=V1,V2,..." or, for hatch, mating, meal and size,
// "NAME=FIRST:LAST:STEP": FIRST, FIRST + STEP, ... up to LAST, where a size
// N is the square board NxN. Every value is checked as --rule or --size
// checks it. On a mistake, returns one line that says what is wrong.
[[nodiscard]] std::optional<std::string> readVariation(std::string_view text, Variation& variation);

// The size and every rule, in columns of their own that lead every row of
// vivar-sim's tables, so that a table names the settings of each run
// whatever was varied: "size,hatch,mating,meal,fill," and, for example,
// "40x40,3,3,3,60:15:15:10,". Each field is followed by a comma.
[[nodiscard]] std::string rulesHeader();
[[nodiscard]] std::string rulesFields(const Rules& rules);

// Every combination of the variations' values, each run for every seed of
// the range, on top of base rules. The runs are numbered combination by
// combination, seeds ascending within each; the first variation's value
// changes slowest and the last one's fastest, as nested loops in the order
// the variations were given.
class Experiment {
public:
    Experiment(const Rules& base, std::vector<Variation> variations, SeedRange seeds);

    // The number of runs, or nullopt when it does not fit in 64 bits.
    [[nodiscard]] std::optional<std::uint64_t> runCount() const;
    [[nodiscard]] const std::vector<Variation>& variations() const { return variations_; }

    [[nodiscard]] std::uint64_t seedOf(std::uint64_t run) const { return seeds_.first + run % seeds_.size(); }
    [[nodiscard]] Rules rulesOf(std::uint64_t run) const;
    // The run's size and every rule, varied or not, as the leading fields
    // of its rows (see rulesFields).
    [[nodiscard]] std::string valuesOf(std::uint64_t run) const { return rulesFields(rulesOf(run)); }

private:
    // The value index of each variation for the run's combination.
    [[nodiscard]] std::vector<std::size_t> choicesOf(std::uint64_t run) const;

    Rules base_;
    std::vector<Variation> variations_;
    SeedRange seeds_;
};

// Part `part` (1 to `parts`) of `count` runs numbered from 0: the runs from
// first up to but not including end. The parts follow each other in order,
// and their sizes differ by at most one run.
struct RunSpan {
    std::uint64_t first = 0;
    std::uint64_t end = 0;
};
[[nodiscard]] RunSpan partOfRuns(std::uint64_t count, std::uint64_t part, std::uint64_t parts);
