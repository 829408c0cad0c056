#include "platform/system.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

bool isTerminal(std::FILE* stream) {
    // _isatty says yes to any character device, NUL among them: only a
    // console is a terminal.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

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

void endAsReaderGone() { std::_Exit(1); }

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

std::FILE* createNewFile(const std::filesystem::path& path) {
    const int descriptor = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
}

namespace {

constexpr int kNameAttempts = 100;

std::wstring nameBeside(const std::wstring& path, std::mt19937& draw) {
    constexpr std::wstring_view kLetters = L"0123456789abcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    std::wstring name = path + L".tmp-";
    for (int i = 0; i < 8; ++i) {
        name += kLetters[letter(draw)];
    }
    return name;
}

// The C library's numbers for the system's errors, so that a reason reads
// the same on both systems.
int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return EINVAL;
        default:
            return EIO;
    }
}

DWORD writeAll(HANDLE file, std::string_view text) {
    while (!text.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1U << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data(), chunk, &written, nullptr)) {
            return GetLastError();
        }
        text.remove_prefix(written);
    }
    return 0;
}

}  // namespace

// Windows' symbolic links need rights that few users have, and MinGW's
// std::filesystem does not read them: a name is taken as it is.
int followLinks(const std::filesystem::path& path, std::filesystem::path& file) {
    file = path;
    return 0;
}

int replaceFile(const std::filesystem::path& path, std::string_view contents) {
    const std::wstring& name = path.native();
    std::random_device entropy;
    std::mt19937 draw(entropy());
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < kNameAttempts; ++attempt) {
        temporary = nameBeside(name, draw);
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return errnoOf(GetLastError());
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return EEXIST;
    }
    DWORD error = writeAll(file, contents);
    if (error == 0 && !FlushFileBuffers(file)) {
        error = GetLastError();
    }
    CloseHandle(file);
    if (error == 0) {
        // ReplaceFileW gives the new file the old one's attributes and
        // access rights; with no old file, or where it cannot, a plain
        // move that returns once the move is on the disk.
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool replacing = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        if (!(replacing && ReplaceFileW(name.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                        nullptr, nullptr)) &&
            !MoveFileExW(temporary.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
    }
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        return errnoOf(error);
    }
    return 0;
}

}  // namespace platform
