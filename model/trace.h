#pragma once

#include <cstdio>

// The console trace: every decision of the terrarium, in Spanish, on standard
// output. Lines go through stdio's buffer so that a long headless run does not
// pay a system call per line; whoever ends a burst of lines (a generation's
// hand-off, a button press) calls flush so that the console stays live.
namespace trace {

// Where the trace goes; standard output unless a caller redirects it.
// nullptr turns the trace off.
void setSink(std::FILE* sink);
[[nodiscard]] std::FILE* sink();

void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void flush();

}  // namespace trace
