#include "view/scene.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include <Inventor/SbViewVolume.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoPath.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoCacheElement.h>
#include <Inventor/elements/SoLineWidthElement.h>
#include <Inventor/elements/SoModelMatrixElement.h>
#include <Inventor/elements/SoViewVolumeElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoFaceSet.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoLineSet.h>
#include <Inventor/nodes/SoPickStyle.h>
#include <Inventor/nodes/SoSelection.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSwitch.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/nodes/SoTranslation.h>

#include "view/board_shape.h"
#include "view/celula.h"
#include "view/picture_folders.h"

SoSelection* selectionRoot = nullptr;
SoSeparator* tileRoot = nullptr;
std::vector<celula*> tiles;
std::vector<std::int32_t> shownTexture;
BoardShape* boardShape = nullptr;
int tilesAcross = 0;
int tilesDown = 0;
std::array<SoTexture2*, kTilePictureCount> textures{};
SoSeparator* backgroundPlane = nullptr;
SoBaseColor* backgroundColor = nullptr;
float backgroundRed = 0.0f;
float backgroundGreen = 0.0f;
float backgroundBlue = 0.0f;

namespace {

constexpr float kBackgroundDepth = -0.1f;
// The outline of a marked square floats just above the tiles: a yellow
// line on a wider dark one, so that one of them stands out on whatever
// colour the buttons give the plane, from black to white through pink.
constexpr float kMarkHeight = 0.02f;
constexpr float kMarkLineWidth = 3.0f;
constexpr float kMarkEdgeWidth = 7.0f;
// Squares drawn at least this wide take the widths above; smaller ones
// thinner lines, down to the least widths that still stand out.
constexpr float kFullMarkSquare = 24.0f;
constexpr float kLeastMarkEdgeWidth = 4.0f;
constexpr float kLeastMarkLineWidth = 2.0f;
// The dark line reaches at most this share of the square's side into it.
constexpr float kMarkReach = 0.1f;
// The yellow line lies on the dark one rather than in it.
constexpr float kMarkLift = 0.005f;

SoSwitch* marker = nullptr;
SoTranslation* markerPlace = nullptr;
SoCoordinate3* planeCorners = nullptr;
// The look of the frame being drawn, for both of its lines.
MarkLook markDrawn = markLookFor(kFullMarkSquare);

// How wide the marked square is drawn, in the viewport's pixels: the side
// of a square of the same area as its picture, which a slanting view
// narrows. Zero where a corner lies behind the camera.
float drawnSide(SoState* state) {
    const SbViewVolume& volume = SoViewVolumeElement::get(state);
    const SbVec2s pixels = SoViewportRegionElement::get(state).getViewportSizePixels();
    const SbMatrix& model = SoModelMatrixElement::get(state);
    const SbVec3f ahead = volume.getProjectionDirection();
    std::array<SbVec2f, 4> corners;
    const std::array<SbVec3f, 4> square{SbVec3f(0, 0, kMarkHeight), SbVec3f(1, 0, kMarkHeight),
                                        SbVec3f(1, 1, kMarkHeight), SbVec3f(0, 1, kMarkHeight)};
    for (std::size_t i = 0; i < square.size(); ++i) {
        SbVec3f world;
        model.multVecMatrix(square[i], world);
        if (volume.getProjectionType() == SbViewVolume::PERSPECTIVE &&
            (world - volume.getProjectionPoint()).dot(ahead) <= 0.0f) {
            return 0.0f;
        }
        SbVec3f screen;
        volume.projectToScreen(world, screen);
        corners[i] = SbVec2f(screen[0] * pixels[0], screen[1] * pixels[1]);
    }
    float twiceArea = 0.0f;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const SbVec2f& a = corners[i];
        const SbVec2f& b = corners[(i + 1) % corners.size()];
        twiceArea += a[0] * b[1] - b[0] * a[1];
    }
    return std::sqrt(0.5f * std::fabs(twiceArea));
}

// Before the dark line: sizes both lines for the square as drawn in this
// frame, and widens the outline around the square's middle.
void sizeMark(void* /*data*/, SoAction* action) {
    if (!action->isOfType(SoGLRenderAction::getClassTypeId())) {
        return;
    }
    SoState* state = action->getState();
    // The look follows the camera, which no cache would.
    SoCacheElement::invalidate(state);
    SoNode* node = action->getCurPathTail();
    const float side = drawnSide(state);
    markDrawn = markLookFor(side);
    if (side > 0.0f && markDrawn.outward > 0.0f) {
        const float grow = 1.0f + 2.0f * markDrawn.outward / side;
        SoModelMatrixElement::translateBy(state, node, SbVec3f(0.5f, 0.5f, 0.0f));
        SoModelMatrixElement::scaleBy(state, node, SbVec3f(grow, grow, 1.0f));
        SoModelMatrixElement::translateBy(state, node, SbVec3f(-0.5f, -0.5f, 0.0f));
    }
    SoLineWidthElement::set(state, node, markDrawn.edgeWidth);
}

