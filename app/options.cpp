#include "app/options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "base/languages.h"
#include "base/words.h"
#include "model/board_file.h"
#include "model/rules.h"

CommandLine::CommandLine(std::string_view program, int argc, char** argv)
    : program_(program), argc_(argc), argv_(argv) {}

bool CommandLine::next() {
    if (++index_ >= argc_) {
        return false;
    }
    asked_.clear();
    std::string_view argument = argv_[index_];
    // A file named "/?" is no argument of ours, so Debian takes it too.
    if (argument == "/?") {
        argument = "--help";
    }
    if (argument.size() < 3 || argument.substr(0, 2) != "--") {
        fail(words::fill(words::translate("CommandLine", "unexpected argument '%1'"), {argument}));
    }
    const auto equals = argument.find('=');
    hasGluedValue_ = equals != std::string_view::npos;
    name_ = argument.substr(0, equals);
    gluedValue_ = hasGluedValue_ ? argument.substr(equals + 1) : std::string_view{};
    return true;
}

bool CommandLine::is(std::string_view name) const {
    asked_.push_back(name);
    return name_ == name;
}

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

void CommandLine::unknown() const {
    if (const auto nearest = nearestOption(name_, asked_)) {
        fail(words::fill(words::translate("CommandLine", "unknown option '%1'; did you mean '%2'?"),
                         {name_, *nearest}));
    }
    fail(words::fill(words::translate("CommandLine", "unknown option '%1'"), {name_}));
}

namespace {

// Edits from one word to the other: a letter added, dropped, changed, or
// two neighbours swapped.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

std::string_view withoutDashes(std::string_view option) {
    return option.substr(std::min(option.find_first_not_of('-'), option.size()));
}

}  // namespace

std::optional<std::string_view> nearestOption(std::string_view typed, const std::vector<std::string_view>& options) {
    const std::string_view word = withoutDashes(typed);
    const std::size_t limit = std::max<std::size_t>(1, word.size() / 3);
    std::optional<std::string_view> nearest;
    std::size_t nearestDistance = limit + 1;
    for (const std::string_view option : options) {
        const std::size_t distance = editDistance(word, withoutDashes(option));
        if (distance < nearestDistance) {
            nearest = option;
            nearestDistance = distance;
        }
    }
    return nearest;
}

std::optional<std::string> askedLanguage(std::string_view program, int argc, char** argv) {
    constexpr std::string_view kOption = "--language";
    std::optional<std::string> asked;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kOption && i + 1 < argc) {
            asked = argv[++i];
        } else if (argument.substr(0, kOption.size() + 1) == "--language=") {
            asked = std::string(argument.substr(kOption.size() + 1));
        }
    }
    if (asked && !languages::known(*asked)) {
        CommandLine(program, argc, argv)
            .fail(words::fill(words::translate("CommandLine", "--language takes %1, not '%2'"),
                              {languages::names(), *asked}));
    }
    return asked;
}

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

void readSharedOption(CommandLine& arguments, Rules& rules, Rules& given) {
    if (readRulesOption(arguments, rules, given)) {
        return;
    }
    if (arguments.is("--language")) {
        (void)arguments.text();  // spoken since before the options were read
        return;
    }
    arguments.unknown();
}
