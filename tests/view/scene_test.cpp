// The scene as buildScene leaves it.
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Inventor/SbBox.h>
#include <Inventor/SoPath.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoFaceSet.h>
#include <Inventor/nodes/SoSelection.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSwitch.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/nodes/SoTranslation.h>

#include "scene_environment.h"
#include "view/celula.h"
#include "view/scene.h"

namespace {

using namespace scene_environment;

constexpr std::size_t at(int square) { return static_cast<std::size_t>(square); }

SbBox3f boundsOf(SoNode* node) {
    SoGetBoundingBoxAction action{SbViewportRegion(100, 100)};
    action.apply(node);
    return action.getBoundingBox();
}

// ---------------------------------------------------------------- pictures

std::vector<std::string> expectedPictureNames() {
    std::vector<std::string> names{"vacio.png", "lch.png"};
    const auto run = [&names](const std::string& prefix) {
        for (int heading = 1; heading <= 8; ++heading) {
            names.push_back(prefix + std::to_string(heading) + ".png");
        }
    };
    run("lcd");
    run("lci");
    names.emplace_back("lvh.png");
    run("lvd");
    run("lvi");
    run("gd");
    run("gi");
    names.emplace_back("gclc.png");
    names.emplace_back("gclv.png");
    return names;
}

TEST(Pictures, areFiftyThreeNodesReadByBareFileNameInTableOrder) {
    const std::vector<std::string> names = expectedPictureNames();
    ASSERT_EQ(names.size(), textures.size());
    for (std::size_t index = 0; index < names.size(); ++index) {
        ASSERT_NE(textures[index], nullptr);
        EXPECT_EQ(std::string(textures[index]->filename.getValue().getString()), names[index]) << "index " << index;
    }
}

TEST(Pictures, eachHoldsAReferenceOfItsOwnBesideTheTilesShowingIt) {
    std::array<int, kTilePictureCount> shownBy{};
    for (const std::int32_t picture : shownTexture) {
        ++shownBy[at(picture)];
    }
    for (std::size_t index = 0; index < textures.size(); ++index) {
        EXPECT_EQ(textures[index]->getRefCount(), 1 + shownBy[index]) << "index " << index;
    }
}

TEST(Pictures, leaveStandardOutputToTheTrace) { EXPECT_EQ(stdoutDuringBuild(), ""); }

// ---------------------------------------------------------------- the tree

TEST(SceneTree, startsWithASelectionHoldingTheTilesThenTheBackgroundThenAHiddenMark) {
    ASSERT_NE(selectionRoot, nullptr);
    EXPECT_EQ(selectionRoot->policy.getValue(), SoSelection::SHIFT);
    ASSERT_EQ(selectionRoot->getNumChildren(), 3);
    EXPECT_EQ(selectionRoot->getChild(0), tileRoot);
    EXPECT_EQ(selectionRoot->getChild(1), backgroundPlane);
    ASSERT_TRUE(selectionRoot->getChild(2)->isOfType(SoSwitch::getClassTypeId()));
    EXPECT_EQ(static_cast<SoSwitch*>(selectionRoot->getChild(2))->whichChild.getValue(), SO_SWITCH_NONE);
}

// A picked path names its tile's square, and the mark shows only for a
// square on the board.
TEST(SceneTree, APickedTileNamesItsSquareAndTheMarkFollowsIt) {
    const int square = 3 * Rules{}.height + 7;
    celula* tile = tiles[static_cast<std::size_t>(square)];
    auto* root = new SoSeparator;
    root->ref();
    root->addChild(tile);
    auto* path = new SoPath(root);
    path->ref();
    path->append(tile);
    path->append(tile->faceSet);
    EXPECT_EQ(squareOnPath(path), square);
    path->truncate(1);
    EXPECT_EQ(squareOnPath(path), std::nullopt);
    path->unref();
    root->unref();

    auto* mark = static_cast<SoSwitch*>(selectionRoot->getChild(2));
    markSquare(square);
    EXPECT_EQ(mark->whichChild.getValue(), 0);
    markSquare(static_cast<int>(Rules{}.squareCount()));
    EXPECT_EQ(mark->whichChild.getValue(), SO_SWITCH_NONE);
}

TEST(SceneTree, holdsItsRootsWithAReferenceOfItsOwn) {
    EXPECT_EQ(selectionRoot->getRefCount(), 1);
    EXPECT_EQ(tileRoot->getRefCount(), 2);  // its own and the selection's
    EXPECT_EQ(backgroundPlane->getRefCount(), 1);
}

TEST(SceneTree, holdsTheFourHundredTilesInBoardOrder) {
    const int squares = static_cast<int>(Rules{}.squareCount());
    ASSERT_EQ(tileRoot->getNumChildren(), squares);
    for (int square = 0; square < squares; ++square) {
        celula* tile = tiles[at(square)];
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tileRoot->getChild(square), tile);
        EXPECT_EQ(tile->getTypeId(), celula::getClassTypeId());
        EXPECT_EQ(tile->row, square / Rules{}.height);
        EXPECT_EQ(tile->column, square % Rules{}.height);
    }
}

