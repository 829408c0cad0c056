// The boards vivar-sim saves, with their place in the run and a comment
// that says how to go on, and what a board read rules out among the options.
#pragma once

#include <optional>
#include <string>

#include "programs/vivar-sim/options.h"

class SeededRun;

namespace sim {

// The board as the run has it now, with its place in the run: what
// --board FILE needs to go on exactly.
[[nodiscard]] std::optional<std::string> saveBoard(const Options& options, const SeededRun& run);

// What a board's generation rules out among the options: a run past the
// last generation that can be counted, or --at outside the run.
[[nodiscard]] std::optional<std::string> placeProblem(const Options& options);

}  // namespace sim
