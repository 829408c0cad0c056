// What the user steers in the window beyond play and stop, without a window:
// the pace and a fixed seed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/population_history.h"
#include "app/run_session.h"
#include "app/steering.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/packed_board.h"
#include "model/census.h"
#include "model/model.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

RunOptions withPace(int milliseconds) {
    RunOptions options;
    options.paceMilliseconds = milliseconds;
    return options;
}

TEST(Pace, FasterAndSlowerStepThroughTheLadderAndStopAtItsEnds) {
    Steering steering(withPace(900));
    steering.faster();
    EXPECT_EQ(steering.pace(), 400);
    steering.slower();
    steering.slower();
    EXPECT_EQ(steering.pace(), 1500);

    Steering between(withPace(250));  // a pace from the command line, off the ladder
    between.faster();
    EXPECT_EQ(between.pace(), 200);
    Steering between2(withPace(250));
    between2.slower();
    EXPECT_EQ(between2.pace(), 400);

    Steering fastest(withPace(0));
    fastest.faster();
    EXPECT_EQ(fastest.pace(), 0);
    Steering slowest(withPace(10000));
    slowest.slower();
    EXPECT_EQ(slowest.pace(), 10000);
}

// Far slower than the window allows: a pause that waited it out would hang
// the test rather than pass it.
constexpr int kAnHour = 3'600'000;

// Runs `pauses` on a thread of its own, so that a pause that never ends
// fails the test rather than hanging it; that thread is then left running,
// with what it uses.
std::future<void> started(std::function<void()> pauses) {
    std::packaged_task<void()> task(std::move(pauses));
    std::future<void> ended = task.get_future();
    std::thread(std::move(task)).detach();
    return ended;
}
constexpr auto kLongEnough = std::chrono::minutes(1);

TEST(Pace, AQuitEndsThePauseUnderWayAndEveryPauseAfterIt) {
    quitFlag = false;
    auto* steering = new Steering(withPace(kAnHour));
    std::future<void> underWay = started([steering] { steering->pause(Model::kShowPause); });
    quitFlag = true;
    steering->wake();
    ASSERT_EQ(underWay.wait_for(kLongEnough), std::future_status::ready);
    std::future<void> after = started([steering] {
        steering->pause(Model::kShowPause);
        steering->pause(Model::kStoppedPoll);
    });
    ASSERT_EQ(after.wait_for(kLongEnough), std::future_status::ready);
    quitFlag = false;
    delete steering;
}

int firstDrawAfterSeeding(std::uint32_t seed) {
    platform::srand(seed);
    return platform::rand();
}

TEST(FixedSeed, GenerationKAfterAFillIsSeededWithSeedPlusKAndWithoutOneTheClockSeedIsLeftAlone) {
    // Near the top, so that the sum wraps as the generator's seed does.
    RunSession session(4294967290u, Rules{});
    Steering steering{RunOptions{}};
    Model model;
    steering.steer(model, session);
    session.generationShown(1, board, Census{});
    session.generationShown(2, board, Census{});
    model.beforeGeneration();
    const int third = platform::rand();
    EXPECT_EQ(third, firstDrawAfterSeeding(4294967293u));

    RunSession clocked(std::nullopt, Rules{});
    steering.steer(model, clocked);
    platform::srand(77);
    model.beforeGeneration();
    const int drawn = platform::rand();
    EXPECT_EQ(drawn, firstDrawAfterSeeding(77));
}

}  // namespace
