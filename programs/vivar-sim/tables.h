// vivar-sim's tables of many runs: a sweep of seeds or an experiment, its
// part, and a table cut short taken up again with --resume.
#pragma once

#include "programs/vivar-sim/options.h"

struct StartingBoard;

namespace sim {

// A sweep of seeds, or an experiment: the runs of every combination of the
// varied rules for every seed, or the options' part of them, or what a
// --resume finds missing of them.
void runSweep(const Options& options, const StartingBoard* from);

}  // namespace sim
