#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include <deque>

#include "app/run_options.h"
#include "model/census.h"
#include "model/history.h"

class Model;

// What the user steers beyond play and stop: the pace, a fixed seed, one
// generation at a time; and the generation count since the latest fill or
// clear, which the seed, the status line and the counts file all follow.
//
// The model thread calls pause and beforeGeneration (through the Model's
// seams); everything else runs on the view thread. With the default options
// it changes nothing: the pauses last exactly as long, and seeds come from
// the clock.
class Steering {
public:
    // The paces that faster and slower step through, in milliseconds.
    static constexpr std::array<int, 11> kPaces{0, 25, 50, 100, 200, 400, 900, 1500, 3000, 6000, 10000};
    // At pace 0 a generation waits for the window to draw it, but not
    // longer than this, so that a hidden window does not stop the run.
    static constexpr std::chrono::milliseconds kLongestFrameWait{100};

    explicit Steering(const RunOptions& options);
    ~Steering();
    Steering(const Steering&) = delete;
    Steering& operator=(const Steering&) = delete;

    // Puts the model's seams in our hands.
    void steer(Model& model);

    // Model thread: the show pause follows the pace, the stopped poll ends
    // early when a step is asked for; neither waits once quitFlag is set.
    void pause(std::chrono::milliseconds requested);
    // Model thread: a generation the history holds starts from the state it
    // started from the first time; beyond it, with a fixed seed, generation
    // k is seeded with seed + k.
    void beforeGeneration() const;

    // View thread.
    void fill() const;
    // The board, a fresh one, is generation 0; the history starts over.
    // Returns whether recorded generations after the one shown went.
    bool boardRestarted(const Census& census);
    // The board the model computed is shown: recorded, or, when it replays
    // the history, the counts follow it again.
    void generationShown(const Census& census);
    // The board shown is now generation `generation`, rebuilt from the
    // history: the counts file ends with it, as a run that stopped there.
    void wentTo(std::int64_t generation);
    // The board shown was changed by hand: the run's future is what comes
    // from it. Returns whether recorded generations after it went.
    bool edited();
    [[nodiscard]] const RunHistory& history() const { return history_; }
    void frameDrawn();
    // Returns whether the run has to stop now, after a single step.
    [[nodiscard]] bool stepDone();
    // One generation, then stop; cancelled by play.
    void step();
    void cancelStep();
    // Ends the model's pause or stopped poll early. Called after quitFlag
    // is set, it ends the pause under way too.
    void wake();
    void faster();
    void slower();

    [[nodiscard]] std::int64_t generation() const { return generation_.load(); }
    [[nodiscard]] int pace() const { return pace_.load(); }
    [[nodiscard]] const std::optional<std::uint32_t>& seed() const { return seed_; }
    // The rules the next fill or clear brings, which a fill's shares
    // follow; the command line's until they are changed.
    [[nodiscard]] const Rules& rules() const { return rules_; }
    void setRules(const Rules& rules) { rules_ = rules; }

    // Opens the counts file, or returns the reason it cannot be written.
    std::optional<std::string> openCounts(const std::filesystem::path& fileName);
    // Why the counts file stopped being written, once it has; it is told
    // once on stderr and stays on the status line.
    [[nodiscard]] const std::string& countsProblem() const { return countsProblem_; }

private:
    void setPace(int milliseconds);
    void writeCounts(std::int64_t generation, const Census& census);

    Model* model_ = nullptr;
    RunHistory history_;
    // Where each counts row ends in the file, from generation firstRow_ on,
    // for a jump back to cut the file there.
    std::deque<long> rowEnds_;
    std::int64_t firstRow_ = 0;

    const std::optional<std::uint32_t> seed_;
    std::atomic<int> pace_;
    Rules rules_;
    std::atomic<std::int64_t> generation_{0};
    bool stepping_ = false;
    std::FILE* counts_ = nullptr;
    std::string countsName_;
    std::string countsProblem_;
    void countsFailed(int error);

    // Wakes the model from a pause when the pace changes, a step is asked
    // for or a frame has been drawn.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t wakes_ = 0;
    std::uint64_t frames_ = 0;
    std::uint64_t awaitedFrame_ = 0;
};
