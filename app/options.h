#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/numbers.h"

// The long options of vivar and vivar-sim, read the way Unix programs read
// them: "--name value" or "--name=value", flags without a value, whole
// numbers within a range, and "/?" for --help as Windows programs take it.
// A mistake prints one line on stderr, naming the problem, and exits with
// status 2 before anything else happens; a mistyped option names the
// nearest one.
//
//   CommandLine arguments("vivar", argc, argv);
//   while (arguments.next()) {
//       arguments.answerHelpOrVersion(help);
//       if (arguments.is("--seed")) seed = arguments.number(0, kMaxSeed);
//       else if (arguments.is("--quiet")) quiet = arguments.flag();
//       else arguments.unknown();
//   }
class CommandLine {
public:
    CommandLine(std::string_view program, int argc, char** argv);

    // Moves to the next option; false when there are no more.
    bool next();
    // Whether the current option is this one, "--name" or "--name=value".
    [[nodiscard]] bool is(std::string_view name) const;

    // The current option as a flag: true, or an error if a value was glued on.
    bool flag();
    // The current option's value, from "=value" or the next argument.
    std::string text();
    // The value as a whole decimal number from min to max.
    std::uint64_t number(std::uint64_t min, std::uint64_t max);

    // Answers --help with the text and --version with the program's version,
    // and exits 0; does nothing for any other option.
    void answerHelpOrVersion(const std::function<std::string()>& help);

    // Refuses the current option, naming the nearest of those the loop asked
    // about with is(), if one is near.
    [[noreturn]] void unknown() const;
    [[noreturn]] void fail(const std::string& problem) const;

private:
    std::string_view program_;
    int argc_;
    char** argv_;
    int index_ = 0;
    std::string_view name_;
    std::string_view gluedValue_;
    bool hasGluedValue_ = false;
    // The options is() was asked about for the current one: every option
    // the program knows, once the loop reaches unknown().
    mutable std::vector<std::string_view> asked_;
};

// The option nearest to a mistyped one by edit distance (a swap of two
// neighbours counts one), if within a third of its length, at least one
// edit: "--sed" gets "--seed", "--xyz" nothing. The first of equals wins.
[[nodiscard]] std::optional<std::string_view> nearestOption(std::string_view typed,
                                                            const std::vector<std::string_view>& options);

// The value of the last --language (or --language=L), read before any
// other option so that every text, complaints about earlier options
// included, is in that language. A language without a translation is
// refused as a mistake in the options is. Nothing when not given.
[[nodiscard]] std::optional<std::string> askedLanguage(std::string_view program, int argc, char** argv);

struct Rules;
// --size WxH and --rule NAME=VALUE (repeatable, each rule once), as both
// programs read them: into the rules, and into `given`, which holds what
// the command line set and leaves the rest as board_file::kNothingGiven
// does (a board file's own rules must not contradict it). A size or a rule
// given twice is refused, as --vary refuses a rule varied twice. True when
// the current option was one of them.
bool readRulesOption(CommandLine& arguments, Rules& rules, Rules& given);
// The last branch of both programs' option loops: a size or a rule,
// --language (already spoken by then), or an option neither knows.
void readSharedOption(CommandLine& arguments, Rules& rules, Rules& given);

// The project's version, the same for every program and the package.
[[nodiscard]] const char* programVersion();
