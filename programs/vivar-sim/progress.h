// What vivar-sim tells on stderr as it goes and when it stops: progress
// lines on a terminal, counts grouped by thousands, an output that failed.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/system.h"

namespace sim {

// A line of progress on a terminal's stderr, each one written over the one
// before. Where the terminal takes "\033[K" it clears what a longer line
// left; elsewhere (a Windows console that shows it as "[K") spaces do.
class ProgressLine {
public:
    void show(const std::string& text, bool last);

private:
    bool escapeCodes_ = platform::showsEscapeCodes(stderr);
    std::size_t width_ = 0;
};

// The text of a printf format, for a progress line.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Seeds or runs done, rate and time left on a terminal's stderr, once a
// sweep has taken more than a second; nothing at all when stderr is not a
// terminal.
class Progress {
public:
    // Counted in runs when an experiment varies rules, in seeds when not;
    // `already` are done before this program started, as a --resume finds.
    Progress(std::uint64_t total, bool runs, std::uint64_t already);

    void update(std::uint64_t done);

    // Ends the line shown, so that a message can follow on a line of its own.
    void leaveLine();

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kQuietStart{1};
    static constexpr std::chrono::milliseconds kInterval{200};

    std::uint64_t total_;
    std::uint64_t already_;
    bool runs_;
    bool shown_;
    bool open_ = false;
    ProgressLine line_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_;
};

// "1,234,567": the counts a stop tells.
std::string grouped(std::uint64_t number);

inline constexpr const char* kStandardOutput = "standard output";

// Once the output cannot be written, there is no one left to run for.
// A reader that has gone, as when the output is piped into head, needs no
// message: Linux ends the program with SIGPIPE at that write, unless it
// asked for a failed write instead, as it does when a board is still to be
// saved; Windows fails it. Anything else, such as a full disk, is said.
[[noreturn]] void outputFailed(const std::string& name, int error);

}  // namespace sim
