#pragma once

// What board files' reader and writer share: the format's versions, its
// grids, timers and keywords, the limits on a file's size, and its messages.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/words.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/rules.h"

namespace board_file::terms {

using Squares = Board;

// The standard board's file, which has no size or rule lines.
inline constexpr int kFirstVersion = 1;
// The first version with size and rule lines.
inline constexpr int kRulesVersion = 2;
// The first version with the lines that tell the board's place in its run.
inline constexpr int kPlaceVersion = 3;

// What a letter of the kinds grid stands for.
struct Creature {
    char letter;
    std::int32_t kind;
    Flag juvenile;
    Flag eating;
    const char* name;
};

inline constexpr std::array<Creature, 7> kCreatures{{
    {'.', kEmpty, 0, 0, QT_TRANSLATE_NOOP("BoardFile", "an empty square")},
    {'B', kLizard1, 0, 0, QT_TRANSLATE_NOOP("BoardFile", "a brown lizard")},
    {'b', kLizard1, 1, 0, QT_TRANSLATE_NOOP("BoardFile", "a brown egg")},
    {'G', kLizard2, 0, 0, QT_TRANSLATE_NOOP("BoardFile", "a green lizard")},
    {'g', kLizard2, 1, 0, QT_TRANSLATE_NOOP("BoardFile", "a green egg")},
    {'C', kCat, 0, 0, QT_TRANSLATE_NOOP("BoardFile", "a cat")},
    {'E', kCat, 0, 1, QT_TRANSLATE_NOOP("BoardFile", "an eating cat")},
}};

// A field of the record, whatever its width, from a value the file allows.
template <typename Field>
void put(Field& field, std::int32_t value) {
    field = static_cast<Field>(value);
}

// The three grids, in the order the file has them: each square's
// character, and what it sets.
struct Grid {
    const char* name;
    std::string_view characters;
    const char* refusal;  // for a character that is not one of them: its column, then it
    char (*write)(const CellState&);
    void (*read)(CellState&, char);
};

inline char letterOf(const CellState& cell) {
    for (const Creature& creature : kCreatures) {
        if (creature.kind == cell.kind && creature.juvenile == (cell.juvenile != 0 ? 1 : 0) &&
            creature.eating == (cell.eating != 0 ? 1 : 0)) {
            return creature.letter;
        }
    }
    // No creature is like this; a reader will refuse it rather than guess.
    return '?';
}

inline const Creature& creatureOf(char letter) {
    return *std::find_if(kCreatures.begin(), kCreatures.end(),
                         [letter](const Creature& creature) { return creature.letter == letter; });
}

// The file's keywords are marked for translation only so that a message can
// name them with the reader's word beside them; the file keeps them as they
// are.
inline constexpr std::array<Grid, 3> kGrids{{
    //: A board file's keyword, which a message names: your words for it, with the keyword itself in brackets
    {QT_TRANSLATE_NOOP("BoardFile", "kinds"), ".BbGgCE",
     QT_TRANSLATE_NOOP("BoardFile", "column %1: '%2' is not a kind (. B b G g C E)"), letterOf,
     [](CellState& cell, char letter) {
         const Creature& creature = creatureOf(letter);
         put(cell.kind, creature.kind);
         cell.juvenile = creature.juvenile;
         cell.eating = creature.eating;
     }},
    {QT_TRANSLATE_NOOP("BoardFile", "headings"), "12345678",
     QT_TRANSLATE_NOOP("BoardFile", "column %1: '%2' is not a heading 1 to 8"),
     [](const CellState& cell) { return static_cast<char>('0' + cell.direction); },
     [](CellState& cell, char digit) { put(cell.direction, digit - '0'); }},
    {QT_TRANSLATE_NOOP("BoardFile", "phases"), "01",
     QT_TRANSLATE_NOOP("BoardFile", "column %1: '%2' is not a phase 0 or 1"),
     [](const CellState& cell) { return static_cast<char>('0' + cell.phase); },
     [](CellState& cell, char digit) { cell.phase = static_cast<Flag>(digit - '0'); }},
}};

// A timer: which creatures have it (as kinds letters), its largest value
// by the board's rules, and the field it is. A prey's values are the
// species' names.
struct Timer {
    const char* name;
    std::string_view holders;
    bool species;
    std::int32_t (*largest)(const Rules&, int version);
    std::int32_t (*get)(const CellState&);
    void (*set)(CellState&, std::int32_t);
};

inline constexpr std::array<Timer, 5> kTimers{{
    //: A timer's name in a board file, which a message names: your word for it, with the name itself in brackets
    {QT_TRANSLATE_NOOP("BoardFile", "age"), "bg", false, [](const Rules& rules, int) { return rules.hatch - 1; },
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.age); },
     [](CellState& cell, std::int32_t value) { put(cell.age, value); }},
    {QT_TRANSLATE_NOOP("BoardFile", "mating"), "BG", false, [](const Rules&, int) { return 1; },
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.mating); },
     [](CellState& cell, std::int32_t value) { cell.mating = static_cast<Flag>(value); }},
    // A fill keeps the mating count a square had, so one left by a board's
    // earlier, longer matings may pass this board's; it ends the next
    // mating at once, which the standard board never shows.
    {QT_TRANSLATE_NOOP("BoardFile", "mate-turns"), "BGCE", false,
     [](const Rules& rules, int version) { return version == kFirstVersion ? rules.mating - 1 : Rules::kMostVisits - 1; },
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.mateTurns); },
     [](CellState& cell, std::int32_t value) { put(cell.mateTurns, value); }},
    {QT_TRANSLATE_NOOP("BoardFile", "eat-turns"), "E", false, [](const Rules& rules, int) { return rules.meal - 1; },
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.eatTurns); },
     [](CellState& cell, std::int32_t value) { put(cell.eatTurns, value); }},
    {QT_TRANSLATE_NOOP("BoardFile", "prey"), "E", true, [](const Rules&, int) { return 1; },
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.preyIsKind2 != 0); },
     [](CellState& cell, std::int32_t value) { cell.preyIsKind2 = static_cast<Flag>(value); }},
}};

