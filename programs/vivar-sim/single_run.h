// A single vivar-sim run: its trace, counts or summary on standard output,
// its film and its saved board, and how it ends when stopped.
#pragma once

#include <optional>

#include "model/board.h"
#include "programs/vivar-sim/options.h"

namespace sim {

// Runs the options' single run, from the board read if there is one, which
// it takes as its own; the program's exit status.
[[nodiscard]] int runSingle(const Options& options, std::optional<Board>& loaded);

}  // namespace sim
