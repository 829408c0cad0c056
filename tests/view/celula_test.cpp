// The tile node on its own, before any scene exists.
#include <type_traits>

#include <gtest/gtest.h>

#include <Inventor/SoDB.h>
#include <Inventor/SoType.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoFaceSet.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/nodes/SoTranslation.h>

#include "view/celula.h"

static_assert(!std::is_destructible_v<celula>, "tiles are reference-counted: only Coin may destroy one");

namespace {

SoType typeBeforeRegistration;

// Coin and the tile type, set up once per process as the scene does.
class TileTypeRegistered : public ::testing::Environment {
public:
    void SetUp() override {
        SoDB::init();
        typeBeforeRegistration = celula::getClassTypeId();
        celula::initClass();
    }
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new TileTypeRegistered);

// A tile kept alive by the test, the way a parent would keep it.
celula* heldTile() {
    auto* tile = new celula;
    tile->ref();
    return tile;
}

const SoFieldData* fieldDataOf(const SoFieldContainer* node) { return node->getFieldData(); }

TEST(TileType, isUnknownToCoinUntilRegistered) { EXPECT_EQ(typeBeforeRegistration, SoType::badType()); }

TEST(TileType, isFoundByTheNameCelulaAsAKindOfSeparator) {
    const SoType type = SoType::fromName("celula");
    EXPECT_NE(type, SoType::badType());
    EXPECT_EQ(type, celula::getClassTypeId());
    EXPECT_EQ(type.getParent(), SoSeparator::getClassTypeId());
    EXPECT_TRUE(type.isDerivedFrom(SoGroup::getClassTypeId()));
}

TEST(TileType, letsCoinCreateTilesByName) {
    const SoType type = SoType::fromName("celula");
    ASSERT_TRUE(type.canCreateInstance());
    auto* node = static_cast<SoNode*>(type.createInstance());
    ASSERT_NE(node, nullptr);
    node->ref();
    EXPECT_EQ(node->getTypeId(), celula::getClassTypeId());
    EXPECT_TRUE(node->isOfType(SoSeparator::getClassTypeId()));
    node->unref();
}

TEST(TileCount, risesByOneWithEveryTileConstructed) {
    const unsigned int before = celula::tileCount();
    celula* first = heldTile();
    EXPECT_EQ(celula::tileCount(), before + 1);
    celula* second = heldTile();
    EXPECT_EQ(celula::tileCount(), before + 2);
    // It counts tiles constructed, not tiles alive.
    first->unref();
    second->unref();
    EXPECT_EQ(celula::tileCount(), before + 2);
}

TEST(TileFieldData, isOneCopyOfTheSeparatorsSharedByEveryTile) {
    celula* first = heldTile();
    celula* second = heldTile();
    auto* separator = new SoSeparator;
    separator->ref();

    const SoFieldData* shared = fieldDataOf(first);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(fieldDataOf(second), shared);
    EXPECT_NE(shared, fieldDataOf(separator));
    EXPECT_EQ(shared->getNumFields(), fieldDataOf(separator)->getNumFields());
    // The copy hands each tile its own separator fields.
    EXPECT_EQ(first->getField("renderCaching"), &first->renderCaching);
    EXPECT_EQ(second->getField("renderCaching"), &second->renderCaching);

    separator->unref();
    second->unref();
    first->unref();
}

// A built tile, with its picture held apart as the scene's picture table does.
class BuiltTile : public ::testing::Test {
protected:
    void SetUp() override {
        picture->ref();
        otherPicture->ref();
        tile->texture = picture;
        tile->buildGeometry();
    }
    void TearDown() override {
        tile->unref();
        otherPicture->unref();
        picture->unref();
    }

    SoTexture2* picture = new SoTexture2;
    SoTexture2* otherPicture = new SoTexture2;
    celula* tile = heldTile();
};

TEST_F(BuiltTile, holdsPictureTranslationCoordinatesAndFaceSetInThatOrder) {
    ASSERT_EQ(tile->getNumChildren(), 4);
    EXPECT_EQ(tile->getChild(0), picture);
    EXPECT_EQ(tile->getChild(1), tile->translation);
    EXPECT_EQ(tile->getChild(2), tile->coordinates);
    EXPECT_EQ(tile->getChild(3), tile->faceSet);
    EXPECT_TRUE(tile->getChild(1)->isOfType(SoTranslation::getClassTypeId()));
    EXPECT_TRUE(tile->getChild(2)->isOfType(SoCoordinate3::getClassTypeId()));
    EXPECT_TRUE(tile->getChild(3)->isOfType(SoFaceSet::getClassTypeId()));
}

TEST_F(BuiltTile, drawsOneUnitSquareCounterClockwiseFromTheOrigin) {
    const SoMFVec3f& corners = tile->coordinates->point;
    ASSERT_EQ(corners.getNum(), 4);
    EXPECT_EQ(corners[0], SbVec3f(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(corners[1], SbVec3f(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(corners[2], SbVec3f(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(corners[3], SbVec3f(0.0f, 1.0f, 0.0f));
    ASSERT_EQ(tile->faceSet->numVertices.getNum(), 1);
    EXPECT_EQ(tile->faceSet->numVertices[0], 4);
}

TEST_F(BuiltTile, swapsItsPictureInPlaceKeepingItsOtherChildren) {
    tile->replaceChild(picture, otherPicture);
    ASSERT_EQ(tile->getNumChildren(), 4);
    EXPECT_EQ(tile->getChild(0), otherPicture);
    EXPECT_EQ(tile->getChild(1), tile->translation);
    EXPECT_EQ(tile->getChild(3), tile->faceSet);
    EXPECT_EQ(tile->findChild(picture), -1);
    // The old picture is let go by the tile, but its own holder keeps it.
    EXPECT_EQ(picture->getRefCount(), 1);
    EXPECT_EQ(otherPicture->getRefCount(), 2);
}

}  // namespace
