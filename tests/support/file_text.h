#pragma once

// The whole text of a file, for tests that compare what a run wrote.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

inline std::string contentsOf(const std::string& fileName) {
    std::ifstream in(fileName);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// What `print` writes into a stream, as text.
template <typename Print>
std::string printedBy(Print print) {
    std::FILE* file = std::tmpfile();
    print(file);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}
