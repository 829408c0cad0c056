#include "model/board_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <system_error>
#include <vector>

#include "base/words.h"
#include "model/run_seeds.h"
#include "platform/system.h"

namespace board_file {
namespace {

using Squares = Board;

// The standard board's file, which has no size or rule lines.
constexpr int kFirstVersion = 1;
// The first version with size and rule lines.
constexpr int kRulesVersion = 2;
// The first version with the lines that tell the board's place in its run.
constexpr int kPlaceVersion = 3;

// What a letter of the kinds grid stands for.
struct Creature {
    char letter;
    std::int32_t kind;
    Flag juvenile;
    Flag eating;
    const char* name;
};

constexpr std::array<Creature, 7> kCreatures{{
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

char letterOf(const CellState& cell) {
    for (const Creature& creature : kCreatures) {
        if (creature.kind == cell.kind && creature.juvenile == (cell.juvenile != 0 ? 1 : 0) &&
            creature.eating == (cell.eating != 0 ? 1 : 0)) {
            return creature.letter;
        }
    }
    // No creature is like this; a reader will refuse it rather than guess.
    return '?';
}

const Creature& creatureOf(char letter) {
    return *std::find_if(kCreatures.begin(), kCreatures.end(),
                         [letter](const Creature& creature) { return creature.letter == letter; });
}

// The file's keywords are marked for translation only so that a message can
// name them with the reader's word beside them; the file keeps them as they
// are.
constexpr std::array<Grid, 3> kGrids{{
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

constexpr std::array<Timer, 5> kTimers{{
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

constexpr std::array<const char*, 2> kSpecies{"brown", "green"};

const Timer& timerNamed(std::string_view name) {
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

constexpr std::array<std::string_view, 5> kKeywords{"kinds", "headings", "phases",
                                                    QT_TRANSLATE_NOOP("BoardFile", "timers"),
                                                    QT_TRANSLATE_NOOP("BoardFile", "end")};
constexpr const char* kSizeKeyword = QT_TRANSLATE_NOOP("BoardFile", "size");
constexpr std::string_view kRuleKeyword = "rule";
constexpr const char* kGenerationKeyword = QT_TRANSLATE_NOOP("BoardFile", "generation");
constexpr const char* kSeedKeyword = QT_TRANSLATE_NOOP("BoardFile", "seed");
constexpr const char* kNextSeedsKeyword = QT_TRANSLATE_NOOP("BoardFile", "next-seeds");
constexpr std::array<const char*, 3> kPlaceKeywords{kGenerationKeyword, kSeedKeyword, kNextSeedsKeyword};

// Next seeds written to a line: short enough to read.
constexpr std::size_t kSeedsPerLine = 8;

constexpr std::string_view kBlanks = " \t";

// Room for comments; version 1 files had a megabyte in all.
constexpr std::size_t kCommentRoom = 1 << 20;
// The version, size and rule lines, "timers" and "end", at their longest.
constexpr std::size_t kLongestHeader = 256;
// The generation, seed and next-seeds lines at their longest.
constexpr std::size_t kLongestPlace = 80;
// "\r\n", the longer line end that the reader takes.
constexpr std::size_t kLineEnd = 2;
// A next seed, on a line of its own at the longest.
constexpr std::size_t kLongestNextSeed = 10 + kLineEnd;

std::size_t digitsOf(std::int64_t number) {
    std::size_t digits = 1;
    for (; number >= 10; number /= 10) {
        ++digits;
    }
    return digits;
}

// The largest board file of all: the most lines (two rows and the most
// columns), as long place numbers as any, and the most next seeds.
std::size_t largestOfAllFiles() {
    return largestFile(Rules::kLeastSide, static_cast<int>(Rules::kMostSquares / Rules::kLeastSide), kMostNextSeeds);
}

// A problem in the words of whoever reads it: the window's language, or
// English for vivar-sim and its scripts.
std::string told(const char* text, std::initializer_list<std::string_view> values = {}) {
    return words::fill(words::translate("BoardFile", text), values);
}

// A keyword in a message: as the file has it, or in a translation the
// reader's word for it with the keyword beside it.
std::string named(const char* keyword) { return words::translate("BoardFile", keyword); }

std::string say(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string say(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}

// Tabs, line ends and printable ASCII. Anything else means the file is not
// one of ours (or was damaged), and would garble the messages that quote it.
bool isPrintable(char c) { return c >= 0x20 && c < 0x7F; }
bool isText(char c) { return isPrintable(c) || c == '\t' || c == '\n' || c == '\r'; }

// Text of the file in a message, on one line and cut short: a line of the
// file may be a megabyte long.
std::string quoted(std::string_view word) {
    constexpr std::size_t kLongest = 24;
    std::string text;
    for (const char c : word.substr(0, kLongest)) {
        text += isPrintable(c) ? c : '?';
    }
    return word.size() <= kLongest ? text : text + "...";
}

// A whole number from 0 to largest, digits only.
template <typename Number>
bool readNumber(std::string_view word, Number largest, Number& value) {
    Number parsed = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (word.empty() || word.front() == '-' || error != std::errc{} || end != word.data() + word.size() ||
        parsed > largest) {
        return false;
    }
    value = parsed;
    return true;
}

// The words of a line, up to the most any line has; `count` tells how many
// there were, even beyond.
struct Words {
    static constexpr std::size_t kMost = 4;
    std::array<std::string_view, kMost> word;
    std::size_t count = 0;
    std::string_view operator[](std::size_t index) const { return word[index]; }
};

Words wordsOf(std::string_view line) {
    Words words;
    for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        if (words.count < Words::kMost) {
            words.word[words.count] = line.substr(start, end - start);
        }
        ++words.count;
        start = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

struct Problem {
    int line;  // 0 when the problem is with the whole text
    std::string what;
};

// What comes before the grids.
struct Header {
    int version = 0;
    Rules rules;
    int sizeLine = 0;  // in a file of the first version, the version's line
    RunPlace place;    // without its next seeds, which follow the header
    std::size_t nextSeedCount = 0;
    int nextSeedsLine = 0;  // 0: no next-seeds line
};

// The lines that say something, without comments, blank lines, trailing
// blanks or the carriage returns of Windows line ends.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        lastPosition_ = position_;
        lastNumber_ = number_;
        while (position_ < text_.size()) {
            const std::size_t end = std::min(text_.find('\n', position_), text_.size());
            line = text_.substr(position_, end - position_);
            position_ = end + 1;
            ++number_;
            line = line.substr(0, line.find_last_not_of(" \t\r") + 1);
            const std::size_t first = line.find_first_not_of(kBlanks);
            if (first != std::string_view::npos && line[first] != '#') {
                return true;
            }
        }
        return false;
    }

    // Takes back the line last read: the next call reads it again.
    void unread() {
        position_ = lastPosition_;
        number_ = lastNumber_;
    }

    // The line last read; at the end of the text, the last line.
    [[nodiscard]] int number() const { return number_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    int number_ = 0;
    std::size_t lastPosition_ = 0;
    int lastNumber_ = 0;
};

bool isKeyword(std::string_view line) { return std::find(kKeywords.begin(), kKeywords.end(), line) != kKeywords.end(); }

std::optional<Problem> expect(Lines& lines, const char* keyword) {
    std::string_view line;
    if (!lines.next(line)) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" is missing"), {named(keyword)})};
    }
    if (line != keyword) {
        return Problem{lines.number(),
                       told(QT_TRANSLATE_NOOP("BoardFile", "expected \"%1\", not \"%2\""),
                            {named(keyword), quoted(line)})};
    }
    return std::nullopt;
}

std::optional<Problem> readVersion(Lines& lines, int& version) {
    std::string_view line;
    if (!lines.next(line)) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "not a vivar board"))};
    }
    const Words words = wordsOf(line);
    if (words.count != 3 || words[0] != "vivar" || words[1] != "board" ||
        words[2].find_first_not_of("0123456789") != std::string_view::npos) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "not a vivar board"))};
    }
    std::int32_t number = 0;
    if (!readNumber(words[2], kVersion, number) || number < kFirstVersion) {
        return Problem{lines.number(),
                       told(QT_TRANSLATE_NOOP("BoardFile", "version %1 is not one this vivar reads"), {quoted(words[2])})};
    }
    version = number;
    return std::nullopt;
}

