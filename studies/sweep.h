// A sweep: many seeded runs on several threads, their text put out in the
// order of the runs.
#pragma once

#include <chrono>
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

// What the thread that outputs a sweep is asked besides the texts, each
// optional:
// - stopAsked is asked now and then; once it is true, no run starts, and
//   the output ends with the runs finished in order up to the first that
//   is not;
// - stopped is then told how many runs were output. The runs under way go
//   on meanwhile: a program that is to end now ends in it. If it returns,
//   the sweep waits for those runs and returns;
// - waiting is called when the output has waited a while for the next run
//   (kWaitBeforeTelling), and again after every such while it waits on;
// - while paused is true, no run starts; the runs under way finish. It is
//   asked again after every such while.
struct SweepControl {
    std::function<bool()> stopAsked;
    std::function<bool()> paused;
    std::function<void(std::uint64_t runsOutput)> stopped;
    std::function<void()> waiting;
};
inline constexpr std::chrono::milliseconds kWaitBeforeTelling{50};

// The same for runs numbered from 0 to count - 1 that each have rules of
// their own: run i runs under rulesOf(i), and `work` is given a SeededRun
// under those rules and the number i. A thread keeps its SeededRun from one
// run to the next while the rules stay the same, so runs with the same
// rules should be numbered together. `output` receives the texts in the
// order of the numbers. Returns how many runs were output: count, unless
// stopped.
using RulesOfRun = std::function<Rules(std::uint64_t run)>;
using RunWork = std::function<void(SeededRun& run, std::uint64_t index, std::string& text)>;
std::uint64_t sweepRuns(std::uint64_t count, unsigned jobs, const RulesOfRun& rulesOf, const RunWork& work,
                        const SeedOutput& output, const SweepControl& control = {});
