#include <algorithm>
#include <array>
#include <string>

#include <gtest/gtest.h>

#include "model/board.h"
#include "platform/random.h"
#include "support/captured_trace.h"

namespace {

TEST(ClearingTheBoard, EmptiesEverySquareFacingOneWithPhaseOne) {
    for (CellState& cell : board) {
        cell = CellState{5, 0, kCat, 1, 3, 1, 2, 1, 1, 2, 1, {1, 2, 3, 4, 5, 6, 7, 0}};
    }
    clearBoard();
    for (const CellState& cell : board) {
        EXPECT_EQ(cell.kind, kEmpty);
        EXPECT_EQ(cell.direction, 1);
        EXPECT_EQ(cell.phase, 1);
        EXPECT_EQ(cell.juvenile, 0);
        EXPECT_EQ(cell.age, 0);
        EXPECT_EQ(cell.eating, 0);
        EXPECT_EQ(cell.eatTurns, 0);
        EXPECT_EQ(cell.mating, 0);
        // A mating lizard's time, the prey's species, the processed mark and
        // the look slots survive a clear.
        EXPECT_EQ(cell.mateTurns, 2);
        EXPECT_EQ(cell.preyIsKind2, 1);
        EXPECT_EQ(cell.processed, 1);
        EXPECT_EQ(cell.lookSlots[7], 0);
        EXPECT_EQ(cell.lookSlots[0], 1);
    }
}

TEST(FillingTheBoard, KindThresholdsSplitThePercentages) {
    EXPECT_EQ(kindForPercent(0), kEmpty);
    EXPECT_EQ(kindForPercent(59), kEmpty);
    EXPECT_EQ(kindForPercent(60), kLizard1);
    EXPECT_EQ(kindForPercent(74), kLizard1);
    EXPECT_EQ(kindForPercent(75), kLizard2);
    EXPECT_EQ(kindForPercent(89), kLizard2);
    EXPECT_EQ(kindForPercent(90), kCat);
    EXPECT_EQ(kindForPercent(100), kCat);
}

TEST(FillingTheBoard, TracesTwoAlternatingLinesPerSquareFromThreeDraws) {
    const std::time_t seed = 1700000000;
    CapturedTrace trace;
    fillBoard(seed);
    const auto lines = trace.lines();
    ASSERT_EQ(lines.size(), 800u);

    // Replay the generator: three values per square, in square order.
    platform::srand(static_cast<std::uint32_t>(seed));
    for (std::size_t index = 0; index < Rules{}.squareCount(); ++index) {
        const int percent = static_cast<int>(platform::rand() / 32767.0 * 100.0);
        const int heading = 1 + platform::rand() % 8;
        const int phase = platform::rand() % 2 == 0 ? 1 : 0;
        const int kind = kindForPercent(percent);
        EXPECT_EQ(lines[2 * index], "random = " + std::to_string(percent) + "\n");
        EXPECT_EQ(lines[2 * index + 1], "especie = " + std::to_string(kind) + "\n");
        EXPECT_EQ(board[index].kind, kind);
        EXPECT_EQ(board[index].direction, heading);
        EXPECT_EQ(board[index].phase, phase);
    }
}

TEST(FillingTheBoard, MakesAdultsOnlyWithHeadingsOnEverySquare) {
    for (CellState& cell : board) {
        cell = CellState{0, 0, kEmpty, 1, 3, 1, 2, 1, 1, 2, 1, {3, 3, 3, 3, 3, 3, 3, 3}};
    }
    CapturedTrace trace;
    fillBoard(42);
    std::array<int, 4> counts{};
    for (const CellState& cell : board) {
        EXPECT_EQ(cell.juvenile, 0);
        EXPECT_EQ(cell.eating, 0);
        EXPECT_EQ(cell.mating, 0);
        EXPECT_EQ(cell.processed, 0);
        EXPECT_EQ(cell.age, 0);
        EXPECT_EQ(cell.eatTurns, 0);
        EXPECT_EQ(cell.preyIsKind2, 0);
        EXPECT_EQ(cell.mateTurns, 2);  // kept
        EXPECT_EQ(cell.lookSlots[4], 3);  // kept
        EXPECT_GE(cell.direction, 1);
        EXPECT_LE(cell.direction, 8);
        ++counts[static_cast<std::size_t>(cell.kind)];
    }
    // About 60 / 15 / 15 / 10 percent of 400 squares.
    EXPECT_NEAR(counts[0], 240, 40);
    EXPECT_NEAR(counts[1], 60, 25);
    EXPECT_NEAR(counts[2], 60, 25);
    EXPECT_NEAR(counts[3], 40, 20);
}

TEST(FillingTheBoard, TheSameSecondGivesTheSameBoard) {
    CapturedTrace trace;
    fillBoard(1234);
    const auto first = board;
    fillBoard(1235);
    EXPECT_FALSE(std::equal(board.begin(), board.end(), first.begin(),
                            [](const CellState& a, const CellState& b) { return a.kind == b.kind; }));
    fillBoard(1234);
    for (std::size_t i = 0; i < board.size(); ++i) {
        EXPECT_EQ(board[i].kind, first[i].kind);
        EXPECT_EQ(board[i].direction, first[i].direction);
        EXPECT_EQ(board[i].phase, first[i].phase);
    }
}

}  // namespace
