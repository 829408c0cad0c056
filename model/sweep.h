#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class SeededRun;
struct Rules;

// Seeds from first to last, both included.
struct SeedRange {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    [[nodiscard]] std::uint64_t size() const { return last - first + 1; }
};

// What one seed's run produces, appended to a text.
using SeedWork = std::function<void(SeededRun& run, std::uint64_t seed, std::string& text)>;
// Receives each seed's text, in ascending seed order, with how many seeds
// are done so far.
using SeedOutput = std::function<void(std::string_view text, std::uint64_t seedsDone)>;

// Runs every seed of the range on `jobs` threads, each with a board of its
// own under the rules, and hands the texts to `output` on the calling
// thread in seed order, whatever order the seeds finish in. At most twice
// `jobs` seeds are ahead of the output at any time, so memory does not grow
// with the range.
void sweepSeeds(SeedRange range, unsigned jobs, const Rules& rules, const SeedWork& work, const SeedOutput& output);

// The same for runs numbered from 0 to count - 1 that each have rules of
// their own: run i runs under rulesOf(i), and `work` is given a SeededRun
// under those rules and the number i. A thread keeps its SeededRun from one
// run to the next while the rules stay the same, so runs with the same
// rules should be numbered together. `output` receives the texts in the
// order of the numbers.
using RulesOfRun = std::function<Rules(std::uint64_t run)>;
using RunWork = std::function<void(SeededRun& run, std::uint64_t index, std::string& text)>;
void sweepRuns(std::uint64_t count, unsigned jobs, const RulesOfRun& rulesOf, const RunWork& work,
               const SeedOutput& output);
