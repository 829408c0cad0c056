#pragma once

#include <array>
#include <cstddef>

#include <Qt>
#include <QColor>
#include <QPen>

#include "looks/kind_colours.h"

// How the population chart draws its lines, each in its kind's colour from
// the one palette: none may hide another where their numbers are equal, so
// a line drawn later is narrower than those beneath it, or leaves gaps as
// long as its dashes. The window's chart (view/run_panel.cpp) draws them
// so; a film's chart (FilmPage) takes them from here.
namespace chart_lines {

struct Look {
    const char* colour;
    // In pixels at the window's chart's size.
    double width;
    Qt::PenStyle style;
};
inline constexpr double kWide = 4.0;
inline constexpr double kNarrow = 1.5;
// A dashed line's dashes and gaps, in widths of its pen.
inline constexpr double kDash = 3.0;

// In the populations' order: brown and green lizards, brown and green eggs,
// cats.
inline constexpr std::array kLooks{
    Look{kind_colours::ofLine(0), kWide, Qt::SolidLine},
    Look{kind_colours::ofLine(1), kNarrow, Qt::SolidLine},
    Look{kind_colours::ofLine(2), kWide, Qt::DashLine},
    Look{kind_colours::ofLine(3), kNarrow, Qt::DashLine},
    Look{kind_colours::ofLine(4), kNarrow, Qt::DashDotLine},
};
static_assert(kLooks.size() + 1 == kSquareLooks);
// Drawn in this order: the brown species wide, each species' eggs over its
// adults, the green species narrow over the brown, the cats over all.
inline constexpr std::array<std::size_t, kLooks.size()> kDrawingOrder{0, 2, 1, 3, 4};

// A line's pen, its width `scale` times the window's chart's. Made where
// it is drawn, which links Qt: this layer does not, so that vivar-sim,
// which links it, loads no Qt.
[[nodiscard]] inline QPen penOf(std::size_t line, double scale = 1.0) {
    const Look& look = kLooks[line];
    QPen pen(QColor(look.colour), look.width * scale, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    if (look.style == Qt::DashLine) {
        pen.setDashPattern({kDash, kDash});
    } else {
        pen.setStyle(look.style);
    }
    return pen;
}

// The span of one of the chart's axes: from a little below 0, so that no
// point or line is drawn on the axis itself, up to `top`, marked every
// `step` from 0, a whole step of 1, 2 or 5 times a power of ten. It follows
// from the highest value charted alone, whatever the axis showed before.
struct AxisSpan {
    double low;
    double top;
    double step;
};
[[nodiscard]] AxisSpan axisSpan(double highest);
// However little there is to chart, the axes reach this far.
inline constexpr double kLeastGenerations = 20;
inline constexpr double kLeastSquares = 10;

}  // namespace chart_lines
