// The board node itself: its registration, the board it shows and which
// squares changed, and what a ray picks on it.
#include "view/board_shape.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include <Inventor/C/glue/gl.h>
#include <Inventor/SbBox3f.h>
#include <Inventor/SbLine.h>
#include <Inventor/SbMatrix.h>
#include <Inventor/SbVec2f.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/SoPrimitiveVertex.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/bundles/SoMaterialBundle.h>
#include <Inventor/details/SoFaceDetail.h>
#include <Inventor/elements/SoCacheElement.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/elements/SoModelMatrixElement.h>
#include <Inventor/elements/SoViewVolumeElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/system/gl.h>

#include "model/board.h"
#include "view/board_atlas.h"
#include "view/scene.h"

SO_NODE_SOURCE(BoardShape)

using namespace board_atlas;

namespace {

// A map block fewer squares down than this lies across (see MapBlock).
constexpr int kShortestStandingBlock = 64;

}  // namespace

void BoardShape::initClass() { SO_NODE_INIT_CLASS(BoardShape, SoShape, "SoShape"); }

BoardShape::BoardShape() { SO_NODE_CONSTRUCTOR(BoardShape); }

BoardShape::~BoardShape() { letTexturesGo(); }

void BoardShape::setPictures(const std::array<SoTexture2*, kTilePictureCount>& pictures) { pictureNodes_ = pictures; }

void BoardShape::showBoard(const Board& squares) {
    across_ = squares.width();
    down_ = squares.height();
    pictures_.assign(squares.size(), 0);
    for (std::size_t square = 0; square < squares.size(); ++square) {
        pictures_[square] = static_cast<std::uint8_t>(tilePictureOf(squares[square]).value_or(0));
    }
    for (const MapBlock& block : blocks_) {
        if (block.texture != 0) {
            staleTextures_.push_back(block.texture);
        }
    }
    makeMapBlocks();
    arraysSpan_ = {};
    drawnSpan_ = {};
    lastPicked_.reset();
    touch();
}

int BoardShape::updateBoard(const Board& squares) {
    if (squares.width() != across_ || squares.height() != down_) {
        return 0;
    }
    int changed = 0;
    std::size_t square = 0;
    for (int x = 0; x < across_; ++x) {
        for (int y = 0; y < down_; ++y, ++square) {
            // A kind outside 0..3 has no picture; its square keeps the old one.
            const std::optional<int> picture = tilePictureOf(squares[square]);
            if (!picture || pictures_[square] == *picture) {
                continue;
            }
            pictures_[square] = static_cast<std::uint8_t>(*picture);
            markChanged(x, y);
            if (arraysSpan_.holds(x, y)) {
                spanChanged(x, y, *picture);
            }
            ++changed;
        }
    }
    if (changed > 0) {
        touch();
    }
    return changed;
}

void BoardShape::makeMapBlocks() {
    blocks_.clear();
    for (int x = 0; x < across_; x += kMapBlock) {
        for (int y = 0; y < down_; y += kMapBlock) {
            MapBlock block;
            block.firstX = x;
            block.firstY = y;
            block.across = std::min(kMapBlock, across_ - x);
            block.down = std::min(kMapBlock, down_ - y);
            block.dirtyFrom = x;
            block.dirtyTo = x + block.across;
            block.lying = block.down < kShortestStandingBlock && block.across > block.down;
            blocks_.push_back(block);
        }
    }
}

void BoardShape::markChanged(int x, int y) {
    const int blocksDown = (down_ + kMapBlock - 1) / kMapBlock;
    MapBlock& block = blocks_[static_cast<std::size_t>(x / kMapBlock * blocksDown + y / kMapBlock)];
    if (block.dirtyTo <= block.dirtyFrom) {
        block.dirtyFrom = x;
        block.dirtyTo = x + 1;
    } else {
        block.dirtyFrom = std::min(block.dirtyFrom, x);
        block.dirtyTo = std::max(block.dirtyTo, x + 1);
    }
}

