// Board files: a saved board reads back as it was, and a damaged one is
// refused with the line at fault. Saving and loading files is tested as
// vivar-sim's user sees it, in board_files.sh.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/board_file.h"
#include "model/seeded_run.h"
#include "model/trace.h"

namespace {

using Squares = Board;

// Rows and columns as the file and the home view have them, from 1: a
// board column runs down the screen.
CellState& at(Squares& squares, int row, int column) { return squares[squares.indexOf(column - 1, row - 1)]; }

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
        EXPECT_EQ(a.lookSlots, decltype(a.lookSlots){});
    }
}

TEST(BoardFiles, GiveBackABusyBoardAfterGenerationsOfASeededRun) {
    SeededRun run(Rules{}, nullptr);
    run.start(5);
    for (int k = 0; k < 40; ++k) {
        run.step();
    }
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

    const std::string text = board_file::format(squares, Rules{}, "after generation 40");
    Squares read{};
    Rules rules;
    ASSERT_EQ(board_file::parse(text, read, rules), std::nullopt);
    expectSameSavedFields(read, squares);
    EXPECT_EQ(board_file::format(read, Rules{}, "after generation 40"), text);
}

// A creature on a square with the timers it has, whatever the width of
// the record's fields.
struct Creature {
    int kind;
    int heading;
    int phase;
    int juvenile = 0;
    int age = 0;
    int mating = 0;
    int mateTurns = 0;
    int eating = 0;
    int eatTurns = 0;
    int preyIsKind2 = 0;
};

template <typename Field>
void put(Field& field, int value) {
    field = static_cast<Field>(value);
}

void place(Squares& squares, int row, int column, const Creature& creature) {
    CellState& cell = at(squares, row, column);
    put(cell.kind, creature.kind);
    put(cell.direction, creature.heading);
    put(cell.phase, creature.phase);
    put(cell.juvenile, creature.juvenile);
    put(cell.age, creature.age);
    put(cell.mating, creature.mating);
    put(cell.mateTurns, creature.mateTurns);
    put(cell.eating, creature.eating);
    put(cell.eatTurns, creature.eatTurns);
    put(cell.preyIsKind2, creature.preyIsKind2);
}

// States a seeded run does not make but the window's fill after a clear
// does (a mating count left behind), and every timer at its largest.
Squares boardOfExtremes() {
    Squares squares{};
    for (CellState& cell : squares) {
        cell.direction = 8;
        cell.phase = 0;
    }
    place(squares, 1, 1, {.kind = kLizard1, .heading = 3, .phase = 1, .juvenile = 1, .age = 4});
    place(squares, 1, 2, {.kind = kLizard2, .heading = 4, .phase = 0, .juvenile = 1, .age = 4});
    place(squares, 2, 1, {.kind = kLizard1, .heading = 1, .phase = 1, .mating = 1, .mateTurns = 2});
    place(squares, 2, 2, {.kind = kLizard2, .heading = 2, .phase = 0, .mateTurns = 2});
    place(squares, 20, 19, {.kind = kCat, .heading = 5, .phase = 1, .mateTurns = 2});
    place(squares, 20, 20,
          {.kind = kCat, .heading = 6, .phase = 0, .mateTurns = 1, .eating = 1, .eatTurns = 2, .preyIsKind2 = 1});
    place(squares, 19, 20, {.kind = kCat, .heading = 7, .phase = 1, .eating = 1});
    return squares;
}

TEST(BoardFiles, KeepEveryTimerAtItsLargestAndAnEmptySquaresHeading) {
    const Squares squares = boardOfExtremes();
    Squares read{};
    Rules rules;
    ASSERT_EQ(board_file::parse(board_file::format(squares, Rules{}), read, rules), std::nullopt);
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
    std::vector<std::string> lines = linesOf(board_file::format(squares, Rules{}));
    for (auto line = static_cast<std::ptrdiff_t>(lines.size()); line > 0; line -= 7) {
        lines.insert(lines.begin() + line, line % 2 != 0 ? "  # a note" : "");
        lines[static_cast<std::size_t>(line - 1)] += " \t";
    }
    Squares read{};
    Rules rules;
    ASSERT_EQ(board_file::parse(textOf(lines, "\r\n"), read, rules), std::nullopt);
    expectSameSavedFields(read, squares);
}

