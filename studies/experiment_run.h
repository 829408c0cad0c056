// An experiment run in the background of the window, its rows written to a
// table as they finish, and the vivar-sim command that writes the same.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/rules.h"
#include "studies/experiment.h"
#include "studies/experiment_tally.h"
#include "studies/sweep.h"

// What an experiment asks: rules and a size that do not vary, one or two
// that do, the seeds of every combination and the generations of each run.
struct ExperimentSetup {
    Rules rules;
    std::vector<Variation> variations;
    SeedRange seeds{1, 20};
    std::int64_t generations = 100;
    unsigned jobs = 1;
};

// The most runs the window takes on in one experiment; vivar-sim has no such
// bound.
inline constexpr std::uint64_t kMostRunsInWindow = 1'000'000;

// The vivar-sim command line that writes the same table into `table` and
// goes on with it after a stop, as the window does, quoted for the system's
// shell (cmd.exe on Windows, a POSIX shell elsewhere).
[[nodiscard]] std::string simCommandLine(const ExperimentSetup& setup, const std::filesystem::path& table);

// The runs of an experiment on threads of their own, their rows written to
// the table in the order vivar-sim writes them, byte for byte, and flushed
// at least once a second.
class ExperimentRun {
public:
    enum class State { kRunning, kPaused, kStopped, kFinished, kFailed };
    struct Progress {
        std::uint64_t done = 0;   // runs in the table, those of a table gone on with included
        std::uint64_t total = 0;
        std::chrono::steady_clock::duration spent{};  // while running, not paused
        std::optional<std::chrono::steady_clock::duration> left;  // once a run has finished here
        State state = State::kRunning;
        std::string problem;  // for kFailed: what went wrong, one line
    };

    // Begins the table, or goes on with it when it holds the whole runs of
    // this experiment so far, as `vivar-sim --resume` does. On a problem
    // (a file that is not this experiment's table, one that cannot be
    // written), returns nullptr and the line that says it.
    [[nodiscard]] static std::unique_ptr<ExperimentRun> start(const ExperimentSetup& setup,
                                                              const std::filesystem::path& table,
                                                              std::string& problem);
    // Stops at a row boundary and waits for the threads.
    ~ExperimentRun();
    ExperimentRun(const ExperimentRun&) = delete;
    ExperimentRun& operator=(const ExperimentRun&) = delete;

    // No run starts while paused; those under way finish.
    void pause();
    void carryOn();
    // Ends the table at a row boundary: whole, and to be gone on with.
    void stop();
    // For a window that closes: ends the table at a row boundary now,
    // flushed, without waiting for the runs under way, which end with the
    // process. Returns the line to say on stderr, or nothing when the
    // experiment had ended already.
    [[nodiscard]] std::optional<std::string> endForClose();

    [[nodiscard]] Progress progress() const;
    // What the table says so far, a table gone on with included.
    [[nodiscard]] ExperimentTally tally() const;
    [[nodiscard]] const ExperimentSetup& setup() const;
    [[nodiscard]] const std::filesystem::path& table() const;

    struct Shared;

private:
    explicit ExperimentRun(std::shared_ptr<Shared> shared);
    std::shared_ptr<Shared> shared_;
};
