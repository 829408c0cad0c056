#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Sends the console trace into memory for the life of the object.
class CapturedTrace {
public:
    CapturedTrace();
    ~CapturedTrace();
    CapturedTrace(const CapturedTrace&) = delete;
    CapturedTrace& operator=(const CapturedTrace&) = delete;

    [[nodiscard]] std::string text();
    [[nodiscard]] std::vector<std::string> lines();  // split after each '\n'
    void clear();

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* stream_ = nullptr;
    std::FILE* previous_ = nullptr;
};
