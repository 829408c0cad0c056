#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "model/census.h"
#include "model/seeded_run.h"

namespace {

using Counts = std::array<int, 7>;

std::vector<Counts> countsOfRun(SeededRun& run, std::uint64_t seed, int generations, bool drawsAhead) {
    run.start(seed, drawsAhead);
    std::vector<Counts> counts;
    for (int k = 0; k <= generations; ++k) {
        if (k > 0) {
            run.step();
        }
        const Census c = run.census();
        counts.push_back({c.empty, c.lizards[0], c.lizards[1], c.eggs[0], c.eggs[1], c.cats, c.eatingCats});
    }
    return counts;
}

// Seed 5 keeps a busy board, whose generations draw the most values; the
// run is started twice on one SeededRun, as a restart must drop the values
// made for the first.
TEST(DrawsAhead, RunsAreTheSameWithValuesMadeOnAnotherThread) {
    SeededRun run(Rules{}, nullptr);
    const std::vector<Counts> plain = countsOfRun(run, 5, 600, false);
    EXPECT_EQ(countsOfRun(run, 5, 600, true), plain);
    EXPECT_EQ(countsOfRun(run, 5, 600, true), plain);
    EXPECT_EQ(countsOfRun(run, 5, 600, false), plain);
}

}  // namespace
