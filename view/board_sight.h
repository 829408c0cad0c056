#pragma once

#include <cstdint>
#include <optional>

#include "looks/map_threshold.h"

class SbLine;
class SbViewVolume;

// What the camera sees of a board drawn as one node, and how large. The
// board lies on the plane z = 0 as the tiles lie: the square at x across
// and y down (Board::indexOf(x, y)) covers x..x + 1 and -y..1 - y.

// A rectangle of squares: x from firstX up to endX, y from firstY up to
// endY, the ends left out.
struct SquareSpan {
    int firstX = 0;
    int endX = 0;
    int firstY = 0;
    int endY = 0;

    [[nodiscard]] bool empty() const { return endX <= firstX || endY <= firstY; }
    [[nodiscard]] std::int64_t count() const {
        return empty() ? 0 : std::int64_t{endX - firstX} * std::int64_t{endY - firstY};
    }
    [[nodiscard]] bool holds(int x, int y) const { return x >= firstX && x < endX && y >= firstY && y < endY; }
    [[nodiscard]] bool operator==(const SquareSpan& other) const = default;
};

// The square a ray meets on a board `across` squares wide and `down`
// high, as Board::indexOf numbers it; none where it passes beside the
// board or along its plane.
[[nodiscard]] std::optional<int> squareUnderRay(const SbLine& ray, int across, int down);

// The square one step from (x, y) across (dx) and down (dy), round the
// board's torus as the creatures go, numbered as Board::indexOf numbers it.
[[nodiscard]] int squareStepped(int x, int y, int dx, int dy, int across, int down);
// The square in the board's middle, where picking by the keyboard starts.
[[nodiscard]] int middleSquare(int across, int down);

// A square drawn narrower than kLeastPictureSideOnScreen is too small for
// its picture to tell a creature: the board shows it in the colour of its
// kind, as a map, which shows where each kind holds the ground.
[[nodiscard]] constexpr bool showsPicture(float squarePixels) { return squarePixels >= kLeastPictureSideOnScreen; }

// How many pixels wide a square lying at `depth` along the line of sight
// is drawn in a view `pixelsHigh` pixels high; the same at any depth for
// an orthographic view.
[[nodiscard]] float squarePixelsAt(const SbViewVolume& volume, int pixelsHigh, float depth);

// The squares of the board within the view volume: those the camera may
// show, none behind it or beyond its far plane.
[[nodiscard]] SquareSpan squaresInView(const SbViewVolume& volume, int across, int down);
// The squares in view that are drawn at least kLeastPictureSideOnScreen pixels
// wide (in a perspective view, those near enough); a square that a
// slanting view narrows may be among them.
[[nodiscard]] SquareSpan squaresShowingPictures(const SbViewVolume& volume, int pixelsHigh, int across, int down);
