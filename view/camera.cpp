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
