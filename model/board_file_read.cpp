// Reading a board file: the lines before the grids, the grids and the
// timers, each refused with the line and what is wrong.
#include "model/board_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "model/board_file_lines.h"
#include "model/board_file_terms.h"
#include "model/run_seeds.h"
#include "platform/system.h"

namespace board_file {
namespace {

using namespace terms;

// What comes before the grids.
struct Header {
    int version = 0;
    Rules rules;
    int sizeLine = 0;  // in a file of the first version, the version's line
    RunPlace place;    // without its next seeds, which follow the header
    std::size_t nextSeedCount = 0;
    int nextSeedsLine = 0;  // 0: no next-seeds line
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

}  // namespace

std::optional<std::string> parse(std::string_view text, Board& squares, Rules& rules, RunPlace* place) {
    const std::optional<Problem> problem = readText(text, squares, rules, place);
    if (!problem) {
        return std::nullopt;
    }
    return problem->line == 0 ? problem->what
                              : told(QT_TRANSLATE_NOOP("BoardFile", "line %1: %2"),
                                     {std::to_string(problem->line), problem->what});
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

}  // namespace board_file
