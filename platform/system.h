#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/output_file.h"

// What the program asks of the operating system that Debian and Windows
// answer differently. One source file per system gives it.
namespace platform {

// Standard output and standard error write "\n" as it is, so that a trace or
// a CSV has the same bytes on every system; Windows' C library would
// otherwise write "\r\n". A Windows console shows their UTF-8 right, the
// translated help and messages among it, whatever its code page, and takes
// a generation's trace in a few writes. Call before the first output.
// What a Windows console slower than the program gets: a headless run waits
// for it, as for a pipe; the window's run goes on, and a console far behind
// loses its oldest lines, with a line that says how many.
enum class SlowConsole { Wait, LeaveOut };
void keepNewlines(SlowConsole slow = SlowConsole::Wait);

// Whether the stream writes to a terminal (a console window on Windows).
[[nodiscard]] bool isTerminal(std::FILE* stream);
// Whether the terminal it writes to processes escape codes such as
// "\033[K": a Debian terminal; never a file, nor a Windows console.
[[nodiscard]] bool showsEscapeCodes(std::FILE* stream);

// The running program's own file, or an empty path when it cannot be told.
[[nodiscard]] std::filesystem::path executablePath();

// The cores this process may run on: fewer than the machine has under
// taskset, a container's CPU set or a Windows affinity mask.
[[nodiscard]] unsigned usableCores();

// For two threads that hand work to each other through counters, each
// wait usually short: waitForChange returns once the counter no longer
// holds the value (after the other thread's announceChange), napBriefly
// gives the core away for a moment. On Linux both go to the kernel (a futex,
// a 50 us sleep); on Windows, whose timer sleeps a millisecond at least and
// where MinGW's atomic waits can miss a wake-up, they yield the core instead.
void waitForChange(const std::atomic<std::uint32_t>& counter, std::uint32_t value);
void announceChange(std::atomic<std::uint32_t>& counter);
void napBriefly();

// Interrupts. After catchInterrupts, Ctrl+C (SIGINT) and a request to end
// (SIGTERM; on Windows Ctrl+Break and the closing of the console) no longer
// end the program at once: they are noted, and the program asks
// interrupted() where it can stop with its output whole. The handler only
// notes the first one, so it is safe whatever the program was doing.
enum class Interrupt { none, keyboard, termination };
void catchInterrupts();
[[nodiscard]] Interrupt interrupted();
// The status a shell gives a program that such an interrupt ended: 128 and
// the signal's number, as on Debian.
[[nodiscard]] constexpr int exitStatusAfter(Interrupt interrupt) {
    return interrupt == Interrupt::termination ? 143 : 130;
}

// A reader that has gone. After failWritesWhenReaderGoes, a write to a
// pipe whose reader has gone fails instead of ending the program (Debian's
// SIGPIPE; Windows always fails it), so that the program can finish what
// it must; endAsReaderGone then ends it as that write would have ended it
// before: by SIGPIPE on Debian unless the program was started with SIGPIPE
// ignored, with status 1 otherwise.
void failWritesWhenReaderGoes();
// Whether a failed write's errno says so: EPIPE, and on Windows, whose C
// library calls it EINVAL, that too.
[[nodiscard]] bool isReaderGone(int error);
[[noreturn]] void endAsReaderGone();

// std::_Exit, which skips exit's work and the threads still running, after a
// Windows console has had its moment to show what was written to it.
[[noreturn]] void endAtOnce(int status);

// File names. The program's own text is UTF-8, which on Windows is not the
// code page that narrow file functions and argv use; so a name travels as a
// path (wide on Windows) and becomes text only to be shown. On Debian a
// name's bytes are kept as they are, whatever they are.
[[nodiscard]] std::filesystem::path pathFromUtf8(std::string_view name);
[[nodiscard]] std::string utf8Name(const std::filesystem::path& path);

// A folder named by an environment variable, or an empty path when it is
// not set.
[[nodiscard]] std::filesystem::path environmentPath(const char* variable);

// The command line's arguments as UTF-8, to be read in argv's place. They
// live until the program ends.
[[nodiscard]] char** utf8Arguments(int argc, char** argv);

// std::fopen for a file of any name.
[[nodiscard]] std::FILE* openFile(const std::filesystem::path& path, const char* mode);
// The file a name stands for: through a symbolic link, or a chain of them,
// the name the last one leads to, which may not exist yet (a dangling link's
// target); a relative link leads from its own folder. The name itself when
// it is no link. Returns 0 or the errno value of what failed (ELOOP for
// links that lead round in a circle).
[[nodiscard]] int followLinks(const std::filesystem::path& path, std::filesystem::path& file);

}  // namespace platform
