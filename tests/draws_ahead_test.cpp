#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/board_file.h"
#include "model/census.h"
#include "model/seeded_run.h"
#include "model/trace.h"

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
    trace::setSink(nullptr);
    SeededRun run;
    const std::vector<Counts> plain = countsOfRun(run, 5, 600, false);
    EXPECT_EQ(countsOfRun(run, 5, 600, true), plain);
    EXPECT_EQ(countsOfRun(run, 5, 600, true), plain);
    EXPECT_EQ(countsOfRun(run, 5, 600, false), plain);
    trace::setSink(stdout);
}

// Every field the next generation reads, as a board file holds them.
std::string fieldsOf(const SeededRun& run) { return board_file::format(run.squares(), run.rules()); }

void stepTo(SeededRun& run, std::int64_t generation) {
    while (run.generation() < generation) {
        run.step();
    }
}

// A board of generation 40 of seed 5 goes on as that run did, generation k
// seeded with 5 + k, with values made ahead or not; seeds recorded for the
// generations after it come first, one a generation, and 5 + k after them.
TEST(SeededRuns, GoOnFromABoardsGenerationTakingTheRecordedSeedsFirst) {
    trace::setSink(nullptr);
    SeededRun whole;
    whole.start(5);
    stepTo(whole, 40);
    const Board at40 = whole.squares();
    stepTo(whole, 50);
    const std::string whole50 = fieldsOf(whole);
    stepTo(whole, 100);
    // Generations 41 to 43 seeded with 7, 8 and 9, as a run seeded 7 - 41
    // (wrapped) seeds them, then 5 + k.
    SeededRun other;
    other.startFrom(at40, (std::uint64_t{1} << 32) + 7 - 41, 40);
    stepTo(other, 43);
    const Board at43 = other.squares();
    other.startFrom(at43, 5, 43);
    stepTo(other, 50);
    const std::vector<std::uint32_t> recorded{7, 8, 9};
    for (const bool drawsAhead : {false, true}) {
        SCOPED_TRACE(drawsAhead ? "values made ahead" : "values made in turn");
        SeededRun run;
        run.startFrom(at40, 5, 40, {}, drawsAhead);
        EXPECT_EQ(run.step(), 41);
        stepTo(run, 100);
        EXPECT_EQ(fieldsOf(run), fieldsOf(whole));
        run.startFrom(at40, 5, 40, recorded, drawsAhead);
        EXPECT_EQ(run.nextSeeds().size(), 3U);
        EXPECT_EQ(run.step(), 41);
        EXPECT_EQ(run.nextSeeds().front(), 8U);
        stepTo(run, 50);
        EXPECT_TRUE(run.nextSeeds().empty());
        EXPECT_EQ(fieldsOf(run), fieldsOf(other));
    }
    // Or the recorded seeds proved nothing.
    EXPECT_NE(fieldsOf(other), whole50);
    trace::setSink(stdout);
}

}  // namespace
