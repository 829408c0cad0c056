#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "base/words.h"

// A console shows what WriteFile gives it in its own code page, and the C
// library hands it printf's text a byte at a time: an accent came out as
// two strangers, and the window's trace at a few hundred lines a second.
// So standard output and standard error, where they are a console, write
// into a pipe instead. One thread of the program's own empties the pipe
// into memory at once, so that a write never waits for the console;
// another shows the text through WriteConsoleW, as UTF-16, in as few pieces
// as it can, each ending on a whole character. A console slower than the
// program (Wine's, or any on a busy machine) falls behind; once it is far
// behind, the window's run goes on and the console loses the oldest lines
// it has not shown, with a line that says so, rather than holding up the
// run or its close; vivar-sim waits for it instead, as for a pipe.
namespace platform {

namespace {

constexpr DWORD kPipeBytes = 1U << 16;
// What one WriteConsoleW shows at most.
constexpr std::size_t kPieceBytes = 1U << 15;
// How far a console may fall behind: a minute of the standard board's
// trace at the default pace, more than anyone reads back.
constexpr std::size_t kMostBehind = 1U << 21;
// How long the program's end waits for the console to show what it still
// has: a user closing the window wants it gone; a headless run's output is
// all there is of it.
constexpr ULONGLONG kLastShowingLiveMs = 300;
constexpr ULONGLONG kLastShowingMs = 10000;

HANDLE consoleShown = INVALID_HANDLE_VALUE;
HANDLE pipeRead = INVALID_HANDLE_VALUE;
std::array<bool, 3> relayed{};

// What the pipe gave and the console has yet to show, under `backlogLock`.
CRITICAL_SECTION backlogLock;
CONDITION_VARIABLE backlogFilled;
CONDITION_VARIABLE backlogShown;
ConsoleBacklog backlog(kMostBehind);
bool leavesOut = false;
bool pipeEnded = false;
std::atomic<bool> finished{false};

std::array<wchar_t, kPieceBytes> wide;

void show(std::string_view text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    DWORD written = 0;
    if (length > 0) {
        WriteConsoleW(consoleShown, wide.data(), static_cast<DWORD>(length), &written, nullptr);
    }
}

DWORD WINAPI readPipe(void* /*unused*/) {
    std::array<char, kPipeBytes> bytes;
    DWORD got = 0;
    bool more = true;
    while (more) {
        more = ReadFile(pipeRead, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) != 0 && got > 0;
        EnterCriticalSection(&backlogLock);
        while (more && !leavesOut && backlog.size() > kMostBehind) {
            SleepConditionVariableCS(&backlogShown, &backlogLock, INFINITE);
        }
        if (more) {
            backlog.add(std::string_view(bytes.data(), got));
        } else {
            pipeEnded = true;
        }
        LeaveCriticalSection(&backlogLock);
        WakeConditionVariable(&backlogFilled);
    }
    return 0;
}

DWORD WINAPI showBacklog(void* /*unused*/) {
    for (;;) {
        EnterCriticalSection(&backlogLock);
        while (!backlog.hasPiece(kPieceBytes, pipeEnded) && !pipeEnded) {
            SleepConditionVariableCS(&backlogFilled, &backlogLock, INFINITE);
        }
        const bool last = pipeEnded;
        const ConsoleBacklog::Piece piece = backlog.take(kPieceBytes, last);
        const bool ended = last && !backlog.hasPiece(kPieceBytes, true);
        LeaveCriticalSection(&backlogLock);
        WakeConditionVariable(&backlogShown);
        if (piece.linesLeftOut > 0) {
            show(words::fill(words::translate("main", "[... %1 lines left out: the console could not keep up. "
                                                      "Send the output to a file to keep it all: vivar ... > trace.txt]"),
                             {std::to_string(piece.linesLeftOut)}) +
                 "\n");
        }
        if (!piece.text.empty()) {
            show(piece.text);
        }
        if (ended) {
            break;
        }
    }
    finished.store(true);
    return 0;
}

}  // namespace

void relayToConsole(bool leaveOut) {
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
    InitializeCriticalSection(&backlogLock);
    InitializeConditionVariable(&backlogFilled);
    InitializeConditionVariable(&backlogShown);
    backlog = ConsoleBacklog(leaveOut ? kMostBehind : std::numeric_limits<std::size_t>::max());
    leavesOut = leaveOut;
    HANDLE reader = CreateThread(nullptr, 0, readPipe, nullptr, 0, nullptr);
    HANDLE shower = CreateThread(nullptr, 0, showBacklog, nullptr, 0, nullptr);
    if (reader != nullptr && shower != nullptr) {
        std::atexit(finishRelay);
    }
    for (HANDLE thread : {reader, shower}) {
        if (thread != nullptr) {
            CloseHandle(thread);
        }
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
    const ULONGLONG deadline = GetTickCount64() + (leavesOut ? kLastShowingLiveMs : kLastShowingMs);
    while (!finished.load() && GetTickCount64() < deadline) {
        Sleep(1);
    }
}

bool relaysToConsole(int fd) { return fd >= 0 && fd < 3 && relayed[static_cast<std::size_t>(fd)]; }

}  // namespace platform
