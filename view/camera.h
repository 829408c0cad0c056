#pragma once

#include "platform/window.h"

class SoQtExaminerViewer;

// The camera on the board: where the home view stands, how near it may come,
// and how the tiles' transparency is drawn for the board's size.

// The view opens at a size where the board is comfortable to watch; the
// status line and the chart come on top of it.
inline constexpr int kWindowWidth = 960;
inline constexpr int kWindowHeight = 820;

// The camera comes no nearer to the board than this, in squares: at the
// viewer's height angle of 45 degrees the view is then one square high.
inline constexpr float kNearestCameraDistance = 1.2f;

// The camera moved towards or away from the point it looks at, the
// distance multiplied by `factor`.
[[nodiscard]] platform::CameraPlace dollied(const platform::CameraPlace& camera, float factor);
// Where a camera that moved from `before` to `after` is let stand when the
// board lies on the plane z = 0, facing +z, and the camera must keep at
// least `least` in front of it: a move that did not turn the camera (zoom,
// dolly, pan) stops where it reaches that distance; a turn backs away along
// the new line of sight, still looking at the same point, unless it looks
// along the plane rather than down at it, when the camera stays where it
// was.
[[nodiscard]] platform::CameraPlace keptInFront(const platform::CameraPlace& before,
                                                const platform::CameraPlace& after, float least);

// The camera kept in front of the board by at least `least`, whatever
// turns, zooms, dollies or seeks it; an orthographic view zooms in no
// further than a perspective one would come.
class BoardCamera final : public platform::CameraRules {
public:
    explicit BoardCamera(float least) : least_(least) {}
    [[nodiscard]] platform::CameraPlace dollied(const platform::CameraPlace& camera, float factor) const override;
    [[nodiscard]] platform::CameraPlace kept(const platform::CameraPlace& before,
                                             const platform::CameraPlace& after) const override;
    [[nodiscard]] float keptHeight(float before, float after) const override;

private:
    float least_;
};

// The home view frames the whole board, and becomes the viewer's home.
void frameBoard(SoQtExaminerViewer& viewer);
// The tiles' transparency suits the board's size.
void setTransparency(SoQtExaminerViewer& viewer);