// "size WxH", which a file after the first version starts with.
std::optional<Problem> readSize(Lines& lines, Rules& rules) {
    std::string_view line;
    if (!lines.next(line)) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" is missing"), {named(kSizeKeyword)})};
    }
    const Words words = wordsOf(line);
    if (words[0] != kSizeKeyword) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "expected \"%1\", not \"%2\""),
                                            {named(kSizeKeyword), quoted(line)})};
    }
    if (words.count != 2 || setSize(rules, words[1])) {
        return Problem{
            lines.number(),
            told(QT_TRANSLATE_NOOP("BoardFile", "the size must be WxH, a width and a height of at least %1 and at "
                                                "most %2 squares in all, not \"%3\""),
                 {std::to_string(Rules::kLeastSide), std::to_string(Rules::kMostSquares),
                  quoted(words.count == 2 ? words[1] : line)})};
    }
    return std::nullopt;
}

// "rule NAME=VALUE" lines, as many as there are, each name once.
std::optional<Problem> readRules(Lines& lines, Rules& rules) {
    std::array<int, kRuleNames.size()> givenOn{};
    std::string_view line;
    while (lines.next(line)) {
        const Words words = wordsOf(line);
        if (words[0] != kRuleKeyword) {
            lines.unread();
            return std::nullopt;
        }
        const int number = lines.number();
        const std::size_t equals = words.count == 2 ? words[1].find('=') : std::string_view::npos;
        if (equals == std::string_view::npos) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "a rule is rule NAME=VALUE, not \"%1\""),
                                        {quoted(line)})};
        }
        const std::string_view name = words[1].substr(0, equals);
        const auto known = std::find(kRuleNames.begin(), kRuleNames.end(), name);
        if (known == kRuleNames.end()) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "unknown rule \"%1\" (hatch, mating, meal, fill)"),
                                        {quoted(name)})};
        }
        int& first = givenOn[static_cast<std::size_t>(known - kRuleNames.begin())];
        if (first != 0) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "a second rule %1 (the first is on line %2)"),
                                        {name, std::to_string(first)})};
        }
        first = number;
        if (setRule(rules, words[1])) {
            const std::string value = quoted(words[1].substr(equals + 1));
            if (name == "fill") {
                return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "fill must be four whole percentages E:B:G:C "
                                                                           "that sum to 100, not \"%1\""),
                                            {value})};
            }
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "%1 must be %2 to %3 visits, not \"%4\""),
                                        {name, std::to_string(Rules::kLeastVisits), std::to_string(Rules::kMostVisits),
                                         value})};
        }
    }
    return std::nullopt;
}

