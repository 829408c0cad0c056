// What the camera sees of a board drawn as one node, and the square a ray
// meets: arithmetic, without a scene.
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include <Inventor/SbLine.h>
#include <Inventor/SbViewVolume.h>

#include "view/board_sight.h"

namespace {

// Straight down onto the middle of the square x across and y down.
SbLine rayOnto(int x, int y) {
    const SbVec3f point(static_cast<float>(x) + 0.5f, 0.5f - static_cast<float>(y), 0.0f);
    return {point + SbVec3f(0.0f, 0.0f, 10.0f), point};
}

TEST(PickArithmetic, aRayDownOntoASquareOfABoardNotSquareMeetsThatSquare) {
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{36, 52}, std::pair{12, 40}, std::pair{36, 0}}) {
        EXPECT_EQ(squareUnderRay(rayOnto(x, y), 37, 53), std::optional<int>(x * 53 + y)) << x << "," << y;
    }
}

TEST(PickArithmetic, aSlantingRayMeetsTheSquareWhereItCrossesTheBoard) {
    // From above square (2, 3) towards square (7, 9): the line crosses z = 0 there.
    const SbLine ray(SbVec3f(2.5f, -2.5f, 5.0f), SbVec3f(7.25f, -8.25f, 0.0f));
    EXPECT_EQ(squareUnderRay(ray, 500, 500), std::optional<int>(7 * 500 + 9));
}

TEST(PickArithmetic, aRayBesideTheBoardOrAlongItMeetsNoSquare) {
    EXPECT_EQ(squareUnderRay(rayOnto(37, 0), 37, 53), std::nullopt);
    EXPECT_EQ(squareUnderRay(rayOnto(0, 53), 37, 53), std::nullopt);
    EXPECT_EQ(squareUnderRay(rayOnto(-1, 5), 37, 53), std::nullopt);
    EXPECT_EQ(squareUnderRay(SbLine(SbVec3f(0.0f, 0.0f, 1.0f), SbVec3f(5.0f, -5.0f, 1.0f)), 37, 53), std::nullopt);
}

TEST(WhatTheCameraSees, squaresTooSmallForPicturesLeaveNoneToDrawAsPictures) {
    SbViewVolume volume;
    volume.ortho(0.0f, 500.0f, -499.0f, 1.0f, 1.0f, 20.0f);
    volume.translateCamera(SbVec3f(0.0f, 0.0f, 10.0f));
    // 500 squares in 1000 pixels: two pixels each.
    EXPECT_TRUE(squaresShowingPictures(volume, 1000, 500, 500).empty());
    // In 5000 pixels: ten each, and the whole board in view.
    EXPECT_EQ(squaresShowingPictures(volume, 5000, 500, 500), (SquareSpan{0, 500, 0, 500}));
}

TEST(WhatTheCameraSees, aViewOfPartOfTheBoardSpansOnlyTheSquaresInIt) {
    SbViewVolume volume;
    volume.ortho(100.0f, 120.0f, -60.0f, -40.0f, 1.0f, 20.0f);
    volume.translateCamera(SbVec3f(0.0f, 0.0f, 10.0f));
    // x 100..120 and y -60..-40, squares 41..61 down.
    EXPECT_EQ(squaresInView(volume, 500, 500), (SquareSpan{100, 120, 41, 61}));
}

}  // namespace

TEST(KeyboardPick, anArrowStepsOneSquareAndWrapsRoundTheTorusOnABoardNotSquare) {
    // 7 across, 5 down: square (x, y) is x * 5 + y.
    EXPECT_EQ(squareStepped(3, 2, 1, 0, 7, 5), 4 * 5 + 2);
    EXPECT_EQ(squareStepped(3, 2, 0, -1, 7, 5), 3 * 5 + 1);
    EXPECT_EQ(squareStepped(6, 2, 1, 0, 7, 5), 0 * 5 + 2);
    EXPECT_EQ(squareStepped(0, 2, -1, 0, 7, 5), 6 * 5 + 2);
    EXPECT_EQ(squareStepped(3, 0, 0, -1, 7, 5), 3 * 5 + 4);
    EXPECT_EQ(squareStepped(3, 4, 0, 1, 7, 5), 3 * 5 + 0);
}

TEST(KeyboardPick, theFirstArrowPicksTheMiddleSquare) {
    EXPECT_EQ(middleSquare(20, 20), 10 * 20 + 10);
    EXPECT_EQ(middleSquare(7, 5), 3 * 5 + 2);
    EXPECT_EQ(middleSquare(1, 1), 0);
}
