#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

#include "app/run_options.h"
#include "model/rules.h"

class Model;
class RunSession;

// What the user steers beyond play and stop: the pace and one generation at
// a time; and the seeds the model takes, which the run session fixes.
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
    Steering(const Steering&) = delete;
    Steering& operator=(const Steering&) = delete;

    // Puts the model's seams in our hands; the session says what seeds each
    // generation.
    void steer(Model& model, const RunSession& session);

    // Model thread: the show pause follows the pace, the stopped poll ends
    // early when a step is asked for; neither waits once quitFlag is set.
    void pause(std::chrono::milliseconds requested);
    // Model thread: the next generation starts from the state the session
    // fixes for it, if any; the clock's otherwise.
    void beforeGeneration() const;

    // View thread.
    // Fills the window's board, from the window's seed when it has one;
    // within the caller's BoardAccess (base/thread_flags.h).
    void fill(const Rules& rules) const;
    // A generation is shown: at pace 0 the model goes on once it is drawn.
    void generationShown();
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

    [[nodiscard]] int pace() const { return pace_.load(); }
    [[nodiscard]] const std::optional<std::uint32_t>& seed() const { return seed_; }

private:
    void setPace(int milliseconds);

    const RunSession* session_ = nullptr;
    const std::optional<std::uint32_t> seed_;
    std::atomic<int> pace_;
    bool stepping_ = false;

    // Wakes the model from a pause when the pace changes, a step is asked
    // for or a frame has been drawn.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t wakes_ = 0;
    std::uint64_t frames_ = 0;
    std::uint64_t awaitedFrame_ = 0;
};
