// vivar-sim's lines on stderr: progress, and the end of an output that failed.
#include "programs/vivar-sim/progress.h"

#include <algorithm>
#include <cinttypes>
#include <cstdarg>
#include <cstring>

namespace sim {
namespace {

// "2 h 05 min", "4 min 10 s", "12 s".
std::string duration(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[48];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld h %02lld min", whole / 3600, whole % 3600 / 60);
    } else if (whole >= 60) {
        std::snprintf(text, sizeof text, "%lld min %02lld s", whole / 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld s", whole);
    }
    return text;
}

}  // namespace

void ProgressLine::show(const std::string& text, bool last) {
    std::string line = "\r" + text;
    if (escapeCodes_) {
        line += "\033[K";
    } else if (text.size() < width_) {
        line.append(width_ - text.size(), ' ');
    }
    width_ = last ? 0 : text.size();
    std::fprintf(stderr, "%s%s", line.c_str(), last ? "\n" : "");
}

std::string formatted(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return std::string(text, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
}

Progress::Progress(std::uint64_t total, bool runs, std::uint64_t already)
    : total_(total), already_(already), runs_(runs), shown_(platform::isTerminal(stderr)) {}

void Progress::update(std::uint64_t done) {
    if (!shown_) {
        return;
    }
    const auto now = Clock::now();
    const bool last = done == total_;
    if (now - start_ < kQuietStart || (!last && now - lastShown_ < kInterval)) {
        return;
    }
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = static_cast<double>(done) / seconds;
    const std::string when = last ? "done in " + duration(seconds)
                                  : "about " + duration(static_cast<double>(total_ - done) / rate) + " left";
    if (runs_) {
        line_.show(formatted("vivar-sim: %" PRIu64 " of %" PRIu64 " runs, %.1f runs/s, %s", already_ + done,
                             already_ + total_, rate, when.c_str()),
                   last);
    } else {
        line_.show(formatted("vivar-sim: %" PRIu64 " of %" PRIu64 " seeds, %.1f seeds/s, %s", already_ + done,
                             already_ + total_, rate, when.c_str()),
                   last);
    }
    open_ = !last;
}

void Progress::leaveLine() {
    if (open_) {
        std::fputs("\n", stderr);
        open_ = false;
    }
}

std::string grouped(std::uint64_t number) {
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) {
            text += ',';
        }
        text += digits[at];
    }
    return text;
}

[[noreturn]] void outputFailed(const std::string& name, int error) {
    if (platform::isReaderGone(error)) {
        platform::endAsReaderGone();
    }
    std::fprintf(stderr, "vivar-sim: %s: %s\n", name.c_str(),
                 error != 0 ? std::strerror(error) : "could not be written");
    platform::endAtOnce(1);
}

}  // namespace sim