TEST(SceneTree, hasConstructedExactlyOneTilePerSquareSharingOneFieldData) {
    EXPECT_EQ(celula::tileCount(), static_cast<unsigned int>(Rules{}.squareCount()));
    const SoFieldData* shared = static_cast<const SoFieldContainer*>(tiles[0])->getFieldData();
    for (const celula* tile : tiles) {
        EXPECT_EQ(static_cast<const SoFieldContainer*>(tile)->getFieldData(), shared);
    }
}

TEST(SceneTree, placesEachRowAlongXAndEachColumnDownY) {
    for (int square = 0; square < static_cast<int>(Rules{}.squareCount()); ++square) {
        const auto row = static_cast<float>(square / Rules{}.height);
        const auto column = static_cast<float>(square % Rules{}.height);
        EXPECT_EQ(tiles[at(square)]->translation->translation.getValue(), SbVec3f(row, -column, 0.0f));
    }
}

TEST(SceneTree, putsTheTileOfRowThreeColumnFiveOverXThreeToFourAndYMinusFiveToMinusFour) {
    celula* tile = tiles[at(3 * Rules{}.height + 5)];
    EXPECT_EQ(tile->translation->translation.getValue(), SbVec3f(3.0f, -5.0f, 0.0f));
    const SbBox3f bounds = boundsOf(tile);
    EXPECT_EQ(bounds.getMin(), SbVec3f(3.0f, -5.0f, 0.0f));
    EXPECT_EQ(bounds.getMax(), SbVec3f(4.0f, -4.0f, 0.0f));
}

TEST(SceneTree, coversTheBoardWithTheBackgroundJustBehindTheTiles) {
    const SbBox3f tilesBounds = boundsOf(tileRoot);
    EXPECT_EQ(tilesBounds.getMin(), SbVec3f(0.0f, -19.0f, 0.0f));
    EXPECT_EQ(tilesBounds.getMax(), SbVec3f(20.0f, 1.0f, 0.0f));
    const SbBox3f planeBounds = boundsOf(backgroundPlane);
    EXPECT_EQ(planeBounds.getMin(), SbVec3f(0.0f, -19.0f, -0.1f));
    EXPECT_EQ(planeBounds.getMax(), SbVec3f(20.0f, 1.0f, -0.1f));
}

