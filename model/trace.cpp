#include "model/trace.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>

namespace trace {
namespace {

// Hands the calling thread's gathered lines to stdio in one call.
void writeGathered(std::FILE* out) {
    detail::Gathered& gathered = detail::gathered;
    if (gathered.used > 0) {
        std::fwrite(gathered.text.data(), 1, gathered.used, out);
        gathered.used = 0;
    }
}

}  // namespace

void setSink(std::FILE* sink) {
    // Lines gathered before the change belong to the old sink.
    if (std::FILE* old = trace::sink()) {
        writeGathered(old);
    }
    detail::currentSink.store(sink, std::memory_order_relaxed);
}

void detail::write(std::FILE* out, std::string_view text) {
    writeGathered(out);
    std::fwrite(text.data(), 1, text.size(), out);
}

void print(const char* format, ...) {
    if (!detail::wanted()) {
        return;
    }
    detail::Gathered& gathered = detail::gathered;
    va_list arguments;
    va_start(arguments, format);
    if (gathered.tap != nullptr) {
        va_list copy;
        va_copy(copy, arguments);
        char text[256];
        const int length = std::vsnprintf(text, sizeof text, format, copy);
        va_end(copy);
        gathered.tap->append(text, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
    }
    std::FILE* out = sink();
    if (out == nullptr) {
        va_end(arguments);
        return;
    }
    if (gathered.openBursts > 0) {
        const std::size_t room = gathered.text.size() - gathered.used;
        va_list copy;
        va_copy(copy, arguments);
        const int length = std::vsnprintf(gathered.text.data() + gathered.used, room, format, copy);
        va_end(copy);
        if (length >= 0 && static_cast<std::size_t>(length) < room) {
            gathered.used += static_cast<std::size_t>(length);
            va_end(arguments);
            return;
        }
    }
    writeGathered(out);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
}

namespace {
std::atomic<int> firstFailure{0};
}  // namespace

void flush() {
    if (std::FILE* out = sink()) {
        writeGathered(out);
        if (std::fflush(out) != 0 || std::ferror(out) != 0) {
            int expected = 0;
            firstFailure.compare_exchange_strong(expected, errno != 0 ? errno : EIO);
        }
    }
}

Tap::Tap(std::string& lines) : outer_(detail::gathered.tap) {
    detail::gathered.tap = &lines;
    ++detail::openTaps;
}

Tap::~Tap() {
    detail::gathered.tap = outer_;
    --detail::openTaps;
}

Burst::~Burst() {
    if (--detail::gathered.openBursts > 0) {
        return;
    }
    if (std::FILE* out = sink()) {
        writeGathered(out);
    } else {
        detail::gathered.used = 0;  // the trace was turned off meanwhile
    }
}

int failure() { return firstFailure.load(); }

}  // namespace trace
