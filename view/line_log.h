#pragma once

#include <cstdio>
#include <string_view>

#include "platform/output_file.h"
#include "platform/system.h"

// Lines, each flushed as it is written, to the file that an environment
// variable names; nothing when it names none. The window's end-to-end tests
// read through it what the user reads on screen, so it is part of the
// program, not of the tests.
class LineLog {
public:
    explicit LineLog(const char* variable) {
        if (const std::filesystem::path path = platform::environmentPath(variable); !path.empty()) {
            (void)file_.open(path, platform::Writing::adding, platform::Streams::yes);
        }
    }

    void write(std::string_view line) {
        if (file_.isOpen()) {
            std::fprintf(file_.stream(), "%.*s\n", static_cast<int>(line.size()), line.data());
            std::fflush(file_.stream());
        }
    }

private:
    platform::OutputFile file_;
};
