#include "platform/system.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

namespace platform {

void keepNewlines() {}

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

std::filesystem::path executablePath() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

unsigned usableCores() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 0) {
        return static_cast<unsigned>(CPU_COUNT(&cores));
    }
    return std::max(1U, std::thread::hardware_concurrency());
}

void waitForChange(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
    for (std::uint32_t now = counter.load(); now == value; now = counter.load()) {
        counter.wait(value);
    }
}

void announceChange(std::atomic<std::uint32_t>& counter) { counter.notify_one(); }

void napBriefly() { std::this_thread::sleep_for(std::chrono::microseconds(50)); }

}  // namespace platform
