#include "platform/system.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <bit>
#include <string>
#include <thread>

namespace platform {

void keepNewlines() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A console reads bytes in its own code page unless told otherwise;
    // redirected output is not affected. The console is the user's: its
    // own code page comes back when the program ends.
    static const UINT consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
    }
}

bool isTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::filesystem::path executablePath() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

unsigned usableCores() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) != 0 && process != 0) {
        return static_cast<unsigned>(std::popcount(static_cast<unsigned long long>(process)));
    }
    return std::max(1U, std::thread::hardware_concurrency());
}

void waitForChange(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
    while (counter.load() == value) {
        std::this_thread::yield();
    }
}

void announceChange(std::atomic<std::uint32_t>& /*counter*/) {}

void napBriefly() { std::this_thread::yield(); }

}  // namespace platform
