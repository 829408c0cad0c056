#include "platform/system.h"

#include <sched.h>
#include <unistd.h>

#include <algorithm>
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

bool threadsNapBriefly() { return true; }

}  // namespace platform