TEST(SceneTree, drawsTheBackgroundAsColourOffsetCornersAndOneFace) {
    ASSERT_EQ(backgroundPlane->getNumChildren(), 4);
    EXPECT_EQ(backgroundPlane->getChild(0), backgroundColor);
    ASSERT_TRUE(backgroundPlane->getChild(1)->isOfType(SoTranslation::getClassTypeId()));
    ASSERT_TRUE(backgroundPlane->getChild(2)->isOfType(SoCoordinate3::getClassTypeId()));
    ASSERT_TRUE(backgroundPlane->getChild(3)->isOfType(SoFaceSet::getClassTypeId()));
    const auto* offset = static_cast<SoTranslation*>(backgroundPlane->getChild(1));
    EXPECT_EQ(offset->translation.getValue(), SbVec3f(0.0f, 0.0f, -0.1f));
    const SoMFVec3f& corners = static_cast<SoCoordinate3*>(backgroundPlane->getChild(2))->point;
    ASSERT_EQ(corners.getNum(), 4);
    EXPECT_EQ(corners[0], SbVec3f(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(corners[1], SbVec3f(0.0f, -19.0f, 0.0f));
    EXPECT_EQ(corners[2], SbVec3f(20.0f, -19.0f, 0.0f));
    EXPECT_EQ(corners[3], SbVec3f(20.0f, 1.0f, 0.0f));
    const SoMFInt32& counts = static_cast<SoFaceSet*>(backgroundPlane->getChild(3))->numVertices;
    ASSERT_EQ(counts.getNum(), 1);
    EXPECT_EQ(counts[0], 4);
}

// Twice the area enclosed by the corners in the xy plane: positive when
// they run counter-clockwise seen from +z, where the viewer starts.
float windingSeenFromFront(const SoMFVec3f& corners) {
    float twiceArea = 0.0f;
    for (int at = 0; at < corners.getNum(); ++at) {
        const SbVec3f& from = corners[at];
        const SbVec3f& to = corners[(at + 1) % corners.getNum()];
        twiceArea += from[0] * to[1] - to[0] * from[1];
    }
    return twiceArea;
}

TEST(SceneTree, turnsTheBackgroundTowardsTheViewerLikeTheTiles) {
    const SoMFVec3f& plane = static_cast<SoCoordinate3*>(backgroundPlane->getChild(2))->point;
    EXPECT_GT(windingSeenFromFront(tiles[0]->coordinates->point), 0.0f);
    EXPECT_FLOAT_EQ(windingSeenFromFront(plane), 2.0f * 20.0f * 20.0f);
}

// ---------------------------------------------------------------- first pictures

TEST(FirstPictures, showTheGroundOnEveryEmptySquare) {
    for (int square = 0; square < static_cast<int>(Rules{}.squareCount()); ++square) {
        if (board[at(square)].kind != kEmpty) {
            continue;
        }
        EXPECT_EQ(shownTexture[at(square)], 0) << "square " << square;
        EXPECT_EQ(tiles[at(square)]->texture, textures[0]);
        EXPECT_EQ(tiles[at(square)]->getChild(0), textures[0]);
    }
}

TEST(FirstPictures, showTheCreaturesOnTheBoardWhenTheSceneIsBuilt) {
    EXPECT_EQ(shownTexture[at(kLizardSquare)], 4);
    EXPECT_EQ(tiles[at(kLizardSquare)]->getChild(0), textures[4]);
    EXPECT_EQ(shownTexture[at(kEatingCatSquare)], 52);
    EXPECT_EQ(tiles[at(kEatingCatSquare)]->getChild(0), textures[52]);
}

TEST(FirstPictures, showTheGroundOnASquareOfUnknownKind) {
    EXPECT_EQ(shownTexture[at(kUnknownKindSquare)], 0);
    EXPECT_EQ(tiles[at(kUnknownKindSquare)]->getChild(0), textures[0]);
}

// ---------------------------------------------------------------- background colour

TEST(BackgroundColour, startsBlackAndShowsItsUnboundedComponentsWithinZeroToOne) {
    EXPECT_EQ(backgroundColor->rgb[0], SbColor(0.0f, 0.0f, 0.0f));
    backgroundRed = 0.3f;
    backgroundGreen = -0.3f;
    backgroundBlue = 1.2f;
    setBackgroundColor();
    EXPECT_EQ(backgroundColor->rgb[0], SbColor(0.3f, 0.0f, 1.0f));
    backgroundRed = backgroundGreen = backgroundBlue = 0.0f;
    setBackgroundColor();
    EXPECT_EQ(backgroundColor->rgb[0], SbColor(0.0f, 0.0f, 0.0f));
}

// ---------------------------------------------------------------- the outline

// The standard board's squares are some 37 pixels wide in the home view.
TEST(PickedOutline, aroundASquareOfTheStandardBoardIsAYellowLineOnADarkOneAlongItsEdge) {
    for (const float side : {37.0f, 120.0f, 900.0f}) {
        const MarkLook look = markLookFor(side);
        EXPECT_EQ(look.edgeWidth, 7.0f) << side;
        EXPECT_EQ(look.lineWidth, 3.0f) << side;
        EXPECT_EQ(look.outward, 0.0f) << side;
    }
}

// At 100 x 100 a square is some 7 pixels wide, at 60 x 60 some 12.
TEST(PickedOutline, reachesAtMostATenthIntoASquareOfAnySizeAndStillShows) {
    for (float side = 2.0f; side <= 200.0f; side += 0.5f) {
        const MarkLook look = markLookFor(side);
        EXPECT_LE(0.5f * look.edgeWidth - look.outward, 0.1f * side + 1e-4f) << side;
        EXPECT_GE(look.edgeWidth, 4.0f) << side;
        EXPECT_GE(look.lineWidth, 2.0f) << side;
        EXPECT_GT(look.edgeWidth, look.lineWidth) << side;
    }
}

}  // namespace
