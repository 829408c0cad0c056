// Whole rows out, in batches, sent on at least once a second.
#include "programs/vivar-sim/row_output.h"

#include <cerrno>
#include <utility>

RowOutput::RowOutput(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {
    waiting_.reserve(kBatch);
}

void RowOutput::write(std::string_view rows) {
    waiting_ += rows;
    if (waiting_.size() >= kBatch || Clock::now() - lastOut_ >= kLongestWait) {
        flush();
    }
}

void RowOutput::flush() {
    lastOut_ = Clock::now();
    if (error_ != 0 || waiting_.empty()) {
        waiting_.clear();
        return;
    }
    errno = 0;
    if (std::fwrite(waiting_.data(), 1, waiting_.size(), file_) != waiting_.size() || std::fflush(file_) != 0) {
        error_ = errno != 0 ? errno : EIO;
    }
    waiting_.clear();
}
