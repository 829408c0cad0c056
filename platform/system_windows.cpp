#include "platform/system.h"
#include "platform/console.h"
#include "platform/windows_errors.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace platform {

void keepNewlines(SlowConsole slow) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    relayToConsole(slow == SlowConsole::LeaveOut);
}

bool isTerminal(std::FILE* stream) {
    const int fd = _fileno(stream);
    if (relaysToConsole(fd)) {
        return true;
    }
    // _isatty says yes to any character device, NUL among them: only a
    // console is a terminal.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// Windows 10's console processes them once asked to, but Wine 8's accepts
// the request and shows them anyway ("[K"): none is written.
bool showsEscapeCodes(std::FILE* /*stream*/) { return false; }

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

namespace {

std::atomic<int> interruptNoted{static_cast<int>(Interrupt::none)};

// Called on a thread of its own for each console event.
BOOL WINAPI noteConsoleEvent(DWORD event) {
    int none = static_cast<int>(Interrupt::none);
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            interruptNoted.compare_exchange_strong(none, static_cast<int>(Interrupt::keyboard));
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            interruptNoted.compare_exchange_strong(none, static_cast<int>(Interrupt::termination));
            // Windows ends the process as soon as this returns, and in a
            // few seconds whatever happens: the program's own end, at a
            // whole row, should come first.
            Sleep(INFINITE);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void catchInterrupts() { SetConsoleCtrlHandler(noteConsoleEvent, TRUE); }

Interrupt interrupted() { return static_cast<Interrupt>(interruptNoted.load()); }

// Windows has no SIGPIPE: a write to a pipe whose reader has gone fails.
void failWritesWhenReaderGoes() {}

bool isReaderGone(int error) { return error == EPIPE || error == EINVAL; }

void endAsReaderGone() { endAtOnce(1); }

void endAtOnce(int status) {
    finishRelay();
    std::_Exit(status);
}

std::filesystem::path pathFromUtf8(std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const int size = static_cast<int>(name.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, name.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

namespace {

std::string utf8Of(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    std::string text(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

}  // namespace

std::string utf8Name(const std::filesystem::path& path) { return utf8Of(path.native()); }

std::filesystem::path environmentPath(const char* variable) {
    const std::wstring name(variable, variable + std::char_traits<char>::length(variable));
    const wchar_t* value = _wgetenv(name.c_str());
    return value != nullptr ? value : L"";
}

char** utf8Arguments(int argc, char** argv) {
    static std::vector<std::string> texts;
    static std::vector<char*> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return argv;
    }
    // The C library splits the line by the same rules; should it ever not,
    // its own reading stands.
    if (count == argc && texts.empty()) {
        for (int i = 0; i < count; ++i) {
            texts.push_back(utf8Of(wide[i]));
        }
        for (std::string& text : texts) {
            arguments.push_back(text.data());
        }
        arguments.push_back(nullptr);
    }
    LocalFree(wide);
    return arguments.empty() ? argv : arguments.data();
}

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
}

// Windows' symbolic links need rights that few users have, and MinGW's
// std::filesystem does not read them: a name is taken as it is.
int followLinks(const std::filesystem::path& path, std::filesystem::path& file) {
    file = path;
    return 0;
}

}  // namespace platform
