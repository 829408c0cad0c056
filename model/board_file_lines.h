#pragma once

// The lines and words of a board file's text as its reader takes them, and
// a problem found on one of them.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "model/board_file_terms.h"

namespace board_file::terms {

// Text of the file in a message, on one line and cut short: a line of the
// file may be a megabyte long.
inline std::string quoted(std::string_view word) {
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

inline Words wordsOf(std::string_view line) {
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

}  // namespace board_file::terms
