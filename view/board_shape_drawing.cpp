// How the board node draws a frame: the tiles' pictures from one atlas where
// they can be told apart, and the rest of the board as a map of colours.
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

using namespace board_atlas;

namespace {

// A view that would draw more pictures than this shows the map instead:
// only a view slanting along a large board comes near it.
constexpr std::int64_t kMostPictures = 160'000;
// Texels are sent to OpenGL this many board lines at a time.
constexpr int kLinesSentAtOnce = 64;

// OpenGL 1.2's edge clamp, which a 1.1 header (Windows') does not name.
constexpr GLenum kClampToEdge = 0x812F;
constexpr GLenum kArrayBuffer = 0x8892;

[[nodiscard]] int powerOfTwoFrom(int side) {
    int power = 1;
    while (power < side) {
        power *= 2;
    }
    return power;
}

void setEdges(bool clampToEdge) {
    const auto edge = static_cast<GLint>(clampToEdge ? kClampToEdge : GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, edge);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, edge);
}

// Frees the node's texture names on their own context, once it is current.
void deleteTextures(void* names, uint32_t /*context*/) {
    auto* list = static_cast<std::vector<GLuint>*>(names);
    glDeleteTextures(static_cast<GLsizei>(list->size()), list->data());
    delete list;
}

}  // namespace

void BoardShape::letTexturesGo() {
    std::vector<GLuint> names = std::move(staleTextures_);
    staleTextures_.clear();
    if (atlas_ != 0) {
        names.push_back(std::exchange(atlas_, 0));
    }
    for (MapBlock& block : blocks_) {
        if (block.texture != 0) {
            names.push_back(std::exchange(block.texture, 0));
        }
    }
    if (context_ && !names.empty()) {
        SoGLCacheContextElement::scheduleDeleteCallback(*context_, deleteTextures, new std::vector<GLuint>(names));
    }
}
void BoardShape::fillSpan(const SquareSpan& span) {
    arraysSpan_ = span;
    const auto count = static_cast<std::size_t>(span.count());
    corners_.resize(count * 8);
    atlasCorners_.resize(count * 8);
    std::size_t at = 0;
    for (int x = span.firstX; x < span.endX; ++x) {
        const auto left = static_cast<float>(x);
        const float right = left + 1.0f;
        for (int y = span.firstY; y < span.endY; ++y, at += 8) {
            // Counter-clockwise seen from +z, as the tiles: x..x + 1, -y..1 - y.
            const auto bottom = static_cast<float>(-y);
            const float top = bottom + 1.0f;
            const std::array<float, 8> square{left, bottom, right, bottom, right, top, left, top};
            std::copy(square.begin(), square.end(), corners_.begin() + static_cast<std::ptrdiff_t>(at));
            spanChanged(x, y, pictures_[static_cast<std::size_t>(x) * static_cast<std::size_t>(down_) +
                                        static_cast<std::size_t>(y)]);
        }
    }
}

void BoardShape::prepareContext(std::uint32_t context, bool clampToEdge) {
    if (context_ != context) {
        // Names made on another context mean nothing on this one; there
        // they are freed, as the off-screen renderer's switches come again
        // and again.
        letTexturesGo();
        context_ = context;
    }
    if (!staleTextures_.empty()) {
        glDeleteTextures(static_cast<GLsizei>(staleTextures_.size()), staleTextures_.data());
        staleTextures_.clear();
    }
    clampToEdge_ = clampToEdge;
    if (atlas_ == 0) {
        makeAtlas();
    }
    for (MapBlock& block : blocks_) {
        if (block.texture != 0) {
            continue;
        }
        glGenTextures(1, &block.texture);
        glBindTexture(GL_TEXTURE_2D, block.texture);
        // Each square's own colour however near; from afar the colours of
        // the few squares a pixel covers, mixed.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, clampToEdge_ ? GL_LINEAR : GL_NEAREST);
        setEdges(clampToEdge_);
        // A standing block's texture rows are the board's lines down, as the
        // board keeps its squares, each one run of texels; a lying block's
        // are its lines across.
        const int rowTexels = powerOfTwoFrom(block.lying ? block.across : block.down);
        const int rows = powerOfTwoFrom(block.lying ? block.down : block.across);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rowTexels, rows, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        block.dirtyFrom = block.firstX;
        block.dirtyTo = block.firstX + block.across;
    }
}