void BoardShape::spanChanged(int x, int y, int picture) {
    const auto at = static_cast<std::size_t>(
        (std::int64_t{x - arraysSpan_.firstX} * (arraysSpan_.endY - arraysSpan_.firstY) + (y - arraysSpan_.firstY)) * 8);
    const AtlasCell cell = cellOf(picture);
    const std::array<float, 8> corners{cell.left, cell.bottom, cell.right, cell.bottom,
                                       cell.right, cell.top,    cell.left,  cell.top};
    std::copy(corners.begin(), corners.end(), atlasCorners_.begin() + static_cast<std::ptrdiff_t>(at));
}

void BoardShape::rayPick(SoRayPickAction* action) {
    lastPicked_.reset();
    if (pictures_.empty() || !shouldRayPick(action)) {
        return;
    }
    action->setObjectSpace();
    const SbLine ray = throughPixelCentre(action);
    const std::optional<int> square = squareUnderRay(ray, across_, down_);
    if (!square) {
        return;
    }
    const float reach = -ray.getPosition()[2] / ray.getDirection()[2];
    const SbVec3f point = ray.getPosition() + ray.getDirection() * reach;
    if (!action->isBetweenPlanes(point)) {
        return;
    }
    lastPicked_ = square;
    if (SoPickedPoint* picked = action->addIntersection(point)) {
        picked->setObjectNormal(SbVec3f(0.0f, 0.0f, 1.0f));
        auto* detail = new SoFaceDetail;
        detail->setFaceIndex(*square);
        picked->setDetail(detail, this);
    }
}

SbLine BoardShape::throughPixelCentre(SoRayPickAction* action) {
    // Coin casts a click's ray through the pixel's corner, while the board is
    // drawn as sampled at pixel centres: where a square is a pixel or two
    // wide, the corner lies on the next square as often as not.
    SoState* state = action->getState();
    const SbLine& ray = action->getLine();
    const SbMatrix& model = SoModelMatrixElement::get(state);
    const SbVec2s pixels = SoViewportRegionElement::get(state).getViewportSizePixels();
    // The camera's view, not the narrow one the pick casts its ray in.
    const SbViewVolume& volume = SoViewVolumeElement::get(state);
    if (pixels[0] <= 0 || pixels[1] <= 0) {
        return ray;
    }
    SbVec3f onRay;
    model.multVecMatrix(ray.getPosition() + ray.getDirection(), onRay);
    SbVec3f screen;
    volume.projectToScreen(onRay, screen);
    SbLine centred;
    volume.projectPointToLine(SbVec2f(screen[0] + 0.5f / static_cast<float>(pixels[0]),
                                      screen[1] + 0.5f / static_cast<float>(pixels[1])),
                              centred);
    const SbMatrix toObject = model.inverse();
    SbVec3f from;
    SbVec3f to;
    toObject.multVecMatrix(centred.getPosition(), from);
    toObject.multVecMatrix(centred.getPosition() + centred.getDirection(), to);
    return {from, to};
}

void BoardShape::generatePrimitives(SoAction* action) {
    // The board's rectangle; its squares are told apart only by drawing and
    // picking.
    SoPrimitiveVertex vertex;
    vertex.setNormal(SbVec3f(0.0f, 0.0f, 1.0f));
    const auto right = static_cast<float>(across_);
    const float bottom = 1.0f - static_cast<float>(down_);
    beginShape(action, QUADS);
    for (const SbVec3f& corner : {SbVec3f(0.0f, bottom, 0.0f), SbVec3f(right, bottom, 0.0f),
                                  SbVec3f(right, 1.0f, 0.0f), SbVec3f(0.0f, 1.0f, 0.0f)}) {
        vertex.setPoint(corner);
        shapeVertex(&vertex);
    }
    endShape();
}

void BoardShape::computeBBox(SoAction* /*action*/, SbBox3f& box, SbVec3f& center) {
    box.setBounds(SbVec3f(0.0f, 1.0f - static_cast<float>(down_), 0.0f), SbVec3f(static_cast<float>(across_), 1.0f, 0.0f));
    center = box.getCenter();
}
