#pragma once

// The whole text of a file, for tests that compare what a run wrote.

#include <fstream>
#include <sstream>
#include <string>

inline std::string contentsOf(const std::string& fileName) {
    std::ifstream in(fileName);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
