#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>

// What the program asks of the operating system that Debian and Windows
// answer differently. One source file per system gives it.
namespace platform {

// Standard output and standard error write "\n" as it is, so that a trace or
// a CSV has the same bytes on every system; Windows' C library would
// otherwise write "\r\n". A console shows what they write as UTF-8, which
// the translated help and messages are. Call before the first output.
void keepNewlines();

// Whether the stream writes to a terminal (a console window on Windows).
[[nodiscard]] bool isTerminal(std::FILE* stream);

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

}  // namespace platform