// The version and the board's size: the standard one in a file of the
// first version.
std::optional<Problem> readStart(Lines& lines, Header& header) {
    if (auto problem = readVersion(lines, header.version)) {
        return problem;
    }
    if (header.version != kFirstVersion) {
        if (auto problem = readSize(lines, header.rules)) {
            return problem;
        }
    }
    header.sizeLine = lines.number();
    return std::nullopt;
}

// "generation G", "seed S" and "next-seeds N" lines, as many as there are,
// each once; the next seeds themselves follow the header.
std::optional<Problem> readPlace(Lines& lines, Header& header) {
    std::array<int, kPlaceKeywords.size()> givenOn{};
    std::string_view line;
    while (lines.next(line)) {
        const Words words = wordsOf(line);
        const auto keyword = std::find_if(kPlaceKeywords.begin(), kPlaceKeywords.end(),
                                          [&](const char* candidate) { return words[0] == candidate; });
        if (keyword == kPlaceKeywords.end()) {
            lines.unread();
            return std::nullopt;
        }
        const int number = lines.number();
        const char* name = *keyword;
        if (header.version < kPlaceVersion) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "a \"%1\" line needs version %2 of the "
                                                                       "format: \"vivar board %2\" as the first line"),
                                        {named(name), std::to_string(kPlaceVersion)})};
        }
        int& first = givenOn[static_cast<std::size_t>(keyword - kPlaceKeywords.begin())];
        if (first != 0) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "a second \"%1\" line (the first is on line %2)"),
                                        {named(name), std::to_string(first)})};
        }
        first = number;
        const std::string_view value = words.count == 2 ? words[1] : std::string_view{};
        const std::string shown = quoted(words.count == 2 ? words[1] : line);
        if (name == kGenerationKeyword) {
            if (!readNumber(value, kLargestGeneration, header.place.generation)) {
                return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "the generation must be 0 to %1, not \"%2\""),
                                            {std::to_string(kLargestGeneration), shown})};
            }
        } else if (name == kSeedKeyword) {
            std::uint32_t seed = 0;
            if (!readNumber<std::uint32_t>(value, kLargestSeed, seed)) {
                return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "the seed must be 0 to %1, not \"%2\""),
                                            {std::to_string(kLargestSeed), shown})};
            }
            header.place.seed = seed;
        } else {
            if (!readNumber(value, kMostNextSeeds, header.nextSeedCount)) {
                return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "next-seeds must be a count of 0 to %1 "
                                                                           "seeds, not \"%2\""),
                                            {std::to_string(kMostNextSeeds), shown})};
            }
            header.nextSeedsLine = number;
        }
    }
    return std::nullopt;
}

