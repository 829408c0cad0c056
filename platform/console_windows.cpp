#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

// A console shows what WriteFile gives it in its own code page, and the C
// library hands it printf's text a byte at a time: an accent came out as
// two strangers, and the window's trace at a few hundred lines a second.
// So standard output and standard error, where they are a console, write
// into a pipe instead; a thread of the program's own reads it and shows the
// text through WriteConsoleW, as UTF-16, in as few pieces as it can, each
// ending on a whole character. Writing into the pipe costs the program next
// to nothing however slow the console is, and the program's end need not
// wait for all of it to be shown.
namespace platform {

namespace {

// Room enough for a few generations of the standard board's trace, so that
// a console a little behind never holds the program up.
constexpr DWORD kPipeBytes = 1U << 20;
// What one WriteConsoleW shows at most.
constexpr std::size_t kPieceBytes = 1U << 15;
// What the relay holds between the pipe and the console.
constexpr std::size_t kHeldBytes = 1U << 18;
// How long the program's end waits for the console to show what it still
// has: a user closing the window wants it gone.
constexpr ULONGLONG kLastShowingMs = 300;

HANDLE consoleShown = INVALID_HANDLE_VALUE;
HANDLE pipeRead = INVALID_HANDLE_VALUE;
std::array<bool, 3> relayed{};

// Bytes read from the pipe, [heldShown, heldEnd) of them still to show:
// the relay thread's own.
std::array<char, kHeldBytes> held;
std::size_t heldEnd = 0;
std::size_t heldShown = 0;
std::array<wchar_t, kPieceBytes> wide;
std::atomic<bool> finished{false};

void show(const char* text, std::size_t size) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), wide.data(), static_cast<int>(wide.size()));
    DWORD written = 0;
    if (length > 0) {
        WriteConsoleW(consoleShown, wide.data(), static_cast<DWORD>(length), &written, nullptr);
    }
}

// Shows the held bytes in whole pieces, leaving a character cut off at the
// end for the bytes that complete it, unless none will come.
void showHeld(bool last) {
    for (;;) {
        const std::string_view rest(held.data() + heldShown, heldEnd - heldShown);
        std::size_t piece = consolePiece(rest, kPieceBytes);
        if (piece == 0 && last) {
            piece = rest.size();
        }
        if (piece == 0) {
            return;
        }
        show(rest.data(), piece);
        heldShown += piece;
    }
}

// Reads what is in the pipe into `held`, waiting for some when `wait`;
// false when there is nothing, or nothing more ever.
bool readPipe(bool wait) {
    DWORD ready = 0;
    if (!wait && (PeekNamedPipe(pipeRead, nullptr, 0, nullptr, &ready, nullptr) == 0 || ready == 0)) {
        return false;
    }
    // What is still to show (a cut character at most) moves to the front.
    if (heldShown > 0) {
        std::memmove(held.data(), held.data() + heldShown, heldEnd - heldShown);
        heldEnd -= heldShown;
        heldShown = 0;
    }
    DWORD got = 0;
    if (ReadFile(pipeRead, held.data() + heldEnd, static_cast<DWORD>(held.size() - heldEnd), &got, nullptr) == 0 ||
        got == 0) {
        return false;
    }
    heldEnd += got;
    return true;
}

DWORD WINAPI relay(void* /*unused*/) {
    while (readPipe(true)) {
        // Output already waiting joins what was read, for fewer and larger
        // writes to the console.
        while (heldEnd < held.size() && readPipe(false)) {
        }
        showHeld(false);
    }
    showHeld(true);
    finished.store(true);
    return 0;
}

}  // namespace

void relayToConsole() {
    std::array<HANDLE, 3> handles{};
    for (int fd = 1; fd <= 2; ++fd) {
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
        DWORD mode = 0;
        if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0) {
            handles[static_cast<std::size_t>(fd)] = handle;
            if (consoleShown == INVALID_HANDLE_VALUE) {
                consoleShown = handle;
            }
        }
    }
    if (consoleShown == INVALID_HANDLE_VALUE) {
        return;
    }
    // The console handle must outlive the descriptors that now lead to the
    // pipe.
    HANDLE own = INVALID_HANDLE_VALUE;
    HANDLE pipeWrite = INVALID_HANDLE_VALUE;
    if (DuplicateHandle(GetCurrentProcess(), consoleShown, GetCurrentProcess(), &own, 0, FALSE,
                        DUPLICATE_SAME_ACCESS) == 0 ||
        CreatePipe(&pipeRead, &pipeWrite, nullptr, kPipeBytes) == 0) {
        consoleShown = INVALID_HANDLE_VALUE;
        return;
    }
    consoleShown = own;
    const int pipeFd = _open_osfhandle(reinterpret_cast<intptr_t>(pipeWrite), _O_BINARY);
    for (int fd = 1; fd <= 2; ++fd) {
        if (handles[static_cast<std::size_t>(fd)] != nullptr && _dup2(pipeFd, fd) == 0) {
            relayed[static_cast<std::size_t>(fd)] = true;
        }
    }
    _close(pipeFd);
    // The window's trace reaches the pipe a generation at a time, in as
    // large writes as vivar-sim's.
    if (relayed[1]) {
        std::setvbuf(stdout, nullptr, _IOFBF, 1U << 16);
    }
    HANDLE thread = CreateThread(nullptr, 0, relay, nullptr, 0, nullptr);
    if (thread != nullptr) {
        CloseHandle(thread);
        std::atexit(finishRelay);
    }
}

// What the program wrote goes to the pipe, whose end then closes, so that
// the relay shows the rest and finishes; it has a moment to, then the end
// goes on. Through exit, or before a quick end that skips exit's work.
void finishRelay() {
    static std::atomic<bool> begun{false};
    if (consoleShown == INVALID_HANDLE_VALUE || begun.exchange(true)) {
        return;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const int nothing = _open("NUL", _O_WRONLY | _O_BINARY);
    for (int fd = 1; fd <= 2; ++fd) {
        if (relayed[static_cast<std::size_t>(fd)]) {
            _dup2(nothing, fd);
        }
    }
    _close(nothing);
    const ULONGLONG deadline = GetTickCount64() + kLastShowingMs;
    while (!finished.load() && GetTickCount64() < deadline) {
        Sleep(1);
    }
}

bool relaysToConsole(int fd) { return fd >= 0 && fd < 3 && relayed[static_cast<std::size_t>(fd)]; }

}  // namespace platform
