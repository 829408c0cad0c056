#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "looks/tile_pictures.h"
#include "model/board.h"

class BoardShape;
class SoBaseColor;
class SoPath;
class SoSelection;
class SoSeparator;
class SoTexture2;
class celula;

// The scene, built once by buildScene and kept until the process ends; its
// tiles are built anew when the board changes size. The standard board is
// drawn as a tile per square; any other size as one node, boardShape, whose
// cost does not grow with the squares in the scene graph.
extern SoSelection* selectionRoot;  // handed to the viewer
extern SoSeparator* tileRoot;       // one tile per square, in board order; or the board's one node
extern std::vector<celula*> tiles;  // indexed like board; empty for a board drawn as one node
// The texture index each tile shows now; only the tile builders and
// doUpdates write it, so the tiles' children never need to be inspected.
// The board drawn as one node keeps its own.
extern std::vector<std::int32_t> shownTexture;
// The board drawn as one node, on boards other than the standard one;
// nullptr while the tiles draw the board.
extern BoardShape* boardShape;
// The board size the tiles were built for.
extern int tilesAcross;
extern int tilesDown;
// The tile pictures (looks/tile_pictures.h), shared by all tiles; each holds a reference of its own so that a picture
// no tile shows at the moment stays alive.
extern std::array<SoTexture2*, kTilePictureCount> textures;
extern SoSeparator* backgroundPlane;
extern SoBaseColor* backgroundColor;

// The colour of the plane behind the tiles; black at start. Nothing bounds
// the components to 0..1.
extern float backgroundRed;
extern float backgroundGreen;
extern float backgroundBlue;

// Whether a board of this size is drawn a tile per square: the standard
// board's size alone.
[[nodiscard]] bool drawnAsTiles(int across, int down);

// Creates the 53 picture nodes, read by bare file name from the picture
// folders (view/picture_folders.h). A missing file leaves its node without
// a picture.
void buildTextures();
// The bare file name of a tile picture.
[[nodiscard]] const char* pictureFile(int textureIndex);

// Builds the whole scene from the current board and returns its root.
// Call once, after SoDB::init (or the window binding's init).
SoSelection* buildScene();
// Builds the tiles and the plane behind them anew for the board's current
// size, showing what it holds, and lets go of the marked square. On the
// thread that draws the scene, while nothing changes the board.
void resizeScene();

// Outlines one square on the board, or none; the outline is drawn above the
// tiles and never picked.
void markSquare(std::optional<int> square);
// How the outline is drawn around a square this many pixels wide on
// screen: a yellow line on a wider dark one, their widths in pixels, and
// how far outside the square's edge both are centred. A small square's
// outline lies mostly around it, so that it never hides the creature.
struct MarkLook {
    float edgeWidth;
    float lineWidth;
    float outward;
};
[[nodiscard]] MarkLook markLookFor(float squarePixels);
// The square of the tile on a picked path, if the path goes through one;
// for the board drawn as one node, the square its latest pick met.
[[nodiscard]] std::optional<int> squareOnPath(const SoPath* path);
// Whether the path ends at the board drawn as one node, which is one path
// whatever square is picked.
[[nodiscard]] bool endsAtBoardShape(const SoPath* path);

// Shows backgroundRed, backgroundGreen and backgroundBlue on the plane, each
// held within 0..1 there.
void setBackgroundColor();