// The version, and the size, rules and place that come with it: the
// standard rules in a file of the first version.
std::optional<Problem> readHeader(Lines& lines, Header& header) {
    if (auto problem = readStart(lines, header)) {
        return problem;
    }
    if (header.version != kFirstVersion) {
        if (auto problem = readRules(lines, header.rules)) {
            return problem;
        }
    }
    return readPlace(lines, header);
}

// Whether a line holds nothing but whole numbers, as the next seeds' lines do.
bool isNumbers(std::string_view line) { return line.find_first_not_of("0123456789 \t") == std::string_view::npos; }

// The whole numbers that the next-seeds line promises, over as many lines
// as they take.
std::optional<Problem> readNextSeeds(Lines& lines, const Header& header, std::vector<std::uint32_t>& seeds) {
    const std::size_t count = header.nextSeedCount;
    const std::string promise = std::string(kNextSeedsKeyword) + " " + std::to_string(count);
    const auto tooMany = [&](int number) {
        return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" on line %2 is followed by more than %3 seeds"),
                                    {promise, std::to_string(header.nextSeedsLine), std::to_string(count)})};
    };
    // Not reserved for the count: a short file may promise millions.
    std::string_view line;
    while (seeds.size() < count) {
        if (!lines.next(line) || isKeyword(line)) {
            return Problem{lines.number(),
                           told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" on line %2 is followed by %3 seeds, not %4"),
                                {promise, std::to_string(header.nextSeedsLine), std::to_string(seeds.size()),
                                 std::to_string(count)})};
        }
        for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;
             start = line.find_first_not_of(kBlanks, start)) {
            const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
            const std::string_view word = line.substr(start, end - start);
            std::uint32_t seed = 0;
            if (!readNumber<std::uint32_t>(word, kLargestSeed, seed)) {
                return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "a next seed must be 0 to %1, not \"%2\""),
                                                    {std::to_string(kLargestSeed), quoted(word)})};
            }
            if (seeds.size() == count) {
                return tooMany(lines.number());
            }
            seeds.push_back(seed);
            start = end;
        }
    }
    // A line of numbers more, where the grids should begin, is a seed too many.
    if (header.nextSeedsLine != 0 && lines.next(line)) {
        if (isNumbers(line)) {
            return tooMany(lines.number());
        }
        lines.unread();
    }
    return std::nullopt;
}

std::optional<Problem> readGrid(Lines& lines, const Grid& grid, Squares& squares) {
    if (auto problem = expect(lines, grid.name)) {
        return problem;
    }
    const int lineCount = squares.height();
    const int lineLength = squares.width();
    for (int row = 0; row < lineCount; ++row) {
        std::string_view line;
        if (!lines.next(line) || isKeyword(line)) {
            return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" has %2 rows, not %3"),
                                                {named(grid.name), std::to_string(row), std::to_string(lineCount)})};
        }
        if (line.size() != static_cast<std::size_t>(lineLength)) {
            return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "%1 characters, not the %2 of a row"),
                                                {std::to_string(line.size()), std::to_string(lineLength)})};
        }
        for (int column = 0; column < lineLength; ++column) {
            const char c = line[static_cast<std::size_t>(column)];
            if (grid.characters.find(c) == std::string_view::npos) {
                return Problem{lines.number(),
                               told(grid.refusal, {std::to_string(column + 1), std::string(1, isPrintable(c) ? c : '?')})};
            }
            grid.read(squares[squareAt(squares, row, column)], c);
        }
    }
    return std::nullopt;
}

// A timer line already read without a problem: its square and timer.
struct TimerPlace {
    std::size_t square;
    std::size_t timer;
};

TimerPlace placeOfValidTimer(const Words& words, const Squares& squares) {
    std::int32_t row = 0;
    std::int32_t column = 0;
    readNumber(words[0], squares.height(), row);
    readNumber(words[1], squares.width(), column);
    const auto timer = std::find_if(kTimers.begin(), kTimers.end(),
                                    [&](const Timer& candidate) { return words[2] == candidate.name; });
    return {squareAt(squares, row - 1, column - 1), static_cast<std::size_t>(timer - kTimers.begin())};
}

// The line that first gave this timer of this square, reading again from
// the first timer line: a bit a square keeps the timers it was given in,
// where a line number for each would cost a large board far more.
int firstLineOf(Lines lines, TimerPlace place, const Squares& squares) {
    std::string_view line;
    while (lines.next(line)) {
        const TimerPlace given = placeOfValidTimer(wordsOf(line), squares);
        if (given.square == place.square && given.timer == place.timer) {
            return lines.number();
        }
    }
    return 0;
}

