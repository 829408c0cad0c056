#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <Inventor/SbLine.h>
#include <Inventor/nodes/SoShape.h>
#include <Inventor/nodes/SoSubNode.h>

#include "view/board_sight.h"
#include "view/scene.h"

class SoTexture2;

// A whole board drawn by one node, for boards other than the standard one,
// whose tiles would each cost the scene a node: every square is a quad on
// the plane z = 0 where its tile would lie, textured from one atlas of the
// tile pictures. Each frame draws the pictures of the squares in view that
// are wide enough to tell a creature, and the rest of the board as a map,
// a texel a square in the colour of its kind. Between frames only the
// squares whose picture changed are touched. A ray picks the square it
// meets by arithmetic. Registered with Coin as "BoardShape", a kind of
// SoShape.
class BoardShape : public SoShape {
    SO_NODE_HEADER(BoardShape);

public:
    // Registers the type; once, after SoDB::init.
    static void initClass();
    BoardShape();

    // The pictures, by texture index, that the atlas is made of on the
    // first frame; each as its node holds it, a missing one left empty.
    void setPictures(const std::array<SoTexture2*, kTilePictureCount>& pictures);
    // Takes the board's size and shows every square of it anew.
    void showBoard(const Board& squares);
    // Shows the squares whose picture changed since the board was last
    // shown; the others are not touched. Returns how many changed.
    int updateBoard(const Board& squares);
    // The picture each square shows, by texture index, indexed like the
    // board; nothing for a square never shown.
    [[nodiscard]] int pictureOf(int square) const { return pictures_[static_cast<std::size_t>(square)]; }
    [[nodiscard]] int across() const { return across_; }
    [[nodiscard]] int down() const { return down_; }
    // The square the latest ray that was cast at the node met, if it met one.
    [[nodiscard]] std::optional<int> lastPicked() const { return lastPicked_; }
    // What the latest frame drew as pictures; the rest of the board it
    // drew as the map.
    [[nodiscard]] const SquareSpan& picturesDrawn() const { return drawnSpan_; }

    void GLRender(SoGLRenderAction* action) override;
    void rayPick(SoRayPickAction* action) override;

protected:
    // Reference-counted: Coin destroys the node when its last parent lets go.
    ~BoardShape() override;
    void generatePrimitives(SoAction* action) override;
    void computeBBox(SoAction* action, SbBox3f& box, SbVec3f& center) override;

private:
    // The map's texels are held in blocks of at most this many squares a
    // side, each a texture of its own that the plainest OpenGL takes.
    static constexpr int kMapBlock = 1024;
    struct MapBlock {
        int firstX = 0;
        int firstY = 0;
        int across = 0;
        int down = 0;
        unsigned int texture = 0;
        // The squares across (x) whose texels changed since they were sent.
        int dirtyFrom = 0;
        int dirtyTo = 0;
        // Texture rows run across the board rather than down it: on a
        // board a few squares high, rows that short would each be padded
        // by the renderer to many times their texels.
        bool lying = false;
    };

    // The click's ray, through the pixel's centre, in the node's own space.
    static SbLine throughPixelCentre(SoRayPickAction* action);
    void makeMapBlocks();
    void markChanged(int x, int y);
    void spanChanged(int x, int y, int picture);
    // On the GL context of the frame being drawn, which clamps textures to
    // their edges from OpenGL 1.2 on.
    void prepareContext(std::uint32_t context, bool clampToEdge);
    // Frees every texture name on the context that made them.
    void letTexturesGo();
    void makeAtlas();
    void sendMap(MapBlock& block);
    void fillSpan(const SquareSpan& span);
    void drawPictures(const SquareSpan& span);
    void drawMap(const SquareSpan& around);
    void drawMapPart(const SquareSpan& part);

    int across_ = 0;
    int down_ = 0;
    // The picture each square shows, as the tiles' shownTexture does.
    std::vector<std::uint8_t> pictures_;
    std::array<SoTexture2*, kTilePictureCount> pictureNodes_{};
    std::vector<MapBlock> blocks_;
    std::optional<int> lastPicked_;

    // The GL names belong to one context; a new one gets new names.
    std::optional<std::uint32_t> context_;
    unsigned int atlas_ = 0;
    bool clampToEdge_ = false;
    // The map's textures of a size gone, deleted on the next frame.
    std::vector<unsigned int> staleTextures_;
    // The squares whose pictures the latest frame drew, their corners and
    // the atlas's corners for each, four to a square; a change of picture
    // within the span rewrites its square's four.
    SquareSpan drawnSpan_;
    SquareSpan arraysSpan_;
    std::vector<float> corners_;
    std::vector<float> atlasCorners_;
};
