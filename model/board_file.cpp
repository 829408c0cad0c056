#include "model/board_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <initializer_list>
#include <vector>

#include "app/words.h"
#include "platform/system.h"

namespace board_file {
namespace {

using Squares = Board;

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
         cell.kind = creature.kind;
         cell.juvenile = creature.juvenile;
         cell.eating = creature.eating;
     }},
    {QT_TRANSLATE_NOOP("BoardFile", "headings"), "12345678",
     QT_TRANSLATE_NOOP("BoardFile", "column %1: '%2' is not a heading 1 to 8"),
     [](const CellState& cell) { return static_cast<char>('0' + cell.direction); },
     [](CellState& cell, char digit) { cell.direction = digit - '0'; }},
    {QT_TRANSLATE_NOOP("BoardFile", "phases"), "01",
     QT_TRANSLATE_NOOP("BoardFile", "column %1: '%2' is not a phase 0 or 1"),
     [](const CellState& cell) { return static_cast<char>('0' + cell.phase); },
     [](CellState& cell, char digit) { cell.phase = static_cast<Flag>(digit - '0'); }},
}};

// A timer: which creatures have it (as kinds letters), its largest value,
// and the field it is. A prey's values are the species' names.
struct Timer {
    const char* name;
    std::string_view holders;
    std::int32_t largest;
    bool species;
    std::int32_t (*get)(const CellState&);
    void (*set)(CellState&, std::int32_t);
};

constexpr std::array<Timer, 5> kTimers{{
    //: A timer's name in a board file, which a message names: your word for it, with the name itself in brackets
    {QT_TRANSLATE_NOOP("BoardFile", "age"), "bg", 4, false, [](const CellState& cell) { return cell.age; },
     [](CellState& cell, std::int32_t value) { cell.age = value; }},
    {QT_TRANSLATE_NOOP("BoardFile", "mating"), "BG", 1, false,
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.mating); },
     [](CellState& cell, std::int32_t value) { cell.mating = static_cast<Flag>(value); }},
    {QT_TRANSLATE_NOOP("BoardFile", "mate-turns"), "BGCE", 2, false,
     [](const CellState& cell) { return cell.mateTurns; },
     [](CellState& cell, std::int32_t value) { cell.mateTurns = value; }},
    {QT_TRANSLATE_NOOP("BoardFile", "eat-turns"), "E", 2, false, [](const CellState& cell) { return cell.eatTurns; },
     [](CellState& cell, std::int32_t value) { cell.eatTurns = value; }},
    {QT_TRANSLATE_NOOP("BoardFile", "prey"), "E", 1, true,
     [](const CellState& cell) { return static_cast<std::int32_t>(cell.preyIsKind2 != 0); },
     [](CellState& cell, std::int32_t value) { cell.preyIsKind2 = static_cast<Flag>(value); }},
}};

constexpr std::array<const char*, 2> kSpecies{"brown", "green"};

// The file draws the board as the home view shows it, as the inspector names
// places: its lines run down the screen, along a board column, and its
// characters across, along a board row. Both from 0 here.
std::size_t squareAt(int line, int position) { return static_cast<std::size_t>(position * kBoardSide + line); }

constexpr std::array<std::string_view, 5> kKeywords{"kinds", "headings", "phases",
                                                    QT_TRANSLATE_NOOP("BoardFile", "timers"),
                                                    QT_TRANSLATE_NOOP("BoardFile", "end")};

constexpr std::string_view kBlanks = " \t";

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
bool readNumber(std::string_view word, std::int32_t largest, std::int32_t& value) {
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (word.empty() || word.front() == '-' || error != std::errc{} || end != word.data() + word.size() ||
        parsed > largest) {
        return false;
    }
    value = parsed;
    return true;
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        words.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

struct Problem {
    int line;  // 0 when the problem is with the whole text
    std::string what;
};

// The lines that say something, without comments, blank lines, trailing
// blanks or the carriage returns of Windows line ends.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
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

    // The line last read; at the end of the text, the last line.
    [[nodiscard]] int number() const { return number_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    int number_ = 0;
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

std::optional<Problem> readVersion(Lines& lines) {
    std::string_view line;
    if (!lines.next(line)) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "not a vivar board"))};
    }
    const std::vector<std::string_view> words = wordsOf(line);
    if (words.size() != 3 || words[0] != "vivar" || words[1] != "board" ||
        words[2].find_first_not_of("0123456789") != std::string_view::npos) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "not a vivar board"))};
    }
    std::int32_t version = 0;
    if (!readNumber(words[2], kVersion, version) || version != kVersion) {
        return Problem{lines.number(),
                       told(QT_TRANSLATE_NOOP("BoardFile", "version %1 is not one this vivar reads"), {quoted(words[2])})};
    }
    return std::nullopt;
}

