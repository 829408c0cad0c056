#pragma once

#include <array>
#include <cstddef>

#include <Qt>

#include "film/film_format.h"
#include "film/kind_colours.h"

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
inline constexpr std::array<Look, kPopulationLines> kLooks{{
    {kind_colours::ofLine(0), kWide, Qt::SolidLine},
    {kind_colours::ofLine(1), kNarrow, Qt::SolidLine},
    {kind_colours::ofLine(2), kWide, Qt::DashLine},
    {kind_colours::ofLine(3), kNarrow, Qt::DashLine},
    {kind_colours::ofLine(4), kNarrow, Qt::DashDotLine},
}};
// Drawn in this order: the brown species wide, each species' eggs over its
// adults, the green species narrow over the brown, the cats over all.
inline constexpr std::array<std::size_t, kPopulationLines> kDrawingOrder{0, 2, 1, 3, 4};

}  // namespace chart_lines
