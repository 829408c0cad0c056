#include "model/trace.h"

#include <atomic>
#include <cstdarg>

namespace trace {
namespace {

std::atomic<std::FILE*> currentSink{stdout};

}  // namespace

void setSink(std::FILE* sink) { currentSink.store(sink, std::memory_order_relaxed); }

std::FILE* sink() { return currentSink.load(std::memory_order_relaxed); }

void print(const char* format, ...) {
    std::FILE* out = sink();
    if (out == nullptr) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
}

void flush() {
    if (std::FILE* out = sink()) {
        std::fflush(out);
    }
}

}  // namespace trace