std::optional<Problem> readTimers(Lines& lines, Squares& squares, const Rules& rules, int version) {
    if (auto problem = expect(lines, "timers")) {
        return problem;
    }
    static_assert(kTimers.size() <= 8, "a square's timers given are the bits of a byte");
    std::vector<std::uint8_t> given(squares.size());
    const Lines firstTimer = lines;
    const int lineCount = squares.height();
    const int lineLength = squares.width();
    std::string_view line;
    while (lines.next(line)) {
        if (line == "end") {
            return std::nullopt;
        }
        const int number = lines.number();
        const Words words = wordsOf(line);
        if (words.count != 4) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "a timer is ROW COLUMN NAME VALUE, not \"%1\""),
                                        {quoted(line)})};
        }
        std::int32_t row = 0;
        std::int32_t column = 0;
        if (!readNumber(words[0], lineCount, row) || row < 1) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "the row must be 1 to %1, not \"%2\""),
                                        {std::to_string(lineCount), quoted(words[0])})};
        }
        if (!readNumber(words[1], lineLength, column) || column < 1) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "the column must be 1 to %1, not \"%2\""),
                                        {std::to_string(lineLength), quoted(words[1])})};
        }
        const auto timer = std::find_if(kTimers.begin(), kTimers.end(),
                                        [&](const Timer& candidate) { return words[2] == candidate.name; });
        if (timer == kTimers.end()) {
            return Problem{
                number, told(QT_TRANSLATE_NOOP("BoardFile", "unknown timer \"%1\" (age, mating, mate-turns, eat-turns, prey)"),
                             {quoted(words[2])})};
        }
        const std::size_t square = squareAt(squares, row - 1, column - 1);
        CellState& cell = squares[square];
        const char letter = letterOf(cell);
        if (timer->holders.find(letter) == std::string_view::npos) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "row %1, column %2 holds %3, which has no %4"),
                                        {std::to_string(row), std::to_string(column),
                                         words::translate("BoardFile", creatureOf(letter).name), named(timer->name)})};
        }
        const auto index = static_cast<std::size_t>(timer - kTimers.begin());
        const auto bit = static_cast<std::uint8_t>(1U << index);
        if ((given[square] & bit) != 0) {
            return Problem{number,
                           told(QT_TRANSLATE_NOOP("BoardFile", "a second %1 for row %2, column %3 (the first is on line %4)"),
                                {named(timer->name), std::to_string(row), std::to_string(column),
                                 std::to_string(firstLineOf(firstTimer, {square, index}, squares))})};
        }
        given[square] = static_cast<std::uint8_t>(given[square] | bit);
        std::int32_t value = 0;
        const std::int32_t largest = timer->largest(rules, version);
        if (timer->species) {
            const auto species = std::find(kSpecies.begin(), kSpecies.end(), words[3]);
            if (species == kSpecies.end()) {
                return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "%1 must be brown or green, not \"%2\""),
                                            {named(timer->name), quoted(words[3])})};
            }
            value = static_cast<std::int32_t>(species - kSpecies.begin());
        } else if (!readNumber(words[3], largest, value)) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "%1 must be 0 to %2, not \"%3\""),
                                        {named(timer->name), std::to_string(largest), quoted(words[3])})};
        }
        timer->set(cell, value);
    }
    return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" is missing"), {named("end")})};
}

std::optional<Problem> tooLarge(std::size_t largest) {
    return Problem{0, told(QT_TRANSLATE_NOOP("BoardFile", "larger than %1 bytes, not a vivar board"),
                           {std::to_string(largest)})};
}

// The length of the UTF-8 character starting at `at`, a well-formed one
// beyond ASCII; 0 if none starts there.
std::size_t utf8Length(std::string_view text, std::size_t at, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() - at < length) {
        return 0;
    }
    code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (next & 0x3F);
    }
    constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code < 0xE000;
    return code >= kLeast[length] && code <= 0x10FFFF && !surrogate ? length : 0;
}

// A text in UTF-8, a README say, is told by its first character beyond
// ASCII and that character's line; anything else is no text at all.
Problem notText(std::string_view text, std::size_t first) {
    std::uint32_t code = 0;
    const std::size_t length = utf8Length(text, first, code);
    if (length == 0) {
        return Problem{0, told(QT_TRANSLATE_NOOP("BoardFile", "not a text file"))};
    }
    const std::string_view before = text.substr(0, first);
    const auto line = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
    return Problem{line,
                   told(QT_TRANSLATE_NOOP("BoardFile", "'%1' (U+%2) is not ASCII: board files are plain ASCII text"),
                        {text.substr(first, length), say("%04X", static_cast<unsigned>(code))})};
}