std::optional<Problem> readGrid(Lines& lines, const Grid& grid, Squares& squares) {
    if (auto problem = expect(lines, grid.name)) {
        return problem;
    }
    for (int row = 0; row < kBoardSide; ++row) {
        std::string_view line;
        if (!lines.next(line) || isKeyword(line)) {
            return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" has %2 rows, not %3"),
                                                {named(grid.name), std::to_string(row), std::to_string(kBoardSide)})};
        }
        if (line.size() != kBoardSide) {
            return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "%1 characters, not the %2 of a row"),
                                                {std::to_string(line.size()), std::to_string(kBoardSide)})};
        }
        for (int column = 0; column < kBoardSide; ++column) {
            const char c = line[static_cast<std::size_t>(column)];
            if (grid.characters.find(c) == std::string_view::npos) {
                return Problem{lines.number(),
                               told(grid.refusal, {std::to_string(column + 1), std::string(1, isPrintable(c) ? c : '?')})};
            }
            grid.read(squares[squareAt(row, column)], c);
        }
    }
    return std::nullopt;
}

std::optional<Problem> readTimers(Lines& lines, Squares& squares) {
    if (auto problem = expect(lines, "timers")) {
        return problem;
    }
    // The line each square's timers were given on, to name a duplicate's first.
    std::vector<std::array<int, kTimers.size()>> givenOn(kSquareCount);
    std::string_view line;
    while (lines.next(line)) {
        if (line == "end") {
            return std::nullopt;
        }
        const int number = lines.number();
        const std::vector<std::string_view> words = wordsOf(line);
        if (words.size() != 4) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "a timer is ROW COLUMN NAME VALUE, not \"%1\""),
                                        {quoted(line)})};
        }
        std::int32_t row = 0;
        std::int32_t column = 0;
        if (!readNumber(words[0], kBoardSide, row) || row < 1) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "the row must be 1 to %1, not \"%2\""),
                                        {std::to_string(kBoardSide), quoted(words[0])})};
        }
        if (!readNumber(words[1], kBoardSide, column) || column < 1) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "the column must be 1 to %1, not \"%2\""),
                                        {std::to_string(kBoardSide), quoted(words[1])})};
        }
        const auto timer = std::find_if(kTimers.begin(), kTimers.end(),
                                        [&](const Timer& candidate) { return words[2] == candidate.name; });
        if (timer == kTimers.end()) {
            return Problem{
                number, told(QT_TRANSLATE_NOOP("BoardFile", "unknown timer \"%1\" (age, mating, mate-turns, eat-turns, prey)"),
                             {quoted(words[2])})};
        }
        const std::size_t square = squareAt(row - 1, column - 1);
        CellState& cell = squares[square];
        const char letter = letterOf(cell);
        if (timer->holders.find(letter) == std::string_view::npos) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "row %1, column %2 holds %3, which has no %4"),
                                        {std::to_string(row), std::to_string(column),
                                         words::translate("BoardFile", creatureOf(letter).name), named(timer->name)})};
        }
        int& first = givenOn[square][static_cast<std::size_t>(timer - kTimers.begin())];
        if (first != 0) {
            return Problem{number,
                           told(QT_TRANSLATE_NOOP("BoardFile", "a second %1 for row %2, column %3 (the first is on line %4)"),
                                {named(timer->name), std::to_string(row), std::to_string(column),
                                 std::to_string(first)})};
        }
        first = number;
        std::int32_t value = 0;
        if (timer->species) {
            const auto species = std::find(kSpecies.begin(), kSpecies.end(), words[3]);
            if (species == kSpecies.end()) {
                return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "%1 must be brown or green, not \"%2\""),
                                            {named(timer->name), quoted(words[3])})};
            }
            value = static_cast<std::int32_t>(species - kSpecies.begin());
        } else if (!readNumber(words[3], timer->largest, value)) {
            return Problem{number, told(QT_TRANSLATE_NOOP("BoardFile", "%1 must be 0 to %2, not \"%3\""),
                                        {named(timer->name), std::to_string(timer->largest), quoted(words[3])})};
        }
        timer->set(cell, value);
    }
    return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "\"%1\" is missing"), {named("end")})};
}

