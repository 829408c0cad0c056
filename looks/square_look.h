#pragma once

#include <cstddef>

// What a square looks like where it is too small for its picture: the map
// of a large board, in the window and in films, colours each square by
// this, and the population chart's lines are the kinds after the empty
// square, in the same order.
enum class SquareLook { kEmptySquare, kBrownLizard, kGreenLizard, kBrownEgg, kGreenEgg, kAnyCat };
inline constexpr std::size_t kSquareLooks = 6;

[[nodiscard]] constexpr std::size_t indexOf(SquareLook look) { return static_cast<std::size_t>(look); }
