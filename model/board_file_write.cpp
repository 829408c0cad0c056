// Writing a board file: in the first version that holds the board, into a
// string or through a new file renamed over the old one.
#include "model/board_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "model/board_file_terms.h"
#include "platform/output_file.h"
#include "platform/system.h"

namespace board_file {
namespace {

using namespace terms;

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

std::string format(const Board& squares, const Rules& rules, std::string_view comment, const RunPlace& place) {
    std::string whole;
    {
        Text text(whole);
        writeText(text, squares, rules, comment, place);
    }
    return whole;
}

std::optional<std::string> save(const std::filesystem::path& path, const Board& squares, const Rules& rules,
                                std::string_view comment, const RunPlace& place) {
    return saveText(path, squares, rules, comment, place);
}

std::optional<std::string> save(const std::filesystem::path& path, const PackedBoard& squares, const Rules& rules,
                                std::string_view comment, const RunPlace& place) {
    return saveText(path, squares, rules, comment, place);
}

}  // namespace board_file
