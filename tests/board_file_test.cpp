// Board files: a saved board reads back as it was, and a damaged one is
// refused with the line at fault. Saving and loading files is tested as
// vivar-sim's user sees it, in board_files.sh.

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/board_file.h"
#include "model/seeded_run.h"
#include "model/trace.h"

namespace {

using Squares = Board;

// Rows and columns as the file and the home view have them: a board
// column runs down the screen.
CellState& at(Squares& squares, int row, int column) {
    return squares[static_cast<std::size_t>((column - 1) * kBoardSide + row - 1)];
}

// Every field a board file holds, and that the processed mark and the look
// slots come back cleared.
void expectSameSavedFields(const Squares& read, const Squares& saved) {
    for (std::size_t square = 0; square < saved.size(); ++square) {
        const CellState& a = read[square];
        const CellState& b = saved[square];
        SCOPED_TRACE("square " + std::to_string(square));
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.juvenile, b.juvenile);
        EXPECT_EQ(a.eating, b.eating);
        EXPECT_EQ(a.direction, b.direction);
        EXPECT_EQ(a.phase, b.phase);
        EXPECT_EQ(a.age, b.age);
        EXPECT_EQ(a.mating, b.mating);
        EXPECT_EQ(a.mateTurns, b.mateTurns);
        EXPECT_EQ(a.eatTurns, b.eatTurns);
        if (b.eating != 0) {
            EXPECT_EQ(a.preyIsKind2, b.preyIsKind2);
        }
        EXPECT_EQ(a.processed, 0);
        EXPECT_EQ(a.lookSlots, (std::array<std::int32_t, 8>{}));
    }
}

TEST(BoardFiles, GiveBackABusyBoardAfterGenerationsOfASeededRun) {
    trace::setSink(nullptr);
    SeededRun run;
    run.start(5);
    for (int k = 0; k < 40; ++k) {
        run.step();
    }
    trace::setSink(stdout);
    // The board holds every kind of timer, or the comparison proves little.
    int eggsGrowing = 0;
    int mating = 0;
    int catsEatingGreen = 0;
    int mealsUnderWay = 0;
    const Squares& squares = run.squares();
    for (const CellState& cell : squares) {
        eggsGrowing += cell.juvenile != 0 && cell.age > 0;
        mating += cell.mating != 0 && cell.mateTurns > 0;
        catsEatingGreen += cell.eating != 0 && cell.preyIsKind2 != 0;
        mealsUnderWay += cell.eating != 0 && cell.eatTurns > 0;
    }
    ASSERT_GT(eggsGrowing * mating * catsEatingGreen * mealsUnderWay, 0);

    const std::string text = board_file::format(squares, "after generation 40");
    Squares read{};
    ASSERT_EQ(board_file::parse(text, read), std::nullopt);
    expectSameSavedFields(read, squares);
    EXPECT_EQ(board_file::format(read, "after generation 40"), text);
}

// States a seeded run does not make but the window's fill after a clear
// does (a mating count left behind), and every timer at its largest.
Squares boardOfExtremes() {
    Squares squares{};
    for (CellState& cell : squares) {
        cell.direction = 8;
        cell.phase = 0;
    }
    at(squares, 1, 1) = CellState{3, 1, kLizard1, 1, 4, 0, 0, 0, 0, 0, 0, {}};
    at(squares, 1, 2) = CellState{4, 0, kLizard2, 1, 4, 0, 0, 0, 0, 0, 0, {}};
    at(squares, 2, 1) = CellState{1, 1, kLizard1, 0, 0, 0, 0, 0, 1, 2, 0, {}};
    at(squares, 2, 2) = CellState{2, 0, kLizard2, 0, 0, 0, 0, 0, 0, 2, 0, {}};
    at(squares, 20, 19) = CellState{5, 1, kCat, 0, 0, 0, 0, 0, 0, 2, 0, {}};
    at(squares, 20, 20) = CellState{6, 0, kCat, 0, 0, 1, 2, 1, 0, 1, 0, {}};
    at(squares, 19, 20) = CellState{7, 1, kCat, 0, 0, 1, 0, 0, 0, 0, 0, {}};
    return squares;
}

TEST(BoardFiles, KeepEveryTimerAtItsLargestAndAnEmptySquaresHeading) {
    const Squares squares = boardOfExtremes();
    Squares read{};
    ASSERT_EQ(board_file::parse(board_file::format(squares), read), std::nullopt);
    expectSameSavedFields(read, squares);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string textOf(const std::vector<std::string>& lines, const std::string& ending = "\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line + ending;
    }
    return text;
}

// Where the parts of a file without comments begin.
constexpr int kKindsLine = 2;
constexpr int kHeadingsLine = 23;
constexpr int kPhasesLine = 44;
constexpr int kTimersLine = 65;

TEST(BoardFiles, ReadWindowsLineEndsAndCommentsAndBlankLinesAnywhere) {
    const Squares squares = boardOfExtremes();
    std::vector<std::string> lines = linesOf(board_file::format(squares));
    for (auto line = static_cast<std::ptrdiff_t>(lines.size()); line > 0; line -= 7) {
        lines.insert(lines.begin() + line, line % 2 != 0 ? "  # a note" : "");
        lines[static_cast<std::size_t>(line - 1)] += " \t";
    }
    Squares read{};
    ASSERT_EQ(board_file::parse(textOf(lines, "\r\n"), read), std::nullopt);
    expectSameSavedFields(read, squares);
}

struct Damage {
    const char* what;
    int line;                 // of the board file of extremes, counted from 1
    const char* replacement;  // nullptr: the line is removed
    const char* refusal;
};

