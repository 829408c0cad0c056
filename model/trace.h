#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

// The console trace: every decision of the terrarium, in Spanish. Lines go
// through stdio's buffer so that a long headless run does not pay a system
// call per line; whoever ends a burst of lines (a generation's hand-off, a
// button press) flushes so that the console stays live.
namespace trace {

// Where lines go: a stdio stream, or nowhere while it holds none. The
// console is one, over standard output; a run or a test may have its own.
class Sink {
public:
    explicit Sink(std::FILE* file = nullptr) : file_(file) {}
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    [[nodiscard]] std::FILE* file() const { return file_.load(std::memory_order_relaxed); }
    // nullptr turns it off.
    void setFile(std::FILE* file) { file_.store(file, std::memory_order_relaxed); }
    // The error number of the first flush that could not write, or 0.
    [[nodiscard]] int failure() const { return failure_.load(); }
    void noteFailure(int error);

private:
    std::atomic<std::FILE*> file_;
    std::atomic<int> failure_{0};
};

// Standard output, which the window and vivar-sim trace to; --quiet, and
// vivar-sim's tables, turn it off.
[[nodiscard]] Sink& console();

// Where the terrarium's own lines go, the creatures' turns and a fill's
// draws: the console, or nowhere while the window keeps them from a terminal
// (a large board's would take a console minutes to show).
[[nodiscard]] Sink* creatures();
void showCreatures(bool shown);

// One writer's lines on their way to its sink: a model's, one thread at a
// time. While a Burst lasts, the lines are gathered and handed to stdio in a
// few large writes, always whole lines, the rest when it ends: a generation
// traces thousands of short lines, and a stdio call per line would cost more
// than the generation itself.
class Writer {
public:
    explicit Writer(Sink* sink = nullptr) : sink_(sink) {}
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Lines gathered for the old sink go to it first.
    void setSink(Sink* sink);
    [[nodiscard]] Sink* sink() const { return sink_; }
    // Whether a line goes anywhere, to a file or into a copy.
    [[nodiscard]] bool on() const { return copy_ != nullptr || (sink_ != nullptr && sink_->file() != nullptr); }

    // A line of fixed text, the common case: copied as it is, without a
    // format to scan. Inline, as a generation writes thousands.
    void line(std::string_view text) {
        if (copy_ != nullptr) {
            copy_->append(text);
        }
        std::FILE* out = sink_ != nullptr ? sink_->file() : nullptr;
        if (out == nullptr) {
            return;
        }
        if (openBursts_ > 0 && text.size() <= text_.size() - used_) {
            std::memcpy(text_.data() + used_, text.data(), text.size());
            used_ += text.size();
            return;
        }
        write(out, text);
    }
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The gathered lines to stdio and stdio's buffer to the file; a failure
    // is noted in the sink.
    void flush();

    class Burst {
    public:
        explicit Burst(Writer& writer) : writer_(writer) { ++writer_.openBursts_; }
        ~Burst();
        Burst(const Burst&) = delete;
        Burst& operator=(const Burst&) = delete;

    private:
        Writer& writer_;
    };

    // While one lives, the writer's lines are also copied into `lines`,
    // whether its sink is on or off: the window shows one creature's turn.
    class Copy {
    public:
        Copy(Writer& writer, std::string& lines) : writer_(writer), outer_(writer.copy_) { writer.copy_ = &lines; }
        ~Copy() { writer_.copy_ = outer_; }
        Copy(const Copy&) = delete;
        Copy& operator=(const Copy&) = delete;

    private:
        Writer& writer_;
        std::string* outer_;
    };

private:
    void writeGathered(std::FILE* out);
    // The gathered lines, then the text.
    void write(std::FILE* out, std::string_view text);

    Sink* sink_;
    static constexpr std::size_t kCapacity = 4096;
    std::array<char, kCapacity> text_;
    std::size_t used_ = 0;
    int openBursts_ = 0;
    std::string* copy_ = nullptr;
};

// The lines of one creature's turn: whether the writer is on is asked once,
// not at each of its dozen lines, since with the trace off that question is
// all a turn's lines cost.
class Lines {
public:
    explicit Lines(Writer& writer) : writer_(writer.on() ? &writer : nullptr) {}
    void operator()(std::string_view text) const {
        if (writer_ != nullptr) {
            writer_->line(text);
        }
    }

private:
    Writer* writer_;
};

// The console's own lines, from the window's view and buttons: written as
// they come, on any thread; flush sends them on.
void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void flush();

// Where the console goes; standard output unless a caller redirects it.
// nullptr turns it off.
inline void setSink(std::FILE* sink) { console().setFile(sink); }
[[nodiscard]] inline std::FILE* sink() { return console().file(); }
// The error number of the first flush that could not write the console, or 0.
[[nodiscard]] inline int failure() { return console().failure(); }

}  // namespace trace
