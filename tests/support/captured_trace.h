#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model/trace.h"

class Model;

// Trace lines kept in memory for the life of the object: a model's, handed
// this as its sink, or else the console's.
class CapturedTrace {
public:
    // The console's lines: the window's view and buttons, the window's fill.
    CapturedTrace();
    // The model's lines; it traces to its sink before again afterwards.
    explicit CapturedTrace(Model& model);
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
    trace::Sink sink_;
    Model* model_ = nullptr;
    trace::Sink* modelsSink_ = nullptr;
    std::FILE* consoles_ = nullptr;
};
