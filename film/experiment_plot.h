// The answer of an experiment drawn as a plot, the same in the window and in
// vivar-sim's pictures.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <QPainter>
#include <QRectF>

#include "studies/experiment_tally.h"

// What a plot shows of a tally.
enum class PlotShows { kSurvival, kPopulations, kExtinction };

struct PlotChoice {
    PlotShows shows = PlotShows::kSurvival;
    // The setting along the x axis, an index into kSettingNames; when not
    // given, the only varied one, or a grid of the first two.
    std::optional<std::size_t> against;
};

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

[[nodiscard]] PlotDrawn drawExperimentPlot(QPainter& painter, const QRectF& area, const ExperimentTally& tally,
                                           const PlotChoice& choice);
