// Many seeds on several threads: texts come out in seed order, the
// workers never run far ahead of the output, and a stop ends the output
// after the runs finished in order.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "model/rules.h"
#include "studies/sweep.h"

namespace {

// Far longer than any wait below takes on a loaded machine: reached only
// when a sweep hangs.
constexpr std::chrono::seconds kHangBound{60};

TEST(SeedSweep, HandsOutTheTextsInSeedOrderWhateverOrderTheyFinishIn) {
    constexpr SeedRange kRange{100, 111};
    std::mutex mutex;
    std::condition_variable anotherDone;
    std::string finished;
    std::string output;
    sweepSeeds(
        kRange, 3, Rules{},
        [&](SeededRun&, std::uint64_t seed, std::string& text) {
            text = std::to_string(seed) + "\n";
            std::unique_lock lock(mutex);
            // The first seed ends only after one that another worker runs
            // meanwhile; the wait's bound only stops a hang.
            if (seed == kRange.first) {
                anotherDone.wait_for(lock, kHangBound, [&] { return !finished.empty(); });
            }
            finished += text;
            anotherDone.notify_all();
        },
        [&](std::string_view text, std::uint64_t) { output += text; });
    std::string inOrder;
    for (std::uint64_t seed = kRange.first; seed <= kRange.last; ++seed) {
        inOrder += std::to_string(seed) + "\n";
    }
    EXPECT_EQ(output, inOrder);
    EXPECT_NE(finished, inOrder);  // the workers did finish out of order
}

TEST(SeedSweep, RunsAtMostTwiceTheJobsAheadOfAHeldUpOutput) {
    constexpr unsigned kJobs = 2;
    constexpr std::uint64_t kWindow = 1 + 2 * kJobs;
    std::mutex mutex;
    std::condition_variable startedOne;
    std::uint64_t started = 0;
    std::uint64_t startedWhileHeldUp = 0;
    sweepSeeds(
        SeedRange{0, 39}, kJobs, Rules{},
        [&](SeededRun&, std::uint64_t, std::string& text) {
            const std::lock_guard lock(mutex);
            ++started;
            text = "x";
            startedOne.notify_all();
        },
        [&](std::string_view, std::uint64_t seedsDone) {
            if (seedsDone == 1) {
                // Held up until the workers have filled the window, however
                // long a loaded machine takes, and a little longer, in which
                // a sweep that ran on would start more.
                std::unique_lock lock(mutex);
                startedOne.wait_for(lock, kHangBound, [&] { return started >= kWindow; });
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                lock.lock();
                startedWhileHeldUp = started;
            }
        });
    EXPECT_EQ(started, 40u);
    // The seed being output, and a window of twice the jobs behind it.
    EXPECT_EQ(startedWhileHeldUp, kWindow);
}

TEST(SeedSweep, AStopEndsTheOutputAtTheFirstUnfinishedRunAndStartsNoMore) {
    constexpr unsigned kJobs = 2;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    bool stopTold = false;
    std::uint64_t started = 0;
    std::uint64_t startedAtStop = 0;
    std::string output;
    std::uint64_t toldOutput = 0;
    SweepControl control;
    control.stopAsked = [&] { return stop.load(); };
    control.stopped = [&](std::uint64_t runsOutput) {
        const std::lock_guard lock(mutex);
        toldOutput = runsOutput;
        stopTold = true;
        changed.notify_all();
    };
    const std::uint64_t outputCount = sweepRuns(
        40, kJobs, [](std::uint64_t) { return Rules{}; },
        [&](SeededRun&, std::uint64_t index, std::string& text) {
            text = std::to_string(index) + " ";
            std::unique_lock lock(mutex);
            ++started;
            // Run 2 asks for the stop once runs 0 and 1 are out, and is
            // still under way when the output is told it has stopped; the
            // waits' bound only stops a hang.
            if (index == 2) {
                changed.wait_for(lock, kHangBound, [&] { return output.size() == 4; });
                startedAtStop = started;
                stop = true;
                changed.wait_for(lock, kHangBound, [&] { return stopTold; });
            }
        },
        [&](std::string_view text, std::uint64_t) {
            const std::lock_guard lock(mutex);
            output += text;
            changed.notify_all();
        },
        control);
    EXPECT_EQ(output, "0 1 ");
    EXPECT_EQ(toldOutput, 2u);
    EXPECT_EQ(outputCount, 2u);
    // No run starts after the stop, but for one that the other worker was
    // taking as it was asked for.
    EXPECT_LE(started, startedAtStop + kJobs - 1);
}

TEST(SeedSweep, TheOutputIsToldWhenItWaitsForARun) {
    std::mutex mutex;
    std::condition_variable toldWaiting;
    int waits = 0;
    std::string output;
    SweepControl control;
    control.waiting = [&] {
        const std::lock_guard lock(mutex);
        ++waits;
        toldWaiting.notify_all();
    };
    sweepRuns(
        3, 1, [](std::uint64_t) { return Rules{}; },
        [&](SeededRun&, std::uint64_t index, std::string& text) {
            text = std::to_string(index) + " ";
            // Run 1 ends only once the output, with run 0 written, has
            // said that it waits.
            if (index == 1) {
                std::unique_lock lock(mutex);
                toldWaiting.wait_for(lock, kHangBound, [&] { return waits > 0; });
            }
        },
        [&](std::string_view text, std::uint64_t) {
            const std::lock_guard lock(mutex);
            output += text;
        },
        control);
    EXPECT_EQ(output, "0 1 2 ");
    EXPECT_GE(waits, 1);
}

}  // namespace
