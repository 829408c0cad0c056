#include "view/celula.h"

#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoFaceSet.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/nodes/SoTranslation.h>

SO_NODE_SOURCE(celula)

void celula::initClass() { SO_NODE_INIT_CLASS(celula, SoSeparator, "SoSeparator"); }

celula::celula() { SO_NODE_CONSTRUCTOR(celula); }

celula::~celula() = default;

unsigned int celula::tileCount() {
    // The constructor counts under this lock; reading under it too keeps a
    // tile built on another thread from being half-counted.
    SoBase::staticDataLock();
    const unsigned int count = classinstances;
    SoBase::staticDataUnlock();
    return count;
}

void celula::buildGeometry() {
    addChild(texture);

    translation = new SoTranslation;

    // The unit square, counter-clockwise seen from +z.
    coordinates = new SoCoordinate3;
    coordinates->point.set1Value(0, SbVec3f(0.0f, 0.0f, 0.0f));
    coordinates->point.set1Value(1, SbVec3f(1.0f, 0.0f, 0.0f));
    coordinates->point.set1Value(2, SbVec3f(1.0f, 1.0f, 0.0f));
    coordinates->point.set1Value(3, SbVec3f(0.0f, 1.0f, 0.0f));

    faceSet = new SoFaceSet;

    addChild(translation);
    addChild(coordinates);
    addChild(faceSet);

    faceSet->numVertices.setValue(4);
}

void celula::replaceChild(SoNode* oldChild, SoNode* newChild) { SoGroup::replaceChild(oldChild, newChild); }