void BoardShape::makeAtlas() {
    std::vector<std::uint8_t> texels = atlasTexels(pictureNodes_);
    glGenTextures(1, &atlas_);
    glBindTexture(GL_TEXTURE_2D, atlas_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    setEdges(clampToEdge_);
    int level = 0;
    for (int side = kAtlasSide;; side /= 2, ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        if (side == 1) {
            break;
        }
        texels = halved(texels, side);
    }
}

void BoardShape::sendMap(MapBlock& block) {
    if (block.dirtyTo <= block.dirtyFrom) {
        return;
    }
    const std::array<Texel, kTilePictureCount>& colours = mapColours();
    std::vector<std::uint8_t> texels;
    if (block.lying) {
        const int width = block.dirtyTo - block.dirtyFrom;
        texels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(block.down) * 4);
        std::uint8_t* to = texels.data();
        for (int y = block.firstY; y < block.firstY + block.down; ++y) {
            for (int x = block.dirtyFrom; x < block.dirtyTo; ++x, to += 4) {
                const Texel& colour = colours[pictures_[static_cast<std::size_t>(x) * static_cast<std::size_t>(down_) +
                                                        static_cast<std::size_t>(y)]];
                std::copy(colour.begin(), colour.end(), to);
            }
        }
        glTexSubImage2D(GL_TEXTURE_2D, 0, block.dirtyFrom - block.firstX, 0, width, block.down, GL_RGBA,
                        GL_UNSIGNED_BYTE, texels.data());
        block.dirtyFrom = block.dirtyTo = 0;
        return;
    }
    for (int x = block.dirtyFrom; x < block.dirtyTo; x += kLinesSentAtOnce) {
        const int lines = std::min(kLinesSentAtOnce, block.dirtyTo - x);
        texels.resize(static_cast<std::size_t>(lines) * static_cast<std::size_t>(block.down) * 4);
        std::uint8_t* to = texels.data();
        for (int line = 0; line < lines; ++line) {
            const std::uint8_t* picture =
                pictures_.data() + static_cast<std::ptrdiff_t>(x + line) * down_ + block.firstY;
            for (int y = 0; y < block.down; ++y, to += 4) {
                const Texel& colour = colours[picture[y]];
                std::copy(colour.begin(), colour.end(), to);
            }
        }
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, x - block.firstX, block.down, lines, GL_RGBA, GL_UNSIGNED_BYTE,
                        texels.data());
    }
    block.dirtyFrom = block.dirtyTo = 0;
}

void BoardShape::drawMapPart(const SquareSpan& part) {
    if (part.empty()) {
        return;
    }
    for (MapBlock& block : blocks_) {
        const int firstX = std::max(part.firstX, block.firstX);
        const int endX = std::min(part.endX, block.firstX + block.across);
        const int firstY = std::max(part.firstY, block.firstY);
        const int endY = std::min(part.endY, block.firstY + block.down);
        if (firstX >= endX || firstY >= endY) {
            continue;
        }
        glBindTexture(GL_TEXTURE_2D, block.texture);
        sendMap(block);
        const auto texel = [&block](int x, int y) {
            const float alongX = static_cast<float>(x - block.firstX) / static_cast<float>(powerOfTwoFrom(block.across));
            const float alongY = static_cast<float>(y - block.firstY) / static_cast<float>(powerOfTwoFrom(block.down));
            if (block.lying) {
                glTexCoord2f(alongX, alongY);
            } else {
                glTexCoord2f(alongY, alongX);
            }
        };
        const auto left = static_cast<float>(firstX);
        const auto right = static_cast<float>(endX);
        const auto top = static_cast<float>(1 - firstY);
        const auto bottom = static_cast<float>(1 - endY);
        glBegin(GL_QUADS);
        texel(firstX, endY);
        glVertex2f(left, bottom);
        texel(endX, endY);
        glVertex2f(right, bottom);
        texel(endX, firstY);
        glVertex2f(right, top);
        texel(firstX, firstY);
        glVertex2f(left, top);
        glEnd();
    }
}

void BoardShape::drawMap(const SquareSpan& around) {
    // The map is opaque: each texel the colour of a kind.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    if (around.empty()) {
        drawMapPart({0, across_, 0, down_});
        return;
    }
    // The board but the pictures' rectangle: the strips left and right of
    // it, and above and below it.
    drawMapPart({0, around.firstX, 0, down_});
    drawMapPart({around.endX, across_, 0, down_});
    drawMapPart({around.firstX, around.endX, 0, around.firstY});
    drawMapPart({around.firstX, around.endX, around.endY, down_});
}

void BoardShape::drawPictures(const SquareSpan& span) {
    if (span.empty()) {
        return;
    }
    if (!(span == arraysSpan_)) {
        fillSpan(span);
    }
    // As the tiles are drawn: lit, and blended over the plane behind.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, atlas_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, corners_.data());
    glTexCoordPointer(2, GL_FLOAT, 0, atlasCorners_.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(span.count() * 4));
}

void BoardShape::GLRender(SoGLRenderAction* action) {
    if (pictures_.empty()) {
        return;
    }
    // The pictures' transparent parts show the plane behind the board,
    // which must be drawn first.
    if (action->handleTransparency(TRUE)) {
        return;
    }
    SoState* state = action->getState();
    // What is drawn follows the camera, which no cache would.
    SoCacheElement::invalidate(state);
    SbViewVolume volume = SoViewVolumeElement::get(state);
    volume.transform(SoModelMatrixElement::get(state).inverse());
    const int pixelsHigh = SoViewportRegionElement::get(state).getViewportSizePixels()[1];
    SquareSpan span = squaresShowingPictures(volume, pixelsHigh, across_, down_);
    if (span.count() > kMostPictures) {
        span = {};
    }

    SoMaterialBundle material(action);
    material.sendFirst();
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT | GL_CLIENT_PIXEL_STORE_BIT);
    const auto context = static_cast<std::uint32_t>(SoGLCacheContextElement::get(state));
    // Client-side arrays, not a buffer Coin may have left bound.
    const cc_glglue* glue = cc_glglue_instance(static_cast<int>(context));
    if (cc_glglue_has_vertex_buffer_object(glue)) {
        cc_glglue_glBindBuffer(glue, kArrayBuffer, 0);
    }
    int major = 1;
    int minor = 0;
    SoGLCacheContextElement::getOpenGLVersion(state, major, minor);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    prepareContext(context, major > 1 || minor >= 2);
    glEnable(GL_TEXTURE_2D);
    glNormal3f(0.0f, 0.0f, 1.0f);
    drawMap(span);
    drawPictures(span);
    glPopClientAttrib();
    glPopAttrib();
    drawnSpan_ = span;
}
