// The run on screen as the window keeps it: edits, undo and redo through
// the history, fills and rules, and the last generation that can be counted.

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
#include "support/file_text.h"

namespace {

// The window's run with seeds from a clock, through the session as the model
// thread and the view drive it: the model seeds from the clock, the session
// may put a recorded state in its place, the view records what it shows.
struct SteeredRun {
    RunSession session{std::nullopt, Rules{}};
    Steering steering{RunOptions{}};
    Model model;
    std::uint32_t clock = 1765000000;
    // Of its own test: tests may run at once, in processes of their own.
    std::string counts = testing::TempDir() + "vivar-session-" +
                         testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";

    SteeredRun() {
        std::remove(counts.c_str());
        std::remove(sibling(2).c_str());
        // As the window's model draws from its thread's generator, which the
        // steering seeds.
        model.drawFrom(platform::threadGenerator());
        model.setUpLattice();
        steering.steer(model, session);
        EXPECT_FALSE(session.openCounts(counts).has_value());
        const Board empty = board;
        clearBoard();
        fillBoard(board, 7);
        session.restart(RunSession::Change::kFill, PackedBoard(empty), board, Rules{}, {});
    }
    ~SteeredRun() {
        std::remove(counts.c_str());
        std::remove(sibling(2).c_str());
    }
    [[nodiscard]] std::string sibling(int number) const {
        return counts.substr(0, counts.size() - 4) + "-" + std::to_string(number) + ".csv";
    }
    void step() {
        session.movingOn(board);
        clock += 3;
        platform::srand(clock);
        model.beforeGeneration();
        model.computeGeneration();
        session.generationShown(model.generationSeed(), board, takeCensus(board));
    }
    void goTo(std::int64_t generation) {
        const Board rebuilt = session.history().rebuild(generation).board;
        std::copy(rebuilt.begin(), rebuilt.end(), board.begin());
        session.wentTo(generation);
    }
    // As the window does: the board it shows keeps its place, which the
    // model's torus points into.
    std::optional<RunSession::Done> undo(bool undoing = true) {
        Board squares = board;
        auto done = undoing ? session.undo(squares) : session.redo(squares);
        std::copy(squares.begin(), squares.end(), board.begin());
        return done;
    }
    void edit(int square) {
        const CellState before = board[static_cast<std::size_t>(square)];
        board[static_cast<std::size_t>(square)].kind = before.kind == kCat ? kEmpty : kCat;
        session.edit(square, before, board);
    }
};

// The counts file of a run whose generations from 0 on had these censuses,
// as vivar-sim prints it.
std::string countsOf(const std::vector<Census>& censuses) {
    return printedBy([&censuses](std::FILE* file) {
        printCountsHeader(file);
        for (std::size_t k = 0; k < censuses.size(); ++k) {
            printCountsRow(file, static_cast<std::int64_t>(k), censuses[k]);
        }
    });
}

TEST(RunSession, AnEditInThePastKeepsTheFutureUntilTheRunMovesOnAndUndoBringsItBackExactly) {
    trace::setSink(nullptr);
    SteeredRun run;
    std::vector<Board> boards{board};
    std::vector<Census> censuses{takeCensus(board)};
    for (int k = 1; k <= 200; ++k) {
        run.step();
        boards.push_back(board);
        censuses.push_back(takeCensus(board));
    }
    const std::string whole = countsOf(censuses);
    ASSERT_EQ(contentsOf(run.counts), whole);

    // Going back writes nothing; an edit keeps the recorded future.
    run.goTo(50);
    EXPECT_EQ(contentsOf(run.counts), whole);
    run.edit(0);
    EXPECT_TRUE(run.session.edited());
    EXPECT_EQ(run.session.history().latest(), 200);
    const Board edited = board;

    // Moving on: generation 51 from the edited board, a counts file of its own.
    Board expected = edited;
    Model model;
    model.setUpLattice(expected);
    model.generator().seed(run.clock + 3);
    model.computeGeneration();
    run.step();
    EXPECT_TRUE(board.sameAs(expected));
    EXPECT_EQ(run.session.history().latest(), 51);
    EXPECT_EQ(contentsOf(run.counts), whole);
    std::vector<Census> branch(censuses.begin(), censuses.begin() + 51);
    branch.push_back(takeCensus(board));
    EXPECT_EQ(contentsOf(run.sibling(2)), countsOf(branch));
    EXPECT_EQ(run.session.takeNewCountsFile().value_or(RunSession::NewCountsFile{}).name, run.sibling(2));

    // Undone: generation 50 as recorded, "of 200" again, and a step replays 51.
    ASSERT_TRUE(run.undo().has_value());
    EXPECT_EQ(run.session.generation(), 50);
    EXPECT_EQ(run.session.history().latest(), 200);
    EXPECT_FALSE(run.session.edited());
    EXPECT_TRUE(board.sameAs(boards[50]));
    run.step();
    EXPECT_TRUE(board.sameAs(boards[51]));
    EXPECT_EQ(contentsOf(run.counts), whole);

    // Redone: the edited run as it was, at generation 51 of 51.
    run.goTo(50);
    ASSERT_TRUE(run.undo(false).has_value());
    EXPECT_EQ(run.session.generation(), 51);
    EXPECT_EQ(run.session.history().latest(), 51);
    EXPECT_TRUE(board.sameAs(expected));
    trace::setSink(stdout);
}

TEST(RunSession, AFillIsUndoneToTheRunBeforeWithItsHistoryAndItsCountsFile) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 30; ++k) {
        run.step();
    }
    const Board thirty = board;
    const std::string counts = contentsOf(run.counts);
    const Board before = board;
    clearBoard();
    run.session.restart(RunSession::Change::kClear, PackedBoard(before), board, Rules{}, {});
    run.step();
    EXPECT_EQ(run.session.generation(), 1);
    EXPECT_EQ(contentsOf(run.counts), counts);  // the cleared run writes its own file

    ASSERT_EQ(run.undo()->change, RunSession::Change::kClear);
    EXPECT_TRUE(board.sameAs(thirty));
    EXPECT_EQ(run.session.generation(), 30);
    run.goTo(10);
    EXPECT_EQ(run.session.history().latest(), 30);
    // Played on, the run before writes on in its own file.
    run.goTo(30);
    run.step();
    const std::string after = contentsOf(run.counts);
    EXPECT_EQ(after.substr(0, counts.size()), counts);
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), 1 + 32);
    trace::setSink(stdout);
}

}  // namespace

