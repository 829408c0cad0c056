#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

// The console trace: every decision of the terrarium, in Spanish, on standard
// output. Lines go through stdio's buffer so that a long headless run does not
// pay a system call per line; whoever ends a burst of lines (a generation's
// hand-off, a button press) calls flush so that the console stays live.
namespace trace {

namespace detail {

inline std::atomic<std::FILE*> currentSink{stdout};
// How many Taps are open, on any thread: with none, and the trace off, a
// line costs one test.
inline std::atomic<int> openTaps{0};

// The lines of the calling thread's open Burst, not yet handed to stdio.
struct Gathered {
    static constexpr std::size_t kCapacity = 4096;
    std::array<char, kCapacity> text;
    std::size_t used;
    int openBursts;
    std::string* tap;  // the open Tap's copy, if any
};
inline thread_local Gathered gathered{};

void write(std::FILE* out, std::string_view text);

[[nodiscard]] inline bool wanted() {
    return currentSink.load(std::memory_order_relaxed) != nullptr || openTaps.load(std::memory_order_relaxed) != 0;
}

inline void line(Gathered& lines, std::string_view text) {
    if (lines.tap != nullptr) {
        lines.tap->append(text);
    }
    std::FILE* out = currentSink.load(std::memory_order_relaxed);
    if (out == nullptr) {
        return;
    }
    if (lines.openBursts > 0 && text.size() <= lines.text.size() - lines.used) {
        std::memcpy(lines.text.data() + lines.used, text.data(), text.size());
        lines.used += text.size();
        return;
    }
    write(out, text);
}

}  // namespace detail

// Where the trace goes; standard output unless a caller redirects it.
// nullptr turns the trace off.
void setSink(std::FILE* sink);
[[nodiscard]] inline std::FILE* sink() { return detail::currentSink.load(std::memory_order_relaxed); }

// A line of fixed text, the common case: copied as it is, without a format
// to scan. Inline, so that with the trace off a line costs one test.
inline void line(std::string_view text) {
    if (detail::wanted()) {
        detail::line(detail::gathered, text);
    }
}

// The lines of one creature's turn: whether the trace is on is asked once,
// not at each of its dozen lines; with the trace off, asking at every line
// cost several per cent of a generation. The thread's gathered lines are
// looked up once too, which matters where thread-local storage is emulated.
class Lines {
public:
    Lines() : gathered_(detail::wanted() ? &detail::gathered : nullptr) {}
    void operator()(std::string_view text) const {
        if (gathered_ != nullptr) {
            detail::line(*gathered_, text);
        }
    }

private:
    detail::Gathered* gathered_;
};

void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void flush();
// The error number of the first flush that could not write the trace, or 0.
[[nodiscard]] int failure();

// While one lives, the calling thread's lines are gathered and handed to
// stdio in a few large writes, always whole lines, the rest when it ends: a
// generation traces thousands of short lines, and a stdio call per line
// would cost more than the generation itself. Nothing is held past the
// Burst, so the flush points stay where they are.
class Burst {
public:
    Burst() { ++detail::gathered.openBursts; }
    ~Burst();
    Burst(const Burst&) = delete;
    Burst& operator=(const Burst&) = delete;
};

// While one lives, the calling thread's lines are also copied into `lines`,
// whether the trace is on or off: the window shows one creature's turn.
class Tap {
public:
    explicit Tap(std::string& lines);
    ~Tap();
    Tap(const Tap&) = delete;
    Tap& operator=(const Tap&) = delete;

private:
    std::string* outer_;
};

}  // namespace trace
