#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "model/board_file.h"
#include "model/rules.h"
#include "model/run_seeds.h"

// What vivar's command line can change. With no option: clock seeds, 900 ms
// per generation, the trace on stdout.
struct RunOptions {
    static constexpr std::uint64_t kMaxSeed = kLargestSeed;
    static constexpr int kDefaultPaceMilliseconds = 900;
    static constexpr int kMaxPaceMilliseconds = 10000;
    // Every fill seeds with it, generation k after a fill or clear with
    // seed + k, as vivar-sim does.
    std::optional<std::uint32_t> seed;
    int paceMilliseconds = kDefaultPaceMilliseconds;
    std::filesystem::path countsFile;  // empty: none
    std::filesystem::path boardFile;   // empty: start with an empty board
    bool quiet = false;
    Rules rules;
    // What --size and --rule set, 0 for what they leave alone: a board file
    // brings its own rules, which these must not contradict.
    Rules rulesGiven = board_file::kNothingGiven;
};

// Reads vivar's options; prints the help or the version and exits 0 when
// asked, or one line on stderr and exits 2 on a mistake.
RunOptions parseRunOptions(int argc, char** argv);

// The --help text: every option and every key, in the user's language.
[[nodiscard]] std::string vivarHelp();