namespace {

TEST(RunSession, AnEditAtTheLatestGenerationWaitsAndTheRunGoesOnFromTheEditedBoard) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 10; ++k) {
        run.step();
    }
    const Board recorded = board;
    run.edit(0);
    EXPECT_TRUE(run.session.edited());
    // Until the run moves on, the history holds generation 10 as it was made.
    EXPECT_TRUE(run.session.history().rebuild(10).board.sameAs(recorded));

    Board expected = board;
    Model model;
    model.setUpLattice(expected);
    model.generator().seed(run.clock + 3);
    model.computeGeneration();
    run.step();
    EXPECT_TRUE(board.sameAs(expected));
    // Going back and on again shows the edited run, as the counts file has it.
    run.goTo(10);
    EXPECT_EQ(board[0].kind, recorded[0].kind == kCat ? kEmpty : kCat);
    run.goTo(11);
    EXPECT_TRUE(board.sameAs(expected));
    EXPECT_FALSE(run.session.takeNewCountsFile().has_value());
    const std::string counts = contentsOf(run.counts);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), '\n'), 1 + 12);

    ASSERT_EQ(run.undo()->change, RunSession::Change::kEdit);
    EXPECT_EQ(run.session.generation(), 10);
    EXPECT_TRUE(board.sameAs(recorded));
    trace::setSink(stdout);
}

TEST(RunSession, TrimmingTheChangesKeepsEveryEditThatWaitsSoThatTheRunMovesOnThroughIt) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 20; ++k) {
        run.step();
    }
    run.goTo(10);
    const Board recorded = board;
    run.edit(0);
    Rules rules;
    for (std::size_t change = 0; change < RunSession::kMostChanges + 10; ++change) {
        rules.hatch = 2 + static_cast<int>(change % 5);
        run.session.chooseRules(rules);
    }
    run.step();
    EXPECT_FALSE(run.session.edited());
    EXPECT_EQ(run.session.history().latest(), 11);
    // The rule changes, then the edit, come back off.
    for (std::size_t change = 0; change < RunSession::kMostChanges + 10; ++change) {
        ASSERT_EQ(run.undo()->change, RunSession::Change::kRules);
    }
    ASSERT_EQ(run.undo()->change, RunSession::Change::kEdit);
    EXPECT_TRUE(board.sameAs(recorded));
    EXPECT_EQ(run.session.history().latest(), 20);
    trace::setSink(stdout);
}

TEST(RunSession, ARunAtTheLastGenerationThatCanBeCountedGoesNoFurther) {
    RunSession session(std::nullopt, Rules{});
    session.begin(board, Rules{}, {board_file::kLargestGeneration, std::nullopt, {}}, true);
    EXPECT_TRUE(session.atLastGeneration());
    session.generationShown(1, board, Census{});
    EXPECT_EQ(session.generation(), board_file::kLargestGeneration);
    EXPECT_EQ(board_file::noRoomToRun(board_file::kLargestGeneration - 1, 1), std::nullopt);
    EXPECT_TRUE(board_file::noRoomToRun(board_file::kLargestGeneration, 1).has_value());
}

}  // namespace