std::optional<Problem> readText(std::string_view text, Squares& squares, Rules& rules, RunPlace* place) {
    if (text.empty()) {
        return Problem{0, told(QT_TRANSLATE_NOOP("BoardFile", "empty, not a vivar board"))};
    }
    if (text.size() > largestOfAllFiles()) {
        return tooLarge(largestOfAllFiles());
    }
    if (const auto first = std::find_if_not(text.begin(), text.end(), isText); first != text.end()) {
        return notText(text, static_cast<std::size_t>(first - text.begin()));
    }
    Lines lines(text);
    Header header;
    if (auto problem = readHeader(lines, header)) {
        return problem;
    }
    const Rules& read = header.rules;
    if (const std::size_t largest = largestFile(read.width, read.height, header.nextSeedCount); text.size() > largest) {
        return tooLarge(largest);
    }
    std::vector<std::uint32_t> nextSeeds;
    if (auto problem = readNextSeeds(lines, header, nextSeeds)) {
        return problem;
    }
    // What the file does not hold is 0, as a vacated square or a new egg
    // has it.
    Squares parsed(read.width, read.height);
    for (const Grid& grid : kGrids) {
        if (auto problem = readGrid(lines, grid, parsed)) {
            return problem;
        }
    }
    if (auto problem = readTimers(lines, parsed, read, header.version)) {
        return problem;
    }
    std::string_view line;
    if (lines.next(line)) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "text after \"end\""))};
    }
    squares = std::move(parsed);
    rules = read;
    if (place != nullptr) {
        *place = std::move(header.place);
        place->nextSeeds = std::move(nextSeeds);
    }
    return std::nullopt;
}

// The largest the file may be, as its first lines tell once the lines
// before the grids are whole; nothing while they are not, or are not
// well-formed: reading the whole text tells then.
std::optional<std::size_t> largestByFirstLines(std::string_view text) {
    Lines lines(text.substr(0, text.rfind('\n') + 1));
    Header header;
    if (readStart(lines, header)) {
        return std::nullopt;
    }
    std::string_view line;
    if ((header.version != kFirstVersion && readRules(lines, header.rules)) || readPlace(lines, header) ||
        !lines.next(line)) {
        return std::nullopt;
    }
    return largestFile(header.rules.width, header.rules.height, header.nextSeedCount);
}

// Whether the board is the standard one that the first version holds.
template <typename Kept>
bool fitsFirstVersion(const Kept& squares, const Rules& rules) {
    if (!rules.isStandard()) {
        return false;
    }
    const Timer& mateTurns = timerNamed("mate-turns");
    const std::size_t count = static_cast<std::size_t>(squares.width()) * static_cast<std::size_t>(squares.height());
    for (std::size_t square = 0; square < count; ++square) {
        const CellState& cell = squares[square];
        if (mateTurns.holders.find(letterOf(cell)) != std::string_view::npos &&
            mateTurns.get(cell) > mateTurns.largest(rules, kFirstVersion)) {
            return false;
        }
    }
    return true;
}

// The text of a board, written as it is made: into a string, or through a
// buffer into a file, so that a large board's text is never held whole.
class Text {
public:
    explicit Text(std::string& whole) : text_(whole) {}
    explicit Text(std::FILE* file) : text_(buffer_), file_(file) {}
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    Text& operator+=(std::string_view more) {
        text_ += more;
        flushIfFull();
        return *this;
    }
    Text& operator+=(char c) {
        text_ += c;
        flushIfFull();
        return *this;
    }
    // Writes what is buffered; the first failure to write, or 0.
    int flush() {
        if (file_ != nullptr && !buffer_.empty()) {
            if (error_ == 0 && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
                error_ = errno != 0 ? errno : EIO;
            }
            buffer_.clear();
        }
        return error_;
    }

private:
    static constexpr std::size_t kBuffered = std::size_t{1} << 16;
    void flushIfFull() {
        if (file_ != nullptr && buffer_.size() >= kBuffered) {
            flush();
        }
    }

    std::string buffer_;
    std::string& text_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
};


std::string reasonOf(int error) {
    return error != 0 ? std::strerror(error) : told(QT_TRANSLATE_NOOP("BoardFile", "input/output error"));
}

}  // namespace

std::optional<std::string> noRoomToRun(std::int64_t first, std::int64_t generations) {
    if (generations <= kLargestGeneration - first) {
        return std::nullopt;
    }
    if (generations == 1) {
        return told(QT_TRANSLATE_NOOP("BoardFile", "holds generation %1, the last that can be counted: the run cannot "
                                                   "go on from it"),
                    {std::to_string(first)});
    }
    return told(QT_TRANSLATE_NOOP("BoardFile", "holds generation %1: %2 generations more would pass generation %3"),
                {std::to_string(first), std::to_string(generations), std::to_string(kLargestGeneration)});
}

