// An experiment's plot written to a PNG or SVG file, as vivar-sim's --plot
// asks the films module for it.
#pragma once

#include <optional>
#include <string>

#include "film/plot_request.h"

// The plot written; what kept it from being written otherwise.
[[nodiscard]] std::optional<std::string> writeExperimentPlot(const ExperimentPlotRequest& request);
