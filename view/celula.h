#pragma once

#include <cstdint>

#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSubNode.h>

class SoCoordinate3;
class SoFaceSet;
class SoTexture2;
class SoTranslation;

// The tile of one board square: a separator holding the square's picture,
// its place on the board and the unit square the picture is drawn on.
// Registered with Coin as "celula", a kind of SoSeparator.
class celula : public SoSeparator {
    SO_NODE_HEADER(celula);

public:
    // Registers the type; once, after SoDB::init and before the first tile.
    static void initClass();
    celula();

    // How many tiles have been constructed in this process.
    [[nodiscard]] static unsigned int tileCount();

    // Adds picture, translation, coordinates and face set, in that order.
    // The caller sets texture first, and the translation afterwards.
    void buildGeometry();

    // Swaps a child in place; the display update uses it on the picture.
    using SoSeparator::replaceChild;
    void replaceChild(SoNode* oldChild, SoNode* newChild) override;

    // Shared with other tiles and owned by the scene's picture table; always
    // the first child.
    SoTexture2* texture = nullptr;
    SoTranslation* translation = nullptr;
    SoCoordinate3* coordinates = nullptr;
    std::int32_t row = 0;
    std::int32_t column = 0;
    SoFaceSet* faceSet = nullptr;

protected:
    // Reference-counted: Coin destroys a tile when its last parent lets go.
    ~celula() override;
};