std::size_t largestFile(int width, int height, std::size_t nextSeeds) {
    const auto lineLength = static_cast<std::size_t>(width);
    const auto lineCount = static_cast<std::size_t>(height);
    // Each grid: its keyword's line, then a line for each board column.
    constexpr std::size_t kLongestKeyword = 8;
    const std::size_t grids = kGrids.size() * (kLongestKeyword + kLineEnd + lineCount * (lineLength + kLineEnd));
    // ROW COLUMN NAME VALUE, on the longest line each part can be: "mate-turns", "green" or "999".
    constexpr std::size_t kLongestName = 10;
    constexpr std::size_t kLongestValue = 5;
    const std::size_t timerLine = digitsOf(height) + 1 + digitsOf(width) + 1 + kLongestName + 1 + kLongestValue + kLineEnd;
    return kCommentRoom + kLongestHeader + kLongestPlace + std::min(nextSeeds, kMostNextSeeds) * kLongestNextSeed +
           grids + lineLength * lineCount * mostTimersOfASquare() * timerLine;
}

std::optional<std::string> parse(std::string_view text, Board& squares, Rules& rules, RunPlace* place) {
    const std::optional<Problem> problem = readText(text, squares, rules, place);
    if (!problem) {
        return std::nullopt;
    }
    return problem->line == 0 ? problem->what
                              : told(QT_TRANSLATE_NOOP("BoardFile", "line %1: %2"),
                                     {std::to_string(problem->line), problem->what});
}

namespace {

template <typename Kept>
void writeText(Text& text, const Kept& squares, const Rules& boardRules, std::string_view comment,
               const RunPlace& place) {
    Rules rules = boardRules;
    rules.width = squares.width();
    rules.height = squares.height();
    const bool placed = place.generation != 0 || place.seed || !place.nextSeeds.empty();
    const int version = placed ? kPlaceVersion : fitsFirstVersion(squares, rules) ? kFirstVersion : kRulesVersion;
    text += say("vivar board %d\n", version);
    // Only characters the reader takes, or the file would not load again.
    for (std::size_t start = 0; start < comment.size();) {
        const std::size_t end = std::min(comment.find('\n', start), comment.size());
        text += end > start ? "# " : "#";
        for (const char c : comment.substr(start, end - start)) {
            text += isPrintable(c) ? c : '?';
        }
        text += '\n';
        start = end + 1;
    }
    if (version != kFirstVersion) {
        text += std::string(kSizeKeyword) + " " + sizeText(rules) + "\n";
        // A file past the first names its size, standard or not, and only the rules that differ.
        for (const auto& [name, value] : differencesFromStandard(rules).rules) {
            text += std::string(kRuleKeyword) + " " + std::string(name) + "=" + value + "\n";
        }
    }
    if (placed) {
        text += std::string(kGenerationKeyword) + " " + std::to_string(place.generation) + "\n";
        if (place.seed) {
            text += std::string(kSeedKeyword) + " " + std::to_string(*place.seed) + "\n";
        }
        const std::size_t count = std::min(place.nextSeeds.size(), kMostNextSeeds);
        if (count != 0) {
            text += std::string(kNextSeedsKeyword) + " " + std::to_string(count) + "\n";
            for (std::size_t index = 0; index < count; ++index) {
                text += std::to_string(place.nextSeeds[index]);
                text += (index + 1) % kSeedsPerLine == 0 || index + 1 == count ? '\n' : ' ';
            }
        }
    }
    const int lineCount = squares.height();
    const int lineLength = squares.width();
    for (const Grid& grid : kGrids) {
        text += grid.name;
        text += '\n';
        for (int line = 0; line < lineCount; ++line) {
            for (int position = 0; position < lineLength; ++position) {
                text += grid.write(squares[squareAt(squares, line, position)]);
            }
            text += '\n';
        }
    }
    text += "timers\n";
    for (int row = 1; row <= lineCount; ++row) {
        for (int column = 1; column <= lineLength; ++column) {
            const CellState& cell = squares[squareAt(squares, row - 1, column - 1)];
            const char letter = letterOf(cell);
            for (const Timer& timer : kTimers) {
                if (timer.holders.find(letter) == std::string_view::npos) {
                    continue;
                }
                const std::int32_t value = timer.get(cell);
                // A prey is always named, so that a reader sees what is eaten.
                if (timer.species) {
                    text += say("%d %d %s %s\n", row, column, timer.name, kSpecies[value != 0 ? 1 : 0]);
                } else if (value != 0) {
                    text += say("%d %d %s %d\n", row, column, timer.name, value);
                }
            }
        }
    }
    text += "end\n";
}

}  // namespace