struct Damage {
    const char* what;
    int line;                 // of the board file damaged, counted from 1
    const char* replacement;  // nullptr: the line is removed
    const char* refusal;
};

std::string damagedText(std::vector<std::string> lines, const Damage& damage) {
    const auto line = lines.begin() + damage.line - 1;
    if (damage.replacement != nullptr) {
        *line = damage.replacement;
    } else {
        lines.erase(line);
    }
    return textOf(lines);
}

TEST(BoardFiles, RefuseADamagedBoardNamingTheLineAndLeaveTheBoardAsItWas) {
    const std::vector<std::string> lines = linesOf(board_file::format(boardOfExtremes(), Rules{}));
    ASSERT_EQ(lines[kTimersLine - 1], "timers");
    ASSERT_EQ(lines[kTimersLine], "1 1 age 4");
    const int end = static_cast<int>(lines.size());
    const std::vector<Damage> damages{
        {"another format", 1, "P3", "line 1: not a vivar board"},
        {"a later version", 1, "vivar board 4", "line 1: version 4 is not one this vivar reads"},
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
        Squares squares{};
        Rules rules;
        rules.hatch = 9;
        squares[7].kind = kCat;
        EXPECT_EQ(board_file::parse(damagedText(lines, damage), squares, rules), damage.refusal);
        EXPECT_EQ(squares[7].kind, kCat);
        EXPECT_EQ(squares[0].kind, kEmpty);
        EXPECT_EQ(rules.hatch, 9);
    }
}

TEST(BoardFiles, RefuseWhatIsNoTextAtAll) {
    const std::string board = board_file::format(boardOfExtremes(), Rules{});
    Squares squares{};
    Rules rules;
    EXPECT_EQ(board_file::parse("", squares, rules), "empty, not a vivar board");
    EXPECT_EQ(board_file::parse(board + std::string(1, '\0'), squares, rules), "not a text file");
    EXPECT_EQ(board_file::parse("# caf\xc3\xa9\n" + board, squares, rules),
              "line 1: '\xc3\xa9' (U+00E9) is not ASCII: board files are plain ASCII text");
    EXPECT_EQ(board_file::parse(board + "# \xf0\x9f\xa6\x8e\n", squares, rules),
              "line " + std::to_string(std::count(board.begin(), board.end(), '\n') + 1) +
                  ": '\xf0\x9f\xa6\x8e' (U+1F98E) is not ASCII: board files are plain ASCII text");
    // A byte that starts no UTF-8 character, or one cut short, is no text.
    EXPECT_EQ(board_file::parse("# caf\xe9\n" + board, squares, rules), "not a text file");
    EXPECT_EQ(board_file::parse(board + "# \xc3", squares, rules), "not a text file");
    const std::size_t largest = board_file::largestFile(Rules{}.width, Rules{}.height);
    EXPECT_EQ(board_file::parse(board + std::string(largest - board.size() + 1, '#'), squares, rules),
              "larger than " + std::to_string(largest) + " bytes, not a vivar board");
    EXPECT_EQ(board_file::parse(board + std::string(largest - board.size(), '#'), squares, rules), std::nullopt);
    EXPECT_EQ(board_file::parse("# nothing but a comment\n", squares, rules), "line 1: not a vivar board");
}

