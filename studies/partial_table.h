// A table of many runs read back, to see how far it is whole and go on
// with it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Takes the whole lines out of bytes that come piece by piece: each goes to
// `line`, without its line end, and a last line without its end waits in
// `unfinished` for the rest. Stops when `line` returns false. Returns false
// when a line grows longer than `longest` before its end comes, so that a
// file that is no table is never held whole.
template <typename Line>
[[nodiscard]] bool takeLines(std::string_view bytes, std::string& unfinished, std::size_t longest, const Line& line) {
    while (!bytes.empty()) {
        const std::size_t lineEnd = bytes.find('\n');
        unfinished.append(bytes.substr(0, lineEnd));
        if (unfinished.size() > longest) {
            return false;
        }
        if (lineEnd == std::string_view::npos || !line(std::string_view(unfinished))) {
            return true;
        }
        unfinished.clear();
        bytes.remove_prefix(lineEnd + 1);
    }
    return true;
}

// A table of vivar-sim's, read back to go on with it: how far it is whole,
// and whether it is the table that a command writes. Every row of such a
// table begins with key fields (the run's size and rules, its seed, and its
// generation or number of generations) that the run's number fixes, so a
// table cut short by an interrupt, a kill or a full disk can be checked row
// by row and taken up after its last whole run.
struct TableShape {
    // The header line, without its line end; empty for a table without one,
    // such as a part after the first.
    std::string header;
    // The runs the whole table holds, and the rows each run has.
    std::uint64_t runs = 0;
    std::uint64_t rowsPerRun = 1;
    // The key fields that begin a row, each followed by its comma, for the
    // row-th row of the run-th run, both counted from 0.
    std::function<std::string(std::uint64_t run, std::uint64_t row)> keyOf;
    // The fields in every row.
    std::size_t fields = 0;
};

// Where a table read so far stops being whole: its first `bytes` bytes
// hold the header, when it has one, and the whole runs before run `runs`.
// What follows them (a row cut short, or the rows of a run that never
// finished) is for the program to drop.
struct TableEnd {
    std::uint64_t bytes = 0;
    std::uint64_t runs = 0;
    bool hasHeader = false;
};

// Reads a table piece by piece. Every whole line is checked as it comes:
// the header, then each row's key fields and number of fields. A last line
// without its line end is a row cut short, and is not checked.
class PartialTable {
public:
    explicit PartialTable(TableShape shape);

    // The next bytes of the table; false once it is not the table of the
    // shape, and from then on.
    bool read(std::string_view bytes);
    // After the last bytes: where the table stops being whole, or what is
    // wrong with it, as "LINE: what".
    [[nodiscard]] std::optional<std::string> end(TableEnd& end) const;

    // A line this long is no row of any table of vivar-sim's: it stops a
    // file that is not a table from being held in memory whole.
    static constexpr std::size_t kLongestLine = 4096;

private:
    void line(std::string_view text);
    [[nodiscard]] std::string headerProblem() const;
    // What is wrong with a row, or with the start of a row cut short, at
    // this place in the table.
    [[nodiscard]] std::optional<std::string> rowProblem(const std::string& number, std::string_view text,
                                                        bool cutShort) const;

    TableShape shape_;
    std::optional<std::string> problem_;
    std::string unfinished_;  // the last line's bytes while no line end has come
    std::uint64_t lineNumber_ = 1;
    std::uint64_t bytesWhole_ = 0;  // up to the end of the last whole run
    std::uint64_t bytesRead_ = 0;   // up to the end of the last whole line
    std::uint64_t rows_ = 0;
    bool hasHeader_ = false;
};
