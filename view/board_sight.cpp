#include "view/board_sight.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include <Inventor/SbLine.h>
#include <Inventor/SbVec2f.h>
#include <Inventor/SbPlane.h>
#include <Inventor/SbViewVolume.h>

namespace {

using Polygon = std::vector<SbVec3f>;

// The board's rectangle, the tiles' x 0..across and y 1 - down..1.
Polygon boardCorners(int across, int down) {
    const auto x = static_cast<float>(across);
    const float bottom = 1.0f - static_cast<float>(down);
    return {SbVec3f(0.0f, 1.0f, 0.0f), SbVec3f(x, 1.0f, 0.0f), SbVec3f(x, bottom, 0.0f), SbVec3f(0.0f, bottom, 0.0f)};
}

// The part of a convex polygon on the side the plane's normal points to.
Polygon clipped(const Polygon& polygon, const SbPlane& plane) {
    Polygon kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const SbVec3f& from = polygon[i];
        const SbVec3f& to = polygon[(i + 1) % polygon.size()];
        const float fromSide = plane.getDistance(from);
        const float toSide = plane.getDistance(to);
        if (fromSide >= 0.0f) {
            kept.push_back(from);
        }
        if ((fromSide >= 0.0f) != (toSide >= 0.0f)) {
            kept.push_back(from + (to - from) * (fromSide / (fromSide - toSide)));
        }
    }
    return kept;
}

// The view volume's six planes, each facing into it, whichever way the
// library turns them.
std::array<SbPlane, 6> facingIn(const SbViewVolume& volume) {
    std::array<SbPlane, 6> planes;
    volume.getViewVolumePlanes(planes.data());
    // The middle of the volume, which lies off the line of sight of a volume
    // cut from part of a camera's.
    const SbVec3f inside = volume.getPlanePoint(volume.getNearDist() + 0.5f * volume.getDepth(), SbVec2f(0.5f, 0.5f));
    for (SbPlane& plane : planes) {
        if (plane.getDistance(inside) < 0.0f) {
            plane = SbPlane(-plane.getNormal(), -plane.getDistanceFromOrigin());
        }
    }
    return planes;
}

SquareSpan spanOf(const Polygon& polygon, int across, int down) {
    if (polygon.size() < 3) {
        return {};
    }
    float leftmost = polygon.front()[0];
    float rightmost = leftmost;
    float lowest = polygon.front()[1];
    float highest = lowest;
    for (const SbVec3f& corner : polygon) {
        leftmost = std::min(leftmost, corner[0]);
        rightmost = std::max(rightmost, corner[0]);
        lowest = std::min(lowest, corner[1]);
        highest = std::max(highest, corner[1]);
    }
    const auto within = [](float value, int end) {
        return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(end)));
    };
    // Square y lies from 1 - y down to -y.
    return {within(std::floor(leftmost), across), within(std::ceil(rightmost), across),
            within(std::floor(1.0f - highest), down), within(std::ceil(1.0f - lowest), down)};
}

Polygon inView(const SbViewVolume& volume, int across, int down) {
    Polygon polygon = boardCorners(across, down);
    for (const SbPlane& plane : facingIn(volume)) {
        polygon = clipped(polygon, plane);
    }
    return polygon;
}

}  // namespace

std::optional<int> squareUnderRay(const SbLine& ray, int across, int down) {
    const SbVec3f& from = ray.getPosition();
    const SbVec3f& along = ray.getDirection();
    if (std::fabs(along[2]) < 1e-6f) {
        return std::nullopt;
    }
    const float reach = -from[2] / along[2];
    const float x = std::floor(from[0] + reach * along[0]);
    const float y = std::floor(1.0f - (from[1] + reach * along[1]));
    if (x < 0.0f || x >= static_cast<float>(across) || y < 0.0f || y >= static_cast<float>(down)) {
        return std::nullopt;
    }
    return static_cast<int>(x) * down + static_cast<int>(y);
}

float squarePixelsAt(const SbViewVolume& volume, int pixelsHigh, float depth) {
    const float high = static_cast<float>(pixelsHigh) / volume.getHeight();
    if (volume.getProjectionType() == SbViewVolume::ORTHOGRAPHIC) {
        return high;
    }
    return depth > 0.0f ? high * volume.getNearDist() / depth : 0.0f;
}

SquareSpan squaresInView(const SbViewVolume& volume, int across, int down) {
    return spanOf(inView(volume, across, down), across, down);
}

SquareSpan squaresShowingPictures(const SbViewVolume& volume, int pixelsHigh, int across, int down) {
    if (volume.getProjectionType() == SbViewVolume::ORTHOGRAPHIC) {
        return showsPicture(squarePixelsAt(volume, pixelsHigh, 1.0f)) ? squaresInView(volume, across, down)
                                                                        : SquareSpan{};
    }
    // A square's width falls as its depth grows: beyond this depth a
    // square is narrower than a picture needs.
    const float deepest =
        static_cast<float>(pixelsHigh) * volume.getNearDist() / (volume.getHeight() * kLeastPictureSideOnScreen);
    if (deepest <= volume.getNearDist()) {
        return {};
    }
    const SbVec3f& ahead = volume.getProjectionDirection();
    const SbPlane nearer(-ahead, -(ahead.dot(volume.getProjectionPoint()) + deepest));
    return spanOf(clipped(inView(volume, across, down), nearer), across, down);
}

int squareStepped(int x, int y, int dx, int dy, int across, int down) {
    const int steppedX = ((x + dx) % across + across) % across;
    const int steppedY = ((y + dy) % down + down) % down;
    return steppedX * down + steppedY;
}

int middleSquare(int across, int down) { return (across / 2) * down + down / 2; }
