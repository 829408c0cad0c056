// Many seeds on several threads: texts come out in seed order, and the
// workers never run far ahead of the output.

#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "model/sweep.h"

namespace {

TEST(SeedSweep, HandsOutTheTextsInSeedOrderWhateverOrderTheyFinishIn) {
    constexpr SeedRange kRange{100, 111};
    std::mutex mutex;
    std::string finished;
    std::string output;
    sweepSeeds(
        kRange, 3,
        [&](SeededRun&, std::uint64_t seed, std::string& text) {
            // Each seed takes less time than the one before it.
            std::this_thread::sleep_for(std::chrono::milliseconds(2 * (kRange.last - seed)));
            text = std::to_string(seed) + "\n";
            const std::lock_guard lock(mutex);
            finished += text;
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
    std::mutex mutex;
    std::uint64_t started = 0;
    std::uint64_t startedWhileHeldUp = 0;
    sweepSeeds(
        SeedRange{0, 39}, kJobs,
        [&](SeededRun&, std::uint64_t, std::string& text) {
            const std::lock_guard lock(mutex);
            ++started;
            text = "x";
        },
        [&](std::string_view, std::uint64_t seedsDone) {
            if (seedsDone == 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                const std::lock_guard lock(mutex);
                startedWhileHeldUp = started;
            }
        });
    EXPECT_EQ(started, 40u);
    // The seed being output, and a window of twice the jobs behind it.
    EXPECT_EQ(startedWhileHeldUp, 1 + 2 * kJobs);
}

}  // namespace
