#pragma once

#include <cstdio>
#include <filesystem>

// What the program asks of the operating system that Debian and Windows
// answer differently. One source file per system gives it.
namespace platform {

// Standard output and standard error write "\n" as it is, so that a trace or
// a CSV has the same bytes on every system; Windows' C library would
// otherwise write "\r\n". Call before the first output.
void keepNewlines();

// Whether the stream writes to a terminal (a console window on Windows).
[[nodiscard]] bool isTerminal(std::FILE* stream);

// The running program's own file, or an empty path when it cannot be told.
[[nodiscard]] std::filesystem::path executablePath();

// The cores this process may run on: fewer than the machine has under
// taskset, a container's CPU set or a Windows affinity mask.
[[nodiscard]] unsigned usableCores();

// Whether a thread can nap for some microseconds, and wait on an atomic
// counter that another thread bumps, at little cost. On Linux both are a
// futex away; on Windows a nap lasts a timer tick, a millisecond or more,
// and MinGW's atomic waits can miss a wake-up.
[[nodiscard]] bool threadsNapBriefly();

}  // namespace platform
