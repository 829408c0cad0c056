// vivar-sim --plot: an experiment's table read and drawn by the films
// module into a PNG or SVG file.
#pragma once

#include "programs/vivar-sim/options.h"

namespace sim {

// The plot --plot asks for, and its points on standard output, one a line;
// the program's exit status: 0, 1 when the
// picture could not be written, 2 when the table or --against is refused.
[[nodiscard]] int drawPlot(const PlotAsk& plot);

}  // namespace sim
