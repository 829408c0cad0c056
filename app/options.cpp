#include "app/options.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "base/words.h"
#include "model/board_file.h"
#include "model/rules.h"

CommandLine::CommandLine(std::string_view program, int argc, char** argv)
    : program_(program), argc_(argc), argv_(argv) {}

bool CommandLine::next() {
    if (++index_ >= argc_) {
        return false;
    }
    const std::string_view argument = argv_[index_];
    if (argument.size() < 3 || argument.substr(0, 2) != "--") {
        fail(words::fill(words::translate("CommandLine", "unexpected argument '%1'"), {argument}));
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
        fail(words::fill(words::translate("CommandLine", "%1 takes no value"), {name_}));
    }
    return true;
}

std::string CommandLine::text() {
    if (hasGluedValue_) {
        return std::string(gluedValue_);
    }
    if (index_ + 1 >= argc_) {
        fail(words::fill(words::translate("CommandLine", "%1 needs a value"), {name_}));
    }
    return argv_[++index_];
}

std::uint64_t CommandLine::number(std::uint64_t min, std::uint64_t max) {
    const std::string value = text();
    std::uint64_t result = 0;
    if (!parseWholeNumber(value, min, max, result)) {
        fail(words::fill(words::translate("CommandLine", "%1 needs a whole number from %2 to %3, not '%4'"),
                         {name_, std::to_string(min), std::to_string(max), value}));
    }
    return result;
}

void CommandLine::answerHelpOrVersion(const std::function<std::string()>& help) {
    if (is("--help") && flag()) {
        std::fputs(help().c_str(), stdout);
        std::exit(0);
    }
    if (is("--version") && flag()) {
        std::printf("%.*s %s\n", static_cast<int>(program_.size()), program_.data(), programVersion());
        std::exit(0);
    }
}

void CommandLine::unknown() const { fail(words::fill(words::translate("CommandLine", "unknown option '%1'"), {name_})); }

void CommandLine::fail(const std::string& problem) const {
    const std::string line = words::fill(words::translate("CommandLine", "%1: %2 (try --help)"), {program_, problem});
    std::fprintf(stderr, "%s\n", line.c_str());
    std::exit(2);
}

const char* programVersion() { return VIVAR_VERSION; }

bool readRulesOption(CommandLine& arguments, Rules& rules, Rules& given) {
    const bool size = arguments.is("--size");
    if (!size && !arguments.is("--rule")) {
        return false;
    }
    const std::string text = arguments.text();
    Rules read = rules;
    if (const std::optional<std::string> problem = size ? setSize(read, text) : setRule(read, text)) {
        arguments.fail(*problem);
    }
    const std::string name = size ? std::string() : text.substr(0, text.find('='));
    if (size && sizeText(given) != sizeText(board_file::kNothingGiven)) {
        arguments.fail(words::translate("CommandLine", "--size is given twice: a board has one size"));
    }
    if (!size && ruleValue(given, name) != ruleValue(board_file::kNothingGiven, name)) {
        arguments.fail(
            words::fill(words::translate("CommandLine", "--rule %1 is given twice: a rule has one value"), {name}));
    }
    rules = read;
    // Read already, so it cannot fail.
    [[maybe_unused]] const auto problem = size ? setSize(given, text) : setRule(given, text);
    return true;
}
