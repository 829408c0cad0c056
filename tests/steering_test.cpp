// What the user steers in the window beyond play and stop, without a window:
// the pace, a fixed seed, the counts file, and the chart's history.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "app/steering.h"
#include "model/board.h"
#include "model/census.h"
#include "model/model.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/random.h"
#include "view/population_history.h"

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

TEST(Pace, AQuitEndsThePauseUnderWayAndEveryPauseAfterIt) {
    quitFlag = false;
    Steering steering(withPace(kAnHour));
    std::thread model([&steering] { steering.pause(Model::kShowPause); });
    quitFlag = true;
    steering.wake();
    model.join();
    steering.pause(Model::kShowPause);
    steering.pause(Model::kStoppedPoll);
    quitFlag = false;
}

int firstDrawAfterSeeding(std::uint32_t seed) {
    platform::srand(seed);
    return platform::rand();
}

TEST(FixedSeed, GenerationKAfterAFillIsSeededWithSeedPlusK) {
    RunOptions options;
    options.seed = 4294967290u;  // near the top, so the sum wraps as the generator's seed does
    Steering steering(options);
    steering.boardRestarted(Census{});
    steering.generationShown(Census{});
    steering.generationShown(Census{});
    steering.beforeGeneration();
    const int third = platform::rand();
    EXPECT_EQ(third, firstDrawAfterSeeding(4294967293u));

    // A clear or fill starts counting again.
    steering.boardRestarted(Census{});
    steering.beforeGeneration();
    const int first = platform::rand();
    EXPECT_EQ(first, firstDrawAfterSeeding(4294967291u));
}

TEST(FixedSeed, WithoutOneTheClockSeedIsLeftAlone) {
    Steering steering{RunOptions{}};
    platform::srand(77);
    steering.beforeGeneration();
    const int drawn = platform::rand();
    EXPECT_EQ(drawn, firstDrawAfterSeeding(77));
}

std::string contentsOf(const std::string& fileName) {
    std::ifstream in(fileName);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CountsFile, HasARowPerShownGenerationAndStartsAfreshAtEachFillOrClear) {
    const std::string fileName = testing::TempDir() + "vivar-counts-test.csv";
    Census census;
    census.empty = 390;
    census.lizards[1] = 6;
    census.cats = 4;
    {
        Steering steering{RunOptions{}};
        ASSERT_FALSE(steering.openCounts(fileName).has_value());
        steering.boardRestarted(Census{});
        steering.generationShown(census);
        steering.generationShown(census);
        EXPECT_EQ(contentsOf(fileName),
                  "generation,empty,lizard1,lizard2,egg1,egg2,cat\n0,0,0,0,0,0,0\n1,390,0,6,0,0,4\n2,390,0,6,0,0,4\n");
        steering.boardRestarted(census);
        EXPECT_EQ(contentsOf(fileName), "generation,empty,lizard1,lizard2,egg1,egg2,cat\n0,390,0,6,0,0,4\n");
    }
    std::remove(fileName.c_str());
}

TEST(CountsFile, AFolderThatDoesNotExistIsReported) {
    Steering steering{RunOptions{}};
    EXPECT_TRUE(steering.openCounts("/nonexistent/folder/counts.csv").has_value());
}

TEST(PopulationHistory, StaysBoundedOverALongRunKeepingTheFirstAndLatestPointsInOrder) {
    PopulationHistory history;
    Census census;
    for (int generation = 0; generation <= 100000; ++generation) {
        census.cats = generation % 7;
        history.add(generation, census);
        ASSERT_LE(history.points().size(), PopulationHistory::kCapacity);
    }
    const auto& points = history.points();
    EXPECT_GE(points.size(), PopulationHistory::kCapacity / 2);
    EXPECT_EQ(points.front().generation, 0);
    EXPECT_EQ(points.back().generation, 100000);
    EXPECT_EQ(points.back().counts[PopulationHistory::kCats], 100000 % 7);
    for (std::size_t i = 1; i < points.size(); ++i) {
        ASSERT_LT(points[i - 1].generation, points[i].generation);
    }
}

TEST(PopulationHistory, ReportsWhenItThinsSoTheChartIsRedrawn) {
    PopulationHistory history;
    for (std::size_t generation = 0; generation < PopulationHistory::kCapacity; ++generation) {
        ASSERT_FALSE(history.add(static_cast<std::int64_t>(generation), Census{}));
    }
    EXPECT_TRUE(history.add(static_cast<std::int64_t>(PopulationHistory::kCapacity), Census{}));
    EXPECT_EQ(history.points().size(), PopulationHistory::kCapacity / 2 + 1);
}

// The window's notice agrees with vivar-sim's summary on a run where both
// species die out early.
TEST(PopulationHistory, TellsWhenEachSpeciesDiedOutAsTheSummaryDoes) {
    constexpr std::uint64_t kSeed = 16;
    constexpr std::int64_t kGenerations = 60;
    std::string summary;
    SeededRun run;
    appendSummaryOfRun(summary, run, kSeed, kGenerations);
    EXPECT_EQ(summary, "16,60,351,0,0,0,0,49,34,31\n");

    PopulationHistory history;
    run.start(kSeed);
    for (std::int64_t generation = 0; generation <= kGenerations; ++generation) {
        if (generation > 0) {
            run.step();
        }
        history.add(generation, run.census());
        if (generation == 30) {
            EXPECT_FALSE(history.diedOutAt(0) || history.diedOutAt(1));
        }
    }
    EXPECT_EQ(history.diedOutAt(0), 34);
    EXPECT_EQ(history.diedOutAt(1), 31);

    // A cleared board had no lizards to lose.
    history.clear();
    for (std::int64_t generation = 0; generation < 5; ++generation) {
        history.add(generation, Census{});
    }
    EXPECT_FALSE(history.diedOutAt(0) || history.diedOutAt(1));
}

}  // namespace

namespace {

// The window's run with seeds from a clock, through the steering as the model
// thread and the view drive it: the model seeds from the clock, the steering
// may put a recorded state in its place, the view records what it shows.
struct SteeredRun {
    Steering steering{RunOptions{}};
    Model model;
    std::uint32_t clock = 1765000000;

    SteeredRun() {
        model.setUpLattice();
        steering.steer(model);
        clearBoard();
        fillBoard(board, 7);
        steering.boardRestarted(takeCensus(board));
    }
    void step() {
        clock += 3;
        platform::srand(clock);
        steering.beforeGeneration();
        model.computeGeneration();
        steering.generationShown(takeCensus(board));
    }
    void goTo(std::int64_t generation) {
        const Board rebuilt = steering.history().rebuild(generation).board;
        std::copy(rebuilt.begin(), rebuilt.end(), board.begin());
        steering.wentTo(generation);
    }
};

TEST(GoingBack, AnEditAtGeneration50Of200EndsTheRecordedFutureAndAStepRunsANewGeneration51) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 200; ++k) {
        run.step();
    }
    run.goTo(50);
    board[0].kind = board[0].kind == kCat ? kEmpty : kCat;
    const Board edited = board;
    EXPECT_TRUE(run.steering.edited());
    EXPECT_EQ(run.steering.history().latest(), 50);

    // Generation 51 now comes from the edited board and the clock.
    Board expected = edited;
    Model model;
    model.setUpLattice(expected);
    platform::srand(run.clock + 3);
    model.computeGeneration();
    run.step();
    EXPECT_EQ(run.steering.generation(), 51);
    EXPECT_TRUE(board.sameAs(expected));
    EXPECT_EQ(run.steering.history().latest(), 51);
    trace::setSink(stdout);
}

}  // namespace