std::string format(const Board& squares, const Rules& rules, std::string_view comment, const RunPlace& place) {
    std::string whole;
    {
        Text text(whole);
        writeText(text, squares, rules, comment, place);
    }
    return whole;
}

std::optional<std::string> load(const std::filesystem::path& path, Board& squares, Rules& rules, RunPlace* place) {
    const std::string name = platform::utf8Name(path);
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr) {
        return name + ": " + reasonOf(errno);
    }
    // A little more than the board's size allows, once the first lines tell
    // it, or than any board may be, tells a larger file without reading all
    // of it; so does a first byte that is not text.
    std::string text;
    std::size_t largest = largestOfAllFiles();
    bool sized = false;
    std::array<char, 1 << 16> chunk;
    for (std::size_t got = chunk.size(); got == chunk.size() && text.size() <= largest;) {
        got = std::fread(chunk.data(), 1, chunk.size(), file);
        text.append(chunk.data(), got);
        if (!std::all_of(chunk.data(), chunk.data() + got, isText)) {
            break;
        }
        // The first lines come after a megabyte of comments at most.
        if (!sized && text.size() <= 2 * kCommentRoom) {
            if (const auto fromFirstLines = largestByFirstLines(text)) {
                largest = *fromFirstLines;
                sized = true;
            }
        }
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        return name + ": " + reasonOf(error);
    }
    const std::optional<Problem> problem = readText(text, squares, rules, place);
    if (!problem) {
        return std::nullopt;
    }
    return problem->line == 0 ? name + ": " + problem->what
                              : say("%s:%d: %s", name.c_str(), problem->line, problem->what.c_str());
}

namespace {

// A comment that tells how to go on names this file; a name beyond ASCII,
// which a board file cannot hold, becomes FILE there, and the comment says so.
std::string commandsOnlyInAscii(std::string_view comment, const std::filesystem::path& path) {
    std::string told(comment);
    bool replaced = false;
    for (const std::string& name : {platform::utf8Name(path), platform::utf8Name(path.filename())}) {
        if (name.empty() || std::all_of(name.begin(), name.end(), isPrintable)) {
            continue;
        }
        // Quoted for a shell first, so that FILE stands bare.
        for (const std::string& word : {"'" + name + "'", name}) {
            for (std::size_t at = told.find(word); at != std::string::npos; at = told.find(word, at)) {
                told.replace(at, word.size(), "FILE");
                replaced = true;
            }
        }
    }
    return replaced ? told + " (FILE is this file, whose name is not ASCII)" : told;
}

template <typename Kept>
std::optional<std::string> saveText(const std::filesystem::path& path, const Kept& squares, const Rules& rules,
                                    std::string_view comment, const RunPlace& place) {
    const std::string name = platform::utf8Name(path);
    // A device or a pipe (standard output, say) holds no old copy to keep,
    // and takes the text as a stream.
    platform::OutputFile file;
    if (const auto problem = file.open(path, platform::Writing::whole, platform::Streams::yes)) {
        return name + ": " + *problem;
    }
    Text text(file.stream());
    writeText(text, squares, rules, commandsOnlyInAscii(comment, path), place);
    if (const int error = text.flush()) {
        file.abandon();
        return name + ": " + reasonOf(error);
    }
    if (const auto problem = file.commit()) {
        return name + ": " + *problem;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> save(const std::filesystem::path& path, const Board& squares, const Rules& rules,
                                std::string_view comment, const RunPlace& place) {
    return saveText(path, squares, rules, comment, place);
}

std::optional<std::string> save(const std::filesystem::path& path, const PackedBoard& squares, const Rules& rules,
                                std::string_view comment, const RunPlace& place) {
    return saveText(path, squares, rules, comment, place);
}

std::optional<std::string> contradiction(const Rules& file, const Rules& given) {
    if (given.width != kNothingGiven.width && (given.width != file.width || given.height != file.height)) {
        return told(QT_TRANSLATE_NOOP("BoardFile", "the board is %1, not %2 as --size says"),
                    {sizeText(file), sizeText(given)});
    }
    for (const std::string_view name : kRuleNames) {
        const std::string value = ruleValue(given, name);
        if (value != ruleValue(kNothingGiven, name) && value != ruleValue(file, name)) {
            return told(QT_TRANSLATE_NOOP("BoardFile", "the board's %1 is %2, not %3 as --rule says"),
                        {name, ruleValue(file, name), value});
        }
    }
    return std::nullopt;
}

}  // namespace board_file
