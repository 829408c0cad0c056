// Board files as a whole: the messages their reader and writer give, how
// large a file may be, and how a board's rules meet a command line's.
#include "model/board_file.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "model/board_file_terms.h"

namespace board_file {
namespace terms {

std::size_t largestOfAllFiles() {
    return largestFile(Rules::kLeastSide, static_cast<int>(Rules::kMostSquares / Rules::kLeastSide), kMostNextSeeds);
}

std::string told(const char* text, std::initializer_list<std::string_view> values) {
    return words::fill(words::translate("BoardFile", text), values);
}

std::string named(const char* keyword) { return words::translate("BoardFile", keyword); }

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

std::string reasonOf(int error) {
    return error != 0 ? std::strerror(error) : told(QT_TRANSLATE_NOOP("BoardFile", "input/output error"));
}

}  // namespace terms

namespace {

using namespace terms;

std::size_t digitsOf(std::int64_t number) {
    std::size_t digits = 1;
    for (; number >= 10; number /= 10) {
        ++digits;
    }
    return digits;
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