// A comment comes after the version line, each of its lines marked, and
// only with characters that the reader takes back.
TEST(BoardFiles, NameAFileBeyondAsciiAsFileInTheCommandItsCommentGives) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "vivar-board-names";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string name = "\xc3\xb1" "and\xc3\xba.vivar";  // ñandú.vivar
    const std::filesystem::path file = folder / name;
    // As the window writes it, with the bare name, and as vivar-sim does, quoted.
    ASSERT_EQ(board_file::save(file, boardOfExtremes(), Rules{},
                               "Saved by vivar: continue with vivar --board " + name + " or vivar-sim --board '" +
                                   name + "'"),
              std::nullopt);
    std::ifstream in(file, std::ios::binary);
    std::string comment;
    std::getline(in, comment);
    std::getline(in, comment);
    EXPECT_EQ(comment, "# Saved by vivar: continue with vivar --board FILE or vivar-sim --board FILE (FILE is this file, "
                       "whose name is not ASCII)");
    // A name in ASCII stays as it is, and so does a comment that names no file.
    ASSERT_EQ(board_file::save(folder / "plain.vivar", boardOfExtremes(), Rules{}, "go on with plain.vivar, caf\xc3\xa9"),
              std::nullopt);
    std::ifstream plain(folder / "plain.vivar", std::ios::binary);
    std::getline(plain, comment);
    std::getline(plain, comment);
    EXPECT_EQ(comment, "# go on with plain.vivar, caf??");
    std::filesystem::remove_all(folder);
}

TEST(BoardFiles, WriteTheCommentAfterTheVersionAsTextTheyReadBack) {
    const std::string text = board_file::format(boardOfExtremes(), Rules{}, "first\n\nsecond caf\xc3\xa9");
    EXPECT_EQ(text.substr(0, text.find("kinds")), "vivar board 1\n# first\n#\n# second caf??\n");
    Squares read{};
    Rules rules;
    EXPECT_EQ(board_file::parse(text, read, rules), std::nullopt);
}

// A 3 x 4 board, checked by hand: board row r, column c is character r + 1
// of line c + 1 of each grid, and row c + 1, column r + 1 of the timers.
Squares threeByFour() {
    Squares squares(3, 4);
    for (CellState& cell : squares) {
        cell.direction = 1;
    }
    CellState& egg = squares[squares.indexOf(0, 3)];
    put(egg.kind, kLizard1);
    put(egg.juvenile, 1);
    put(egg.age, 1);
    put(egg.direction, 3);
    CellState& cat = squares[squares.indexOf(2, 1)];
    put(cat.kind, kCat);
    put(cat.eating, 1);
    put(cat.eatTurns, 4);
    put(cat.preyIsKind2, 1);
    put(cat.direction, 7);
    put(cat.phase, 1);
    return squares;
}

Rules hatchTwoMealFive() {
    Rules rules;
    rules.hatch = 2;
    rules.meal = 5;
    rules.width = 3;
    rules.height = 4;
    return rules;
}

constexpr const char* kThreeByFour =
    "vivar board 2\n"
    "size 3x4\n"
    "rule hatch=2\n"
    "rule meal=5\n"
    "kinds\n...\n..E\n...\nb..\n"
    "headings\n111\n117\n111\n311\n"
    "phases\n000\n001\n000\n000\n"
    "timers\n"
    "2 3 eat-turns 4\n"
    "2 3 prey green\n"
    "4 1 age 1\n"
    "end\n";

TEST(BoardFiles, DrawABoardOfOtherRulesAsTheHomeViewShowsItWithItsSizeAndRules) {
    const Squares squares = threeByFour();
    EXPECT_EQ(board_file::format(squares, hatchTwoMealFive()), kThreeByFour);
    Squares read;
    Rules rules;
    ASSERT_EQ(board_file::parse(kThreeByFour, read, rules), std::nullopt);
    EXPECT_EQ(rules, hatchTwoMealFive());
    ASSERT_EQ(read.width(), 3);
    ASSERT_EQ(read.height(), 4);
    expectSameSavedFields(read, squares);
}

