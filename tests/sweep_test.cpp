// Many seeds on several threads: texts come out in seed order, and the
// workers never run far ahead of the output.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "model/rules.h"
#include "model/sweep.h"

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

}  // namespace
