#include "model/trace.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>

namespace trace {

void Sink::noteFailure(int error) {
    int expected = 0;
    failure_.compare_exchange_strong(expected, error != 0 ? error : EIO);
}

Sink& console() {
    static Sink standardOutput(stdout);
    return standardOutput;
}

namespace {

std::atomic<bool> creaturesShown{true};

}  // namespace

Sink* creatures() { return creaturesShown.load() ? &console() : nullptr; }

void showCreatures(bool shown) { creaturesShown.store(shown); }

namespace {

// Flushes stdio's buffer for `out`, noting a failure in `sink`.
void flushTo(Sink& sink, std::FILE* out) {
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        sink.noteFailure(errno);
    }
}

}  // namespace

void Writer::writeGathered(std::FILE* out) {
    if (used_ > 0) {
        std::fwrite(text_.data(), 1, used_, out);
        used_ = 0;
    }
}

void Writer::setSink(Sink* sink) {
    if (std::FILE* old = sink_ != nullptr ? sink_->file() : nullptr) {
        writeGathered(old);
    }
    used_ = 0;
    sink_ = sink;
}

void Writer::write(std::FILE* out, std::string_view text) {
    writeGathered(out);
    std::fwrite(text.data(), 1, text.size(), out);
}

void Writer::print(const char* format, ...) {
    if (!on()) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    if (copy_ != nullptr) {
        va_list copy;
        va_copy(copy, arguments);
        char text[256];
        const int length = std::vsnprintf(text, sizeof text, format, copy);
        va_end(copy);
        copy_->append(text, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
    }
    std::FILE* out = sink_ != nullptr ? sink_->file() : nullptr;
    if (out == nullptr) {
        va_end(arguments);
        return;
    }
    if (openBursts_ > 0) {
        const std::size_t room = text_.size() - used_;
        va_list copy;
        va_copy(copy, arguments);
        const int length = std::vsnprintf(text_.data() + used_, room, format, copy);
        va_end(copy);
        if (length >= 0 && static_cast<std::size_t>(length) < room) {
            used_ += static_cast<std::size_t>(length);
            va_end(arguments);
            return;
        }
    }
    writeGathered(out);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
}

void Writer::flush() {
    std::FILE* out = sink_ != nullptr ? sink_->file() : nullptr;
    if (out != nullptr) {
        writeGathered(out);
        flushTo(*sink_, out);
    }
}

Writer::Burst::~Burst() {
    if (--writer_.openBursts_ > 0) {
        return;
    }
    if (std::FILE* out = writer_.sink_ != nullptr ? writer_.sink_->file() : nullptr) {
        writer_.writeGathered(out);
    } else {
        writer_.used_ = 0;  // the sink was turned off meanwhile
    }
}

void print(const char* format, ...) {
    std::FILE* out = console().file();
    if (out == nullptr) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
}

void flush() {
    if (std::FILE* out = console().file()) {
        flushTo(console(), out);
    }
}

}  // namespace trace
