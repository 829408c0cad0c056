#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text on its way to a console that takes it a piece at a time.
namespace platform {

// How many of the bytes, from the first, end on a whole UTF-8 character:
// a character cut off at the end waits for the bytes that follow it, since
// a console shows each half of it as a stranger. Bytes that are no UTF-8
// at all count as whole, to be shown as such.
[[nodiscard]] std::size_t wholeUtf8(std::string_view bytes);

// How many of the bytes, from the first and at most `most` of them, to
// write as one piece: up to the last line's end within them when there is
// one, else as many as end on a whole character; 0 only when they are the
// first bytes of a character and no more.
[[nodiscard]] std::size_t consolePiece(std::string_view bytes, std::size_t most);

// What a console has yet to show, as a program that never waits for it
// hands it over. A console that falls more than `mostBehind` bytes behind
// loses the oldest whole lines it has not shown, which are counted.
class ConsoleBacklog {
public:
    explicit ConsoleBacklog(std::size_t mostBehind) : mostBehind_(mostBehind) {}

    void add(std::string_view bytes);

    struct Piece {
        std::string text;
        std::size_t linesLeftOut = 0;  // just before the text
    };
    // The next piece, as consolePiece cuts it; with `last`, nothing more
    // will come, so a character cut off goes as it is.
    [[nodiscard]] Piece take(std::size_t most, bool last);
    [[nodiscard]] bool hasPiece(std::size_t most, bool last) const;
    [[nodiscard]] std::size_t size() const { return bytes_.size(); }

private:
    std::size_t mostBehind_;
    std::string bytes_;
    std::size_t linesLeftOut_ = 0;
};

// Windows only, from system_windows.cpp: standard output and standard
// error, where they are a console, are relayed to it as UTF-16 by a thread
// of the program's own (console_windows.cpp tells why). Called once, first.
// With `leaveOut`, a console far behind loses lines rather than holding the
// program up.
void relayToConsole(bool leaveOut);
[[nodiscard]] bool relaysToConsole(int fd);
// Lets the console show what is left, for a moment at most; at exit, or
// before a quick end.
void finishRelay();

}  // namespace platform