inline constexpr std::array<const char*, 2> kSpecies{"brown", "green"};

inline const Timer& timerNamed(std::string_view name) {
    return *std::find_if(kTimers.begin(), kTimers.end(), [name](const Timer& timer) { return timer.name == name; });
}

// The most timer lines one square can have: an eating cat's.
constexpr std::size_t mostTimersOfASquare() {
    std::size_t most = 0;
    for (const Creature& creature : kCreatures) {
        std::size_t count = 0;
        for (const Timer& timer : kTimers) {
            count += timer.holders.find(creature.letter) != std::string_view::npos ? 1 : 0;
        }
        most = std::max(most, count);
    }
    return most;
}

// The file draws the board as the home view shows it, as the inspector names
// places: a line for each row down the screen, a character for each square
// across it. Both from 0 here.
template <typename Kept>
std::size_t squareAt(const Kept& squares, int line, int position) {
    return static_cast<std::size_t>(position) * static_cast<std::size_t>(squares.height()) +
           static_cast<std::size_t>(line);
}

inline constexpr std::array<std::string_view, 5> kKeywords{"kinds", "headings", "phases",
                                                    QT_TRANSLATE_NOOP("BoardFile", "timers"),
                                                    QT_TRANSLATE_NOOP("BoardFile", "end")};
inline constexpr const char* kSizeKeyword = QT_TRANSLATE_NOOP("BoardFile", "size");
inline constexpr std::string_view kRuleKeyword = "rule";
inline constexpr const char* kGenerationKeyword = QT_TRANSLATE_NOOP("BoardFile", "generation");
inline constexpr const char* kSeedKeyword = QT_TRANSLATE_NOOP("BoardFile", "seed");
inline constexpr const char* kNextSeedsKeyword = QT_TRANSLATE_NOOP("BoardFile", "next-seeds");
inline constexpr std::array<const char*, 3> kPlaceKeywords{kGenerationKeyword, kSeedKeyword, kNextSeedsKeyword};

// Next seeds written to a line: short enough to read.
inline constexpr std::size_t kSeedsPerLine = 8;

inline constexpr std::string_view kBlanks = " \t";

// Room for comments; version 1 files had a megabyte in all.
inline constexpr std::size_t kCommentRoom = 1 << 20;
// The version, size and rule lines, "timers" and "end", at their longest.
inline constexpr std::size_t kLongestHeader = 256;
// The generation, seed and next-seeds lines at their longest.
inline constexpr std::size_t kLongestPlace = 80;
// "\r\n", the longer line end that the reader takes.
inline constexpr std::size_t kLineEnd = 2;
// A next seed, on a line of its own at the longest.
inline constexpr std::size_t kLongestNextSeed = 10 + kLineEnd;

// The largest board file of all: the most lines (two rows and the most
// columns), as long place numbers as any, and the most next seeds.
std::size_t largestOfAllFiles();

// A problem in the words of whoever reads it: the window's language, or
// English for vivar-sim and its scripts.
std::string told(const char* text, std::initializer_list<std::string_view> values = {});

// A keyword in a message: as the file has it, or in a translation the
// reader's word for it with the keyword beside it.
std::string named(const char* keyword);

std::string say(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Why a read or a write failed: the system's words for the error.
std::string reasonOf(int error);

// Tabs, line ends and printable ASCII. Anything else means the file is not
// one of ours (or was damaged), and would garble the messages that quote it.
inline bool isPrintable(char c) { return c >= 0x20 && c < 0x7F; }
inline bool isText(char c) { return isPrintable(c) || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace board_file::terms
