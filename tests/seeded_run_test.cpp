// Seeded runs: going on from a board's generation with the seeds it
// recorded, and owning their generator and trace.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/board_file.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/random.h"
#include "support/captured_trace.h"

namespace {

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
    SeededRun whole(Rules{}, nullptr);
    whole.start(5);
    stepTo(whole, 40);
    const Board at40 = whole.squares();
    stepTo(whole, 50);
    const std::string whole50 = fieldsOf(whole);
    stepTo(whole, 100);
    // Generations 41 to 43 seeded with 7, 8 and 9, as a run seeded 7 - 41
    // (wrapped) seeds them, then 5 + k.
    SeededRun other(Rules{}, nullptr);
    other.startFrom(at40, (std::uint64_t{1} << 32) + 7 - 41, 40);
    stepTo(other, 43);
    const Board at43 = other.squares();
    other.startFrom(at43, 5, 43);
    stepTo(other, 50);
    const std::vector<std::uint32_t> recorded{7, 8, 9};
    for (const bool drawsAhead : {false, true}) {
        SCOPED_TRACE(drawsAhead ? "values made ahead" : "values made in turn");
        SeededRun run(Rules{}, nullptr);
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
}

// A run owns its generator and traces to the sink it is given: the calling
// thread's generator and the console are left alone, with values made ahead
// or not, and its own sink has the lines the console would have had.
TEST(SeededRuns, DrawFromTheirOwnGeneratorAndTraceOnlyToTheirOwnSink) {
    const auto traceOfRun = [](trace::Sink* sink, bool drawsAhead) {
        SeededRun run(Rules{}, sink);
        run.start(12345, drawsAhead);
        stepTo(run, 3);
        return fieldsOf(run);
    };
    std::string consoleTrace;
    std::string consoleFields;
    {
        CapturedTrace console;
        consoleFields = traceOfRun(&trace::console(), false);
        consoleTrace = console.text();
    }
    ASSERT_GT(consoleTrace.size(), 10'000U);

    for (const bool drawsAhead : {false, true}) {
        SCOPED_TRACE(drawsAhead ? "values made ahead" : "values made in turn");
        CapturedTrace console;
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        trace::Sink own(file);
        platform::srand(424242);
        const platform::Generator before = platform::threadGenerator();
        EXPECT_EQ(traceOfRun(&own, drawsAhead), consoleFields);
        EXPECT_EQ(platform::threadGenerator().state, before.state);
        EXPECT_EQ(platform::rand(), platform::Generator{before}.rand());
        EXPECT_EQ(console.text(), "");
        std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        std::fclose(file);
        EXPECT_EQ(text, consoleTrace);
    }
}

}  // namespace
