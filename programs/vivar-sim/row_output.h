// vivar-sim's tables written in whole rows, so that a stop leaves a table
// that --resume can go on with.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// vivar-sim's table, written in whole rows: what goes to the file is always
// rows that end with their line end, so that a stop between two writes
// leaves a table a reader can take, and a --resume can go on with.
class RowOutput {
public:
    // `name` names the output in messages: "standard output", or a file.
    RowOutput(std::FILE* file, std::string name);

    // Takes whole rows. They go out together once kBatch bytes wait, or
    // once kLongestWait has passed since rows last went out: a fast sweep
    // is not a write for every run, and `tail -f` still follows a slow one.
    void write(std::string_view rows);
    // Sends whatever waits, now: before a wait for more, and at the end.
    void flush();

    // The errno value of the first write that failed, 0 while none has;
    // after one, nothing more is written.
    [[nodiscard]] int error() const { return error_; }
    [[nodiscard]] const std::string& name() const { return name_; }

    static constexpr std::size_t kBatch = std::size_t{1} << 16;
    static constexpr std::chrono::seconds kLongestWait{1};

private:
    using Clock = std::chrono::steady_clock;

    std::FILE* file_;
    std::string name_;
    std::string waiting_;
    Clock::time_point lastOut_ = Clock::now();
    int error_ = 0;
};
