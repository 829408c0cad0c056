// vivar-sim's options: what the command line asks for, read and checked
// before anything runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "film/film_format.h"
#include "film/plot_request.h"
#include "model/board_file.h"
#include "model/rules.h"
#include "studies/experiment.h"
#include "studies/sweep.h"

namespace sim {

inline constexpr std::int64_t kDefaultGenerations = 100;

// A part of an experiment, 1 to count.
struct Part {
    std::uint64_t index = 1;
    std::uint64_t count = 1;
};

// --plot TABLE FILE and the options that go with it.
struct PlotAsk {
    std::filesystem::path table;
    std::filesystem::path file;
    PlotFormat format = PlotFormat::kPng;
    PlotChoice choice;
    int width = kDefaultPlotWidth;
    int height = kDefaultPlotHeight;
};

struct Options {
    std::int64_t seed = 0;
    bool seedGiven = false;
    std::optional<std::filesystem::path> board;
    std::optional<std::filesystem::path> saveBoard;
    std::optional<std::int64_t> saveAt;
    std::optional<SeedRange> seeds;
    std::optional<unsigned> jobs;
    std::vector<Variation> variations;
    std::optional<Part> part;
    std::optional<std::filesystem::path> resume;
    std::optional<std::filesystem::path> film;
    FilmKind filmKind = FilmKind::kWebM;
    std::optional<FilmSize> filmSize;
    std::optional<int> filmRate;
    FilmExtras filmExtras;
    // A picture of an experiment's table, and no run.
    std::optional<PlotAsk> plot;
    std::int64_t generations = kDefaultGenerations;
    bool counts = false;
    bool summary = false;
    Rules rules;
    // What --size and --rule set, 0 for what they leave alone: a board file
    // brings its own rules, which these must not contradict.
    Rules rulesGiven = board_file::kNothingGiven;
    // Where the --board file's board stands in its run, as the file says.
    board_file::RunPlace boardPlace;
};

// The options of the command line; on a problem, or for --help and
// --version, the program ends having said so.
[[nodiscard]] Options parseOptions(int argc, char** argv);

}  // namespace sim