TEST(BoardFiles, RefuseADamagedBoardNamingTheLineAndLeaveTheBoardAsItWas) {
    const std::vector<std::string> lines = linesOf(board_file::format(boardOfExtremes()));
    ASSERT_EQ(lines[kTimersLine - 1], "timers");
    ASSERT_EQ(lines[kTimersLine], "1 1 age 4");
    const int end = static_cast<int>(lines.size());
    const std::vector<Damage> damages{
        {"another format", 1, "P3", "line 1: not a vivar board"},
        {"a later version", 1, "vivar board 2", "line 1: version 2 is not one this vivar reads"},
        {"a row too many", kHeadingsLine, "....................\nheadings",
         "line 23: expected \"headings\", not \"....................\""},
        {"a row too short", kKindsLine + 3, "...................", "line 5: 19 characters, not the 20 of a row"},
        {"an unknown kind", kKindsLine + 1, "..x.................",
         "line 3: column 3: 'x' is not a kind (. B b G g C E)"},
        {"a heading of 9", kHeadingsLine + 20, "88888888888888888889",
         "line 43: column 20: '9' is not a heading 1 to 8"},
        {"a phase of 2", kPhasesLine + 1, "20000000000000000000", "line 45: column 1: '2' is not a phase 0 or 1"},
        {"a missing row", kPhasesLine + 20, nullptr, "line 64: \"phases\" has 19 rows, not 20"},
        {"no headings", kHeadingsLine, nullptr, "line 23: expected \"headings\", not \"34888888888888888888\""},
        {"no timers", kTimersLine, nullptr, "line 65: expected \"timers\", not \"1 1 age 4\""},
        {"no end", end, nullptr, "line 75: \"end\" is missing"},
        {"text after the end", end, "end\n1 1 age 4", "line 77: text after \"end\""},
        {"an egg's age too great", kTimersLine + 1, "1 1 age 5", "line 66: age must be 0 to 4, not \"5\""},
        {"a negative age", kTimersLine + 1, "1 1 age -1", "line 66: age must be 0 to 4, not \"-1\""},
        {"an age twice", kTimersLine + 1, "1 1 age 4\n1 1 age 1",
         "line 67: a second age for row 1, column 1 (the first is on line 66)"},
        {"an age of a cat", kTimersLine + 1, "20 19 age 1", "line 66: row 20, column 19 holds a cat, which has no age"},
        {"a meal of a cat not eating", kTimersLine + 1, "20 19 eat-turns 1",
         "line 66: row 20, column 19 holds a cat, which has no eat-turns"},
        {"an egg mating", kTimersLine + 1, "1 1 mating 1",
         "line 66: row 1, column 1 holds a brown egg, which has no mating"},
        {"an empty square's mating count", kTimersLine + 1, "5 5 mate-turns 1",
         "line 66: row 5, column 5 holds an empty square, which has no mate-turns"},
        {"an unknown timer", kTimersLine + 1, "1 1 hunger 1",
         "line 66: unknown timer \"hunger\" (age, mating, mate-turns, eat-turns, prey)"},
        {"a row off the board", kTimersLine + 1, "21 1 age 1", "line 66: the row must be 1 to 20, not \"21\""},
        {"a column of 0", kTimersLine + 1, "1 0 age 1", "line 66: the column must be 1 to 20, not \"0\""},
        {"a number too long", kTimersLine + 1, "1 1 age 99999999999999999999",
         "line 66: age must be 0 to 4, not \"99999999999999999999\""},
        {"a timer without a value", kTimersLine + 1, "1 1 age",
         "line 66: a timer is ROW COLUMN NAME VALUE, not \"1 1 age\""},
        {"an unknown prey", end - 1, "20 20 prey red", "line 75: prey must be brown or green, not \"red\""},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::vector<std::string> damaged = lines;
        const auto line = damaged.begin() + damage.line - 1;
        if (damage.replacement != nullptr) {
            *line = damage.replacement;
        } else {
            damaged.erase(line);
        }
        Squares squares{};
        squares[7].kind = kCat;
        EXPECT_EQ(board_file::parse(textOf(damaged), squares), damage.refusal);
        EXPECT_EQ(squares[7].kind, kCat);
        EXPECT_EQ(squares[0].kind, kEmpty);
    }
}

TEST(BoardFiles, RefuseWhatIsNoTextAtAll) {
    const std::string board = board_file::format(boardOfExtremes());
    Squares squares{};
    EXPECT_EQ(board_file::parse("", squares), "empty, not a vivar board");
    EXPECT_EQ(board_file::parse(board + std::string(1, '\0'), squares), "not a text file");
    EXPECT_EQ(board_file::parse("# caf\xc3\xa9\n" + board, squares), "not a text file");
    EXPECT_EQ(board_file::parse(board + std::string(board_file::kLargestFile, '#'), squares),
              "larger than 1048576 bytes, not a vivar board");
    EXPECT_EQ(board_file::parse("# nothing but a comment\n", squares), "line 1: not a vivar board");
}

// A comment comes after the version line, each of its lines marked, and
// only with characters that the reader takes back.
TEST(BoardFiles, WriteTheCommentAfterTheVersionAsTextTheyReadBack) {
    const std::string text = board_file::format(boardOfExtremes(), "first\n\nsecond caf\xc3\xa9");
    EXPECT_EQ(text.substr(0, text.find("kinds")), "vivar board 1\n# first\n#\n# second caf??\n");
    Squares read{};
    EXPECT_EQ(board_file::parse(text, read), std::nullopt);
}

}  // namespace