// Before the yellow line.
void narrowMark(void* /*data*/, SoAction* action) {
    if (action->isOfType(SoGLRenderAction::getClassTypeId())) {
        SoLineWidthElement::set(action->getState(), action->getCurPathTail(), markDrawn.lineWidth);
    }
}

// A square outline, unlit so that it reads the same from any angle: the
// same line drawn twice, wide and dark, then narrow and yellow on top.
SoSwitch* buildMarker() {
    marker = new SoSwitch;
    auto* parts = new SoSeparator;
    auto* unpickable = new SoPickStyle;
    unpickable->style.setValue(SoPickStyle::UNPICKABLE);
    auto* unlit = new SoLightModel;
    unlit->model.setValue(SoLightModel::BASE_COLOR);
    markerPlace = new SoTranslation;
    auto* corners = new SoCoordinate3;
    const std::array<SbVec3f, 5> outline{SbVec3f(0, 0, kMarkHeight), SbVec3f(1, 0, kMarkHeight),
                                         SbVec3f(1, 1, kMarkHeight), SbVec3f(0, 1, kMarkHeight),
                                         SbVec3f(0, 0, kMarkHeight)};
    corners->point.setValues(0, static_cast<int>(outline.size()), outline.data());
    auto* line = new SoLineSet;
    line->numVertices.setValue(static_cast<int>(outline.size()));

    auto* edgeColour = new SoBaseColor;
    edgeColour->rgb.setValue(0.1f, 0.08f, 0.0f);
    auto* edgeStyle = new SoCallback;
    edgeStyle->setCallback(sizeMark);
    auto* lift = new SoTranslation;
    lift->translation.setValue(0.0f, 0.0f, kMarkLift);
    auto* colour = new SoBaseColor;
    colour->rgb.setValue(1.0f, 0.9f, 0.1f);
    auto* style = new SoCallback;
    style->setCallback(narrowMark);
    for (SoNode* node : std::initializer_list<SoNode*>{unpickable, unlit, markerPlace, corners, edgeColour, edgeStyle,
                                                       line, lift, colour, style, line}) {
        parts->addChild(node);
    }
    marker->addChild(parts);
    marker->whichChild.setValue(SO_SWITCH_NONE);
    return marker;
}


void buildTiles();
void buildTilesOneBySquare();
void placePlane();
SoSeparator* buildPlane();

}  // namespace

bool drawnAsTiles(int across, int down) { return across == Rules{}.width && down == Rules{}.height; }

namespace {

// The plane behind the tiles, covering the same rectangle; it shows
// through the transparent parts of the pictures. Its corners follow the
// board's size.
SoSeparator* buildPlane() {
    backgroundPlane = new SoSeparator;
    auto* planeOffset = new SoTranslation;
    planeCorners = new SoCoordinate3;
    auto* planeFace = new SoFaceSet;
    backgroundColor = new SoBaseColor;
    setBackgroundColor();
    backgroundPlane->addChild(backgroundColor);
    backgroundPlane->addChild(planeOffset);
    backgroundPlane->addChild(planeCorners);
    backgroundPlane->addChild(planeFace);
    planeOffset->translation.setValue(0.0f, 0.0f, kBackgroundDepth);
    planeFace->numVertices.setValue(4);
    return backgroundPlane;
}

// What draws the board, and the plane under it: the standard board's tiles,
// or for any other size the one node, which the standard board lets go.
void buildTiles() {
    tileRoot->removeAllChildren();
    tilesAcross = board.width();
    tilesDown = board.height();
    if (!drawnAsTiles(tilesAcross, tilesDown)) {
        tiles.clear();
        tiles.shrink_to_fit();
        shownTexture.clear();
        shownTexture.shrink_to_fit();
        if (boardShape == nullptr) {
            boardShape = new BoardShape;
            boardShape->ref();
            boardShape->setPictures(textures);
        }
        boardShape->showBoard(board);
        tileRoot->addChild(boardShape);
    } else {
        // The node goes whole, with its arrays; its textures go on the
        // context that made them, the next time it draws.
        if (boardShape != nullptr) {
            boardShape->unref();
            boardShape = nullptr;
        }
        buildTilesOneBySquare();
    }
    placePlane();
}

// The tiles, in board order. The board never holds a kind outside 0..3;
// should it, the tile starts empty rather than without a picture.
void buildTilesOneBySquare() {
    tiles.assign(board.size(), nullptr);
    shownTexture.assign(board.size(), kEmptyPicture);
    for (int row = 0; row < tilesAcross; ++row) {
        for (int column = 0; column < tilesDown; ++column) {
            const std::size_t square = board.indexOf(row, column);
            celula* tile = new celula;
            tiles[square] = tile;

            const int picture = tilePictureOf(board[square]).value_or(kEmptyPicture);
            tile->texture = textures[static_cast<std::size_t>(picture)];
            shownTexture[square] = picture;

            tile->row = row;
            tile->column = column;
            tile->buildGeometry();
            // Rows run along +x and columns along -y.
            tile->translation->translation.setValue(static_cast<float>(row), -static_cast<float>(column), 0.0f);
            tileRoot->addChild(tile);
        }
    }
}

// The plane's corners follow the board's size.
void placePlane() {
    const auto across = static_cast<float>(tilesAcross);
    const auto down = static_cast<float>(tilesDown);
    // Counter-clockwise seen from +z, like the tiles: wound the other way,
    // the plane would turn its back on the headlight and show only Coin's
    // dim ambient grey, whatever its colour.
    planeCorners->point.set1Value(0, SbVec3f(0.0f, 1.0f, 0.0f));
    planeCorners->point.set1Value(1, SbVec3f(0.0f, 1.0f - down, 0.0f));
    planeCorners->point.set1Value(2, SbVec3f(across, 1.0f - down, 0.0f));
    planeCorners->point.set1Value(3, SbVec3f(across, 1.0f, 0.0f));
}

}  // namespace

