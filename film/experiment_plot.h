// The answer of an experiment drawn as a plot, the same in the window and in
// vivar-sim's pictures.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <QPainter>
#include <QRectF>

#include "film/plot_request.h"
#include "studies/experiment_tally.h"

// What was drawn, for a window to answer clicks and a test to check.
struct PlotDrawn {
    struct Hit {
        QRectF area;
        std::size_t point = 0;  // into tally.points()
    };
    std::vector<Hit> hits;
    // One line per point drawn, in the order
    // of tally.points(): its varied settings, runs and shares, as
    // "hatch=5 runs=20 both=0.450 one=0.900" (shares with three decimals).
    std::vector<std::string> lines;
    // Why nothing could be drawn (an empty tally, an `against` that does not
    // vary), when so.
    std::optional<std::string> problem;
};

// Where a setting's values stand along an axis: the numbers themselves,
// the side N of NxN sizes, or else each value's place in the order given,
// labelled with the value.
struct AxisPlaces {
    std::vector<double> at;
    bool ordinal = false;
    bool squareSides = false;
};
[[nodiscard]] AxisPlaces axisPlacesOf(const std::vector<std::string>& values);

class PlotCanvas;
// The same, drawn on either of a plot's canvases (film/plot_canvas.h).
[[nodiscard]] PlotDrawn drawExperimentPlot(PlotCanvas& canvas, const QRectF& area, const ExperimentTally& tally,
                                           const PlotChoice& choice);

[[nodiscard]] PlotDrawn drawExperimentPlot(QPainter& painter, const QRectF& area, const ExperimentTally& tally,
                                           const PlotChoice& choice);
