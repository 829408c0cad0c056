#include "view/camera.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <QWidget>

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>

#include "model/board.h"
#include "view/scene.h"

namespace {

// The viewer's own framing fits the board's bounding sphere, which leaves
// the square board small in a wide window: start closer, with the board
// filling most of the view, and make that the home position.
constexpr float kBoardMargin = 1.08f;

}  // namespace

platform::CameraPlace dollied(const platform::CameraPlace& camera, float factor) {
    SbVec3f ahead;
    camera.orientation.multVec(SbVec3f(0.0f, 0.0f, -1.0f), ahead);
    const SbVec3f lookedAt = camera.position + ahead * camera.focalDistance;
    platform::CameraPlace moved = camera;
    moved.focalDistance = camera.focalDistance * factor;
    moved.position = lookedAt - ahead * moved.focalDistance;
    return moved;
}

platform::CameraPlace keptInFront(const platform::CameraPlace& before, const platform::CameraPlace& after, float least) {
    // Rounding leaves a camera put at the least distance a hair short of it.
    constexpr float kSlack = 1e-4f;
    // A turn backs away along its line of sight only while it looks down at
    // least this steeply: looking along the board, it would back away
    // without end.
    constexpr float kSteepestBackAway = 0.17f;  // about 10 degrees below level
    const auto inFront = [least](const platform::CameraPlace& camera) { return camera.position[2] >= least - kSlack; };
    if (inFront(after)) {
        return after;
    }
    if (after.orientation == before.orientation && inFront(before)) {
        const float share = (before.position[2] - least) / (before.position[2] - after.position[2]);
        platform::CameraPlace stopped = before;
        stopped.position = before.position + (after.position - before.position) * share;
        stopped.position[2] = least;
        stopped.focalDistance = before.focalDistance + (after.focalDistance - before.focalDistance) * share;
        return stopped;
    }
    SbVec3f ahead;
    after.orientation.multVec(SbVec3f(0.0f, 0.0f, -1.0f), ahead);
    if (-ahead[2] >= kSteepestBackAway) {
        const float back = (least - after.position[2]) / -ahead[2];
        platform::CameraPlace backed = after;
        backed.position = after.position - ahead * back;
        backed.position[2] = least;
        backed.focalDistance = after.focalDistance + back;
        return backed;
    }
    if (inFront(before)) {
        return before;
    }
    platform::CameraPlace lifted = after;
    lifted.position[2] = least;
    return lifted;
}

platform::CameraPlace BoardCamera::dollied(const platform::CameraPlace& camera, float factor) const {
    return ::dollied(camera, factor);
}

platform::CameraPlace BoardCamera::kept(const platform::CameraPlace& before, const platform::CameraPlace& after) const {
    return keptInFront(before, after, least_);
}

// An orthographic view zooms in no further than a perspective one: to the
// height that the perspective camera's angle of 45 degrees spans at the
// least distance.
float BoardCamera::keptHeight(float before, float after) const {
    constexpr float kTanHalfHeightAngle = 0.41421356f;  // tan(22.5 degrees)
    return std::max(after, std::min(before, 2.0f * least_ * kTanHalfHeightAngle));
}

void frameBoard(SoQtExaminerViewer& viewer) {
    SoCamera* camera = viewer.getCamera();
    if (camera == nullptr || !camera->isOfType(SoPerspectiveCamera::getClassTypeId())) {
        return;
    }
    // Tiles cover x 0..width and y 1 - columns..1.
    const float halfWidth = 0.5f * static_cast<float>(tilesAcross);
    const float halfHeight = 0.5f * static_cast<float>(tilesDown);
    // Before the window is shown its view has no size yet: it opens at ours.
    const QWidget* area = viewer.getGLWidget();
    const float aspect = area != nullptr && area->isVisible() && area->height() > 0
                             ? static_cast<float>(area->width()) / static_cast<float>(area->height())
                             : static_cast<float>(kWindowWidth) / static_cast<float>(kWindowHeight);
    // The height angle spans the view's shorter side; a square board is
    // framed by its side whatever the view's shape.
    const float fit = aspect >= 1.0f ? std::max(halfHeight, halfWidth / aspect) : std::max(halfWidth, halfHeight * aspect);
    const float angle = static_cast<SoPerspectiveCamera*>(camera)->heightAngle.getValue();
    const float distance = kBoardMargin * fit / std::tan(0.5f * angle);
    camera->position.setValue(halfWidth, 1.0f - halfHeight, distance);
    camera->orientation.setValue(SbRotation::identity());
    camera->focalDistance.setValue(distance);
    viewer.saveHomePosition();
}

// The pictures' transparent parts let the plane behind show through. The
// standard board sorts its tiles by distance, as it always has; any other
// board is one node, drawn after the plane.
void setTransparency(SoQtExaminerViewer& viewer) {
    viewer.setTransparencyType(!tiles.empty() ? SoGLRenderAction::SORTED_OBJECT_BLEND
                                              : SoGLRenderAction::DELAYED_BLEND);
}