void buildTextures() {
    for (SoTexture2*& texture : textures) {
        texture = new SoTexture2;
        texture->ref();
    }

    lookForPicturesInTheirFolders();
    for (std::size_t index = 0; index < textures.size(); ++index) {
        setPictureFile(*textures[index], kTilePictureFiles[index]);
    }
}

const char* pictureFile(int textureIndex) { return kTilePictureFiles.at(static_cast<std::size_t>(textureIndex)); }

SoSelection* buildScene() {
    tileRoot = new SoSeparator;
    tileRoot->ref();

    selectionRoot = new SoSelection;
    selectionRoot->policy.setValue(SoSelection::SHIFT);
    selectionRoot->ref();

    buildTextures();
    celula::initClass();
    BoardShape::initClass();

    buildPlane();
    buildTiles();
    selectionRoot->addChild(tileRoot);
    selectionRoot->addChild(backgroundPlane);
    selectionRoot->addChild(buildMarker());
    return selectionRoot;
}

void resizeScene() {
    if (tileRoot == nullptr) {
        return;
    }
    buildTiles();
    markSquare(std::nullopt);
}

void markSquare(std::optional<int> square) {
    if (marker == nullptr) {
        return;
    }
    if (!square || *square < 0 || *square >= tilesAcross * tilesDown) {
        marker->whichChild.setValue(SO_SWITCH_NONE);
        return;
    }
    // Where the square's tile lies: rows along +x, columns along -y.
    markerPlace->translation.setValue(static_cast<float>(*square / tilesDown),
                                      -static_cast<float>(*square % tilesDown), 0.0f);
    marker->whichChild.setValue(0);
}

MarkLook markLookFor(float squarePixels) {
    const float share = squarePixels > 0.0f ? std::min(1.0f, squarePixels / kFullMarkSquare) : 1.0f;
    MarkLook look{std::max(kLeastMarkEdgeWidth, kMarkEdgeWidth * share),
                  std::max(kLeastMarkLineWidth, kMarkLineWidth * share), 0.0f};
    if (squarePixels > 0.0f) {
        look.outward = std::max(0.0f, 0.5f * look.edgeWidth - kMarkReach * squarePixels);
    }
    return look;
}

bool endsAtBoardShape(const SoPath* path) {
    return path != nullptr && path->getLength() > 0 && path->getTail()->isOfType(BoardShape::getClassTypeId());
}

std::optional<int> squareOnPath(const SoPath* path) {
    if (endsAtBoardShape(path)) {
        return static_cast<const BoardShape*>(path->getTail())->lastPicked();
    }
    for (int i = path != nullptr ? path->getLength() - 1 : -1; i >= 0; --i) {
        const SoNode* node = path->getNode(i);
        if (node->isOfType(celula::getClassTypeId())) {
            const auto* tile = static_cast<const celula*>(node);
            return tile->row * tilesDown + tile->column;
        }
    }
    return std::nullopt;
}

// The components are not bounded, but Coin packs a colour into bytes for
// OpenGL without clamping, so -0.3 would be drawn as a bright 0.7; hold each
// one within 0..1, as OpenGL does with the colours it is given.
void setBackgroundColor() {
    const auto drawable = [](float component) { return std::clamp(component, 0.0f, 1.0f); };
    backgroundColor->rgb.setValue(drawable(backgroundRed), drawable(backgroundGreen), drawable(backgroundBlue));
}
