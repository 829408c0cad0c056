// The chart's history of the populations: bounded however long the run, and
// telling when each species died out as the summary does.

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
#include "model/census.h"
#include "model/packed_board.h"
#include "model/model.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

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