TEST(BoardFiles, WriteTheStandardBoardAsTheFirstVersionAndALeftMatingCountAsTheSecond) {
    Squares squares = boardOfExtremes();
    EXPECT_EQ(board_file::format(squares, Rules{}).substr(0, 20), "vivar board 1\nkinds\n");
    // A fill keeps the count of a longer mating under earlier rules.
    put(at(squares, 2, 2).mateTurns, 7);
    const std::string text = board_file::format(squares, Rules{});
    EXPECT_EQ(text.substr(0, 31), "vivar board 2\nsize 20x20\nkinds\n");
    Squares read;
    Rules rules;
    rules.hatch = 9;
    ASSERT_EQ(board_file::parse(text, read, rules), std::nullopt);
    EXPECT_EQ(rules, Rules{});
    expectSameSavedFields(read, squares);
    EXPECT_EQ(board_file::parse("vivar board 1\n" + text.substr(25), read, rules),
              "line 70: mate-turns must be 0 to 2, not \"7\"");
}

TEST(BoardFiles, RefuseASizeOrRuleOrTimerThatTheFileItselfRulesOut) {
    const std::vector<std::string> lines = linesOf(kThreeByFour);
    const std::vector<Damage> damages{
        {"a board of the second version without its size", 2, nullptr, "line 2: expected \"size\", not \"rule hatch=2\""},
        {"a size of one row", 2, "size 1x4",
         "line 2: the size must be WxH, a width and a height of at least 2 and at most 4000000 squares in all, not \"1x4\""},
        {"a size without columns", 2, "size 3",
         "line 2: the size must be WxH, a width and a height of at least 2 and at most 4000000 squares in all, not \"3\""},
        {"a size turned", 2, "size 4x3", "line 6: 3 characters, not the 4 of a row"},
        {"an unknown rule", 3, "rule hunger=3", "line 3: unknown rule \"hunger\" (hatch, mating, meal, fill)"},
        {"a rule without a value", 3, "rule hatch", "line 3: a rule is rule NAME=VALUE, not \"rule hatch\""},
        {"a hatch of 0", 3, "rule hatch=0", "line 3: hatch must be 1 to 1000 visits, not \"0\""},
        {"a fill beyond 100", 3, "rule fill=50:20:20:20",
         "line 3: fill must be four whole percentages E:B:G:C that sum to 100, not \"50:20:20:20\""},
        {"a rule twice", 4, "rule hatch=3", "line 4: a second rule hatch (the first is on line 3)"},
        {"a rule after the kinds", 6, "rule mating=2", "line 6: 13 characters, not the 3 of a row"},
        {"an egg older than its hatch", 23, "4 1 age 2", "line 23: age must be 0 to 1, not \"2\""},
        {"a meal longer than the rule", 21, "2 3 eat-turns 5", "line 21: eat-turns must be 0 to 4, not \"5\""},
        {"a row beyond the board's columns", 23, "5 1 age 1", "line 23: the row must be 1 to 4, not \"5\""},
        {"a column beyond the board's rows", 23, "4 4 age 1", "line 23: the column must be 1 to 3, not \"4\""},
        {"the egg's age twice", 24, "4 1 age 0\nend", "line 24: a second age for row 4, column 1 (the first is on line 23)"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Squares squares;
        Rules rules;
        EXPECT_EQ(board_file::parse(damagedText(lines, damage), squares, rules), damage.refusal);
        EXPECT_EQ(squares.width(), Rules{}.width);
        EXPECT_EQ(rules, Rules{});
    }
}

// The fullest board of its size: every square an eating cat with every
// timer at its longest, all the rules set, the longest place with its next
// seeds one a line, Windows line ends and a megabyte of comments, is the
// largest file it may be; a byte more is not a board.
TEST(BoardFiles, TakeTheFullestBoardOfItsSizeWithAMegabyteOfCommentsAndNotAByteMore) {
    Squares squares(3, 12);
    for (CellState& cell : squares) {
        put(cell.kind, kCat);
        put(cell.eating, 1);
        put(cell.direction, 8);
        put(cell.mateTurns, Rules::kMostVisits - 1);
        put(cell.eatTurns, Rules::kMostVisits - 1);
        put(cell.preyIsKind2, 1);
    }
    Rules rules;
    rules.fill = {100, 0, 0, 0};
    rules.hatch = rules.mating = rules.meal = Rules::kMostVisits;
    const board_file::RunPlace place{board_file::kLargestGeneration, 4294967295,
                                     std::vector<std::uint32_t>(1000, 4294967295)};
    std::string text = textOf(linesOf(board_file::format(squares, rules, {}, place)), "\r\n");
    // Next seeds one a line, the longest way to write them.
    const std::string seed = "4294967295";
    for (std::size_t at = text.find(seed + " "); at != std::string::npos; at = text.find(seed + " ", at)) {
        text.replace(at + seed.size(), 1, "\r\n");
    }
    ASSERT_NE(text.find("\r\n4294967295\r\n4294967295\r\n"), std::string::npos);
    const std::size_t largest = board_file::largestFile(3, 12, place.nextSeeds.size());
    ASSERT_LE(text.size() + (1 << 20), largest);
    const std::string comment = "#" + std::string(largest - text.size() - 3, '-') + "\r\n";
    Squares read;
    Rules readRules;
    board_file::RunPlace readPlace;
    ASSERT_EQ(board_file::parse(comment + text, read, readRules, &readPlace), std::nullopt);
    EXPECT_EQ(readRules, (Rules{rules.fill, rules.hatch, rules.mating, rules.meal, 3, 12}));
    EXPECT_EQ(readPlace, place);
    EXPECT_EQ(board_file::parse("#" + comment + text, read, readRules),
              "larger than " + std::to_string(largest) + " bytes, not a vivar board");
    // The largest board's file allows its own fullest text.
    EXPECT_GT(board_file::largestFile(2000, 2000), 12'000'000U * 23);
}

// The place lines written and read back, for every kind of place; a place
// that says nothing leaves the file as the earlier versions have it, and
// such a file reads as generation 0 without a seed.
TEST(BoardFiles, KeepTheBoardsPlaceInItsRunAsTheThirdVersionOnlyWhenThePlaceSaysSomething) {
    const Squares squares = threeByFour();
    const Rules rules = hatchTwoMealFive();
    EXPECT_EQ(board_file::format(squares, rules, {}, {}), kThreeByFour);
    const std::string seeded = board_file::format(squares, rules, {}, {55, 2, {}});
    EXPECT_EQ(seeded.substr(0, seeded.find("kinds")),
              "vivar board 3\nsize 3x4\nrule hatch=2\nrule meal=5\ngeneration 55\nseed 2\n");
    std::vector<std::uint32_t> recorded;
    for (std::uint32_t seed = 0; recorded.size() < 17; seed += 268435455) {
        recorded.push_back(seed);
    }
    recorded.back() = 4294967295;
    const std::string clocked = board_file::format(boardOfExtremes(), Rules{}, {}, {7, std::nullopt, recorded});
    EXPECT_EQ(clocked.substr(0, clocked.find("kinds")),
              "vivar board 3\nsize 20x20\ngeneration 7\nnext-seeds 17\n"
              "0 268435455 536870910 805306365 1073741820 1342177275 1610612730 1879048185\n"
              "2147483640 2415919095 2684354550 2952790005 3221225460 3489660915 3758096370 4026531825\n"
              "4294967295\n");

    const std::vector<board_file::RunPlace> places{
        {55, 2, {}}, {7, std::nullopt, recorded}, {0, 0, {}}, {0, std::nullopt, {5}}, {1, 4294967295, {0, 1}}};
    for (const board_file::RunPlace& place : places) {
        const std::string text = board_file::format(boardOfExtremes(), Rules{}, "a note", place);
        SCOPED_TRACE(text.substr(0, text.find("kinds")));
        Squares read;
        Rules readRules;
        board_file::RunPlace readPlace{99, 1, {1}};
        ASSERT_EQ(board_file::parse(text, read, readRules, &readPlace), std::nullopt);
        EXPECT_EQ(readPlace, place);
        EXPECT_EQ(readRules, Rules{});
        expectSameSavedFields(read, boardOfExtremes());
        EXPECT_EQ(board_file::format(read, readRules, "a note", readPlace), text);
    }
    Squares read;
    Rules readRules;
    board_file::RunPlace readPlace{99, 1, {1}};
    ASSERT_EQ(board_file::parse(kThreeByFour, read, readRules, &readPlace), std::nullopt);
    EXPECT_EQ(readPlace, board_file::RunPlace{});
}

TEST(BoardFiles, RefuseAPlaceThatIsNoneAndPlaceLinesBeforeTheThirdVersion) {
    const std::vector<std::string> lines =
        linesOf(board_file::format(threeByFour(), hatchTwoMealFive(), {}, {55, 2, {10, 11, 12}}));
    ASSERT_EQ(lines[6], "next-seeds 3");
    ASSERT_EQ(lines[7], "10 11 12");
    const std::vector<Damage> damages{
        {"a place line in a file of the second version", 1, "vivar board 2",
         "line 5: a \"generation\" line needs version 3 of the format: \"vivar board 3\" as the first line"},
        {"a negative generation", 5, "generation -1",
         "line 5: the generation must be 0 to 9223372036854775807, not \"-1\""},
        {"a generation twice", 6, "generation 56", "line 6: a second \"generation\" line (the first is on line 5)"},
        {"a seed past 32 bits", 6, "seed 4294967296", "line 6: the seed must be 0 to 4294967295, not \"4294967296\""},
        {"a seed that is no number", 6, "seed two", "line 6: the seed must be 0 to 4294967295, not \"two\""},
        {"more next seeds than a file holds", 7, "next-seeds 16777217",
         "line 7: next-seeds must be a count of 0 to 16777216 seeds, not \"16777217\""},
        {"a next seed past 32 bits", 8, "10 4294967296 12",
         "line 8: a next seed must be 0 to 4294967295, not \"4294967296\""},
        {"a next seed too few", 8, "10 11", "line 9: \"next-seeds 3\" on line 7 is followed by 2 seeds, not 3"},
        {"a next seed too many", 8, "10 11 12 13",
         "line 8: \"next-seeds 3\" on line 7 is followed by more than 3 seeds"},
        {"a line of next seeds too many", 8, "10\n11 12\n13",
         "line 10: \"next-seeds 3\" on line 7 is followed by more than 3 seeds"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Squares squares;
        Rules rules;
        board_file::RunPlace place{99, 1, {1}};
        EXPECT_EQ(board_file::parse(damagedText(lines, damage), squares, rules, &place), damage.refusal);
        EXPECT_EQ(squares.width(), Rules{}.width);
        EXPECT_EQ(rules, Rules{});
        EXPECT_EQ(place, (board_file::RunPlace{99, 1, {1}}));
    }
}

TEST(BoardFiles, TellTheFirstRuleThatACommandLineGivesOtherwiseThanTheBoard) {
    const Rules file = hatchTwoMealFive();
    Rules given = board_file::kNothingGiven;
    EXPECT_EQ(board_file::contradiction(file, given), std::nullopt);
    given.meal = 5;
    given.width = 3;
    given.height = 4;
    EXPECT_EQ(board_file::contradiction(file, given), std::nullopt);
    given.mating = 3;
    EXPECT_EQ(board_file::contradiction(file, given), std::nullopt);
    // The standard value, named, is a value like any other.
    given.hatch = 5;
    EXPECT_EQ(board_file::contradiction(file, given), "the board's hatch is 2, not 5 as --rule says");
    given.width = 4;
    given.height = 3;
    EXPECT_EQ(board_file::contradiction(file, given), "the board is 3x4, not 4x3 as --size says");
    Rules fill = board_file::kNothingGiven;
    fill.fill = {0, 0, 0, 100};
    EXPECT_EQ(board_file::contradiction(file, fill), "the board's fill is 60:15:15:10, not 0:0:0:100 as --rule says");
}

}  // namespace
