#include "app/options.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

CommandLine::CommandLine(std::string_view program, int argc, char** argv)
    : program_(program), argc_(argc), argv_(argv) {}

bool CommandLine::next() {
    if (++index_ >= argc_) {
        return false;
    }
    const std::string_view argument = argv_[index_];
    if (argument.size() < 3 || argument.substr(0, 2) != "--") {
        fail("unexpected argument '" + std::string(argument) + "'");
    }
    const auto equals = argument.find('=');
    hasGluedValue_ = equals != std::string_view::npos;
    name_ = argument.substr(0, equals);
    gluedValue_ = hasGluedValue_ ? argument.substr(equals + 1) : std::string_view{};
    return true;
}

bool CommandLine::is(std::string_view name) const { return name_ == name; }

bool CommandLine::flag() {
    if (hasGluedValue_) {
        fail(std::string(name_) + " takes no value");
    }
    return true;
}

std::string CommandLine::text() {
    if (hasGluedValue_) {
        return std::string(gluedValue_);
    }
    if (index_ + 1 >= argc_) {
        fail(std::string(name_) + " needs a value");
    }
    return argv_[++index_];
}

std::uint64_t CommandLine::number(std::uint64_t min, std::uint64_t max) {
    const std::string value = text();
    std::uint64_t result = 0;
    if (!parseWholeNumber(value, min, max, result)) {
        fail(std::string(name_) + " needs a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
             ", not '" + value + "'");
    }
    return result;
}

void CommandLine::answerHelpOrVersion(const char* help) {
    if (is("--help") && flag()) {
        std::fputs(help, stdout);
        std::exit(0);
    }
    if (is("--version") && flag()) {
        std::printf("%.*s %s\n", static_cast<int>(program_.size()), program_.data(), programVersion());
        std::exit(0);
    }
}

void CommandLine::unknown() const { fail("unknown option '" + std::string(name_) + "'"); }

void CommandLine::fail(const std::string& problem) const {
    std::fprintf(stderr, "%.*s: %s (try --help)\n", static_cast<int>(program_.size()), program_.data(), problem.c_str());
    std::exit(2);
}

bool parseWholeNumber(std::string_view text, std::uint64_t min, std::uint64_t max, std::uint64_t& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    std::uint64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc{} || end != text.data() + text.size() || parsed < min || parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}

const char* programVersion() { return VIVAR_VERSION; }