std::optional<Problem> readText(std::string_view text, Squares& squares) {
    if (text.empty()) {
        return Problem{0, told(QT_TRANSLATE_NOOP("BoardFile", "empty, not a vivar board"))};
    }
    if (text.size() > kLargestFile) {
        return Problem{0, told(QT_TRANSLATE_NOOP("BoardFile", "larger than %1 bytes, not a vivar board"),
                               {std::to_string(kLargestFile)})};
    }
    if (!std::all_of(text.begin(), text.end(), isText)) {
        return Problem{0, told(QT_TRANSLATE_NOOP("BoardFile", "not a text file"))};
    }
    Lines lines(text);
    if (auto problem = readVersion(lines)) {
        return problem;
    }
    // What the file does not hold is 0, as a vacated square or a new egg
    // has it.
    Squares parsed(kBoardSide, kBoardSide);
    for (const Grid& grid : kGrids) {
        if (auto problem = readGrid(lines, grid, parsed)) {
            return problem;
        }
    }
    if (auto problem = readTimers(lines, parsed)) {
        return problem;
    }
    std::string_view line;
    if (lines.next(line)) {
        return Problem{lines.number(), told(QT_TRANSLATE_NOOP("BoardFile", "text after \"end\""))};
    }
    squares = parsed;
    return std::nullopt;
}

std::string reasonOf(int error) {
    return error != 0 ? std::strerror(error) : told(QT_TRANSLATE_NOOP("BoardFile", "input/output error"));
}

// Writes the whole text and closes the file; the reason of the first
// failure, or 0.
int writeAll(std::FILE* file, const std::string& text) {
    int error = 0;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        error = errno != 0 ? errno : EIO;
    }
    // Closing writes what is still buffered, and may fail for that.
    if (std::fclose(file) != 0 && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    return error;
}

}  // namespace

std::optional<std::string> parse(std::string_view text, Board& squares) {
    const std::optional<Problem> problem = readText(text, squares);
    if (!problem) {
        return std::nullopt;
    }
    return problem->line == 0 ? problem->what
                              : told(QT_TRANSLATE_NOOP("BoardFile", "line %1: %2"),
                                     {std::to_string(problem->line), problem->what});
}

std::string format(const Board& squares, std::string_view comment) {
    std::string text = say("vivar board %d\n", kVersion);
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
    for (const Grid& grid : kGrids) {
        text += grid.name;
        text += '\n';
        for (int row = 0; row < kBoardSide; ++row) {
            for (int column = 0; column < kBoardSide; ++column) {
                text += grid.write(squares[squareAt(row, column)]);
            }
            text += '\n';
        }
    }
    text += "timers\n";
    for (int place = 0; place < kSquareCount; ++place) {
        const int row = place / kBoardSide + 1;
        const int column = place % kBoardSide + 1;
        const CellState& cell = squares[squareAt(row - 1, column - 1)];
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
    text += "end\n";
    return text;
}

std::optional<std::string> load(const std::filesystem::path& path, Board& squares) {
    const std::string name = platform::utf8Name(path);
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr) {
        return name + ": " + reasonOf(errno);
    }
    // A little more than a board may have tells a larger file, without
    // reading all of it.
    std::string text;
    std::array<char, 1 << 16> chunk;
    for (std::size_t got = chunk.size(); got == chunk.size() && text.size() <= kLargestFile;) {
        got = std::fread(chunk.data(), 1, chunk.size(), file);
        text.append(chunk.data(), got);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        return name + ": " + reasonOf(error);
    }
    const std::optional<Problem> problem = readText(text, squares);
    if (!problem) {
        return std::nullopt;
    }
    return problem->line == 0 ? name + ": " + problem->what
                              : say("%s:%d: %s", name.c_str(), problem->line, problem->what.c_str());
}

std::optional<std::string> save(const std::filesystem::path& path, const Board& squares,
                                std::string_view comment) {
    namespace fs = std::filesystem;
    const std::string text = format(squares, comment);
    const std::string name = platform::utf8Name(path);
    std::error_code ignored;

    // A device or a pipe (standard output, say) holds no old copy to keep,
    // and must not be replaced by a file of the same name.
    const fs::file_status target = fs::status(path, ignored);
    if (fs::exists(target) && !fs::is_regular_file(target) && !fs::is_directory(target)) {
        std::FILE* file = platform::openFile(path, "wb");
        if (file == nullptr) {
            return name + ": " + reasonOf(errno);
        }
        if (const int error = writeAll(file, text)) {
            return name + ": " + reasonOf(error);
        }
        return std::nullopt;
    }

    // A file that may not be written is not replaced either, as a rename
    // alone would do.
    if (fs::is_regular_file(target)) {
        std::FILE* existing = platform::openFile(path, "ab");
        if (existing == nullptr) {
            return name + ": " + reasonOf(errno);
        }
        std::fclose(existing);
    }

    if (const int error = platform::replaceFile(path, text)) {
        return name + ": " + reasonOf(error);
    }
    return std::nullopt;
}

}  // namespace board_file
