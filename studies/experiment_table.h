// An experiment's table as vivar-sim writes it, for vivar-sim and the window
// alike: what each run's rows are, the shape a table gone on with is held
// against, and opening a table to go on with it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/output_file.h"
#include "studies/experiment.h"
#include "studies/partial_table.h"
#include "studies/sweep.h"

struct StartingBoard;

// The header line of an experiment's table, without its line end.
[[nodiscard]] std::string tableHeader(bool summary);

// The table of runs `span` of an experiment, for a table gone on with to be
// held against: the header when `withHeader` (a part after the first has
// none), and the key fields that begin each run's rows, its size, rules and
// seed, then the generation or, in a summary, the number of generations.
[[nodiscard]] TableShape tableShape(const Experiment& experiment, RunSpan span, std::int64_t generations,
                                    bool summary, bool withHeader);

// The work of a sweep over the experiment's runs from number `first` on: a
// run's rows, each led by its size and rules. Every run starts from a copy
// of `from` when it is given.
[[nodiscard]] RunWork tableRows(const Experiment& experiment, std::uint64_t first, std::int64_t generations,
                                bool summary, const StartingBoard* from = nullptr);

// A table to go on with, open for adding to, and what it holds already.
struct GoingOn {
    platform::OutputFile file;
    TableEnd end;
};
// Why a table is not gone on with: one line that names the file, and the
// exit status vivar-sim gives it (2 for a file that is not the table, 1 for
// one that cannot be cut or opened).
struct GoOnRefusal {
    std::string line;
    int status = 2;
};

// Opens `path` to go on with it: checked against the table of `shape`, whole
// line by whole line, before anything changes; then cut after its last
// whole run and opened for adding the rest. A file that is not there yet is
// begun. A file that is not this table, or cannot be read, is left
// untouched.
[[nodiscard]] std::optional<GoOnRefusal> openToGoOn(const std::filesystem::path& path, const TableShape& shape,
                                                    GoingOn& goingOn);
