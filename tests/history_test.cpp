// A run's history rebuilds any generation it holds exactly, whatever seeded
// each generation, within its memory budget.

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "model/board.h"
#include "model/history.h"
#include "model/model.h"
#include "model/packed_board.h"
#include "model/trace.h"
#include "platform/random.h"
#include "support/captured_trace.h"

namespace {

// A run as the window makes it: each generation seeded by `seedOf`, recorded
// as it goes, every board and the watched square's turns kept for checking.
struct RecordedRun {
    Board squares;
    Model model;
    RunHistory history;
    std::vector<Board> boards;
    std::vector<Model::WatchedTurn> turns;

    RecordedRun(std::uint64_t fillSeed, std::size_t budget = 0) : history(budget) {
        model.setUpLattice(squares);
        clearBoard(squares);
        fillBoard(squares, static_cast<std::time_t>(fillSeed), model.rules, model.generator(), model.traceLines());
        history.restart(squares, model.rules);
        boards.push_back(squares);
        turns.emplace_back();
    }
    template <typename SeedOf>
    void run(std::int64_t generations, SeedOf seedOf, int watched = -1) {
        model.watch(watched);
        for (std::int64_t k = 0; k < generations; ++k) {
            model.generator().seed(seedOf(static_cast<std::int64_t>(boards.size())));
            model.computeGeneration();
            history.record(model.generationSeed(), squares);
            boards.push_back(squares);
            turns.push_back(watched >= 0 ? *model.watchedTurn() : Model::WatchedTurn{});
        }
    }
};

TEST(RunHistory, RebuildsAClockSeededRunAndTheWatchedTurnWithoutTouchingTheCallersGeneratorOrTheConsole) {
    CapturedTrace console;
    std::FILE* consoleFile = trace::console().file();
    RecordedRun recorded(1);
    // Seeds as a clock gives them: repeated, jumping, wrapping.
    const auto clock = [](std::int64_t k) { return static_cast<std::uint32_t>(1765000000U + (k / 3) * 7919U * 65536U); };
    constexpr int kWatched = 7 * 20 + 11;
    recorded.run(600, clock, kWatched);

    platform::srand(424242);
    const platform::Generator before = platform::threadGenerator();
    int turnsTaken = 0;
    for (const std::int64_t k : {0, 1, 137, 255, 256, 257, 511, 600}) {
        const RunHistory::Rebuilt rebuilt = recorded.history.rebuild(k, kWatched);
        EXPECT_TRUE(rebuilt.board.sameAs(recorded.boards[static_cast<std::size_t>(k)])) << "generation " << k;
        // A kept board's turn too, replayed from the board kept before it.
        const Model::WatchedTurn& expected = recorded.turns[static_cast<std::size_t>(k)];
        const Model::WatchedTurn turn = rebuilt.turn.value_or(Model::WatchedTurn{});
        EXPECT_EQ(turn.lines, expected.lines) << "generation " << k;
        EXPECT_EQ(turn.record, expected.record) << "generation " << k;
        turnsTaken += turn.record.choice != TurnRecord::Choice::kNone ? 1 : 0;
    }
    EXPECT_GT(turnsTaken, 2);
    EXPECT_EQ(platform::threadGenerator().state, before.state);
    EXPECT_EQ(trace::console().file(), consoleFile);
    EXPECT_EQ(console.text(), "");
}

TEST(RunHistory, StaysWithinItsBudgetByLettingTheOldestGenerationsGo) {
    const std::size_t boardBytes = sizeof(CellState) * 400;
    RecordedRun recorded(9, 2 * boardBytes);
    recorded.run(5000, [](std::int64_t k) { return static_cast<std::uint32_t>(77 * k); });
    const RunHistory& history = recorded.history;
    EXPECT_LE(history.bytes(), history.budget());
    EXPECT_GT(history.earliest(), 0);
    EXPECT_EQ(history.latest(), 5000);
    EXPECT_FALSE(history.seedOf(history.earliest()).has_value());
    for (const std::int64_t k : {history.earliest(), history.earliest() + 1, std::int64_t{4999}}) {
        EXPECT_TRUE(history.rebuild(k).board.sameAs(recorded.boards[static_cast<std::size_t>(k)])) << k;
    }
}

}  // namespace
