// The population chart's axes, as the window's chart and a film's lay them out.
#include "looks/chart_lines.h"

#include <algorithm>
#include <cmath>

namespace chart_lines {
namespace {

// Marks at most this many steps past 0, and the axis this share of its
// span before 0.
constexpr double kMostSteps = 5.0;
constexpr double kAxisMargin = 0.03;

}  // namespace

AxisSpan axisSpan(double highest) {
    // The smallest step of 1, 2 or 5 times a power of ten that reaches the
    // highest value in at most kMostSteps.
    const double least = std::max(highest, 1.0) / kMostSteps;
    double step = std::pow(10.0, std::floor(std::log10(least)));
    for (const double times : {1.0, 2.0, 5.0, 10.0}) {
        if (times * step >= least * (1.0 - 1e-9)) {
            step *= times;
            break;
        }
    }
    // Generations and squares are whole numbers, and so are their marks.
    step = std::max(step, 1.0);
    const double top = std::ceil(std::max(highest, 1.0) / step - 1e-9) * step;
    return {-kAxisMargin * top, top, step};
}

}  // namespace chart_lines
