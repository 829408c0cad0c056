// The board drawn as one node: which square a ray meets, what the camera
// sees of the board, and which squares a new generation touches.
#include <cstddef>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include <Inventor/SbLine.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include "view/board_shape.h"
#include "view/board_sight.h"

namespace {

class ShapeTypeRegistered : public ::testing::Environment {
public:
    void SetUp() override {
        SoDB::init();
        BoardShape::initClass();
    }
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new ShapeTypeRegistered);

// Straight down onto the middle of the square x across and y down.
SbLine rayOnto(int x, int y) {
    const SbVec3f point(static_cast<float>(x) + 0.5f, 0.5f - static_cast<float>(y), 0.0f);
    return {point + SbVec3f(0.0f, 0.0f, 10.0f), point};
}

CellState occupant(int kind, int direction = 1) {
    CellState cell{};
    cell.kind = static_cast<std::int8_t>(kind);
    cell.direction = static_cast<std::int8_t>(direction);
    cell.phase = 1;
    return cell;
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

TEST(PickArithmetic, aRayPickOfTheNodeThroughACameraNamesTheSquareUnderThePixel) {
    auto* root = new SoSeparator;
    root->ref();
    auto* camera = new SoOrthographicCamera;
    // The whole 2000 x 2000 board in view.
    camera->position.setValue(1000.0f, -999.0f, 10.0f);
    camera->height.setValue(2000.0f);
    root->addChild(camera);
    auto* shape = new BoardShape;
    shape->showBoard(Board(2000, 2000));
    root->addChild(shape);

    // Two and a half squares a pixel; the pixel is drawn as its centre
    // shows, which is where the click picks: from the bottom left, pixel
    // (100, 700) has its centre at x 251.25, y -247.75, while its corner
    // lies on the edge between two squares.
    SoRayPickAction pick{SbViewportRegion(800, 800)};
    pick.setPoint(SbVec2s(100, 700));
    pick.apply(root);
    ASSERT_NE(pick.getPickedPoint(), nullptr);
    ASSERT_TRUE(shape->lastPicked().has_value());
    EXPECT_EQ(*shape->lastPicked() / 2000, 251);
    EXPECT_EQ(*shape->lastPicked() % 2000, 248);
    root->unref();
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

class ANodeShowingABoard : public ::testing::Test {
protected:
    ANodeShowingABoard() : squares(37, 53) {
        shape = new BoardShape;
        shape->ref();
        shape->showBoard(squares);
    }
    ~ANodeShowingABoard() override { shape->unref(); }

    Board squares;
    BoardShape* shape;
};

TEST_F(ANodeShowingABoard, takesOnlyTheSquaresWhosePictureChanged) {
    const std::size_t lizard = squares.indexOf(3, 4);
    squares[lizard] = occupant(1, 3);
    squares[squares.indexOf(36, 52)] = occupant(2);
    EXPECT_EQ(shape->updateBoard(squares), 2);
    EXPECT_EQ(shape->pictureOf(static_cast<int>(lizard)), tilePictureOf(squares[lizard]));
    EXPECT_EQ(shape->updateBoard(squares), 0);
    // A creature's record changing in what its picture does not show.
    squares[lizard].age = 7;
    EXPECT_EQ(shape->updateBoard(squares), 0);
}

TEST_F(ANodeShowingABoard, keepsTheOldPictureOfASquareOfUnknownKind) {
    squares[5] = occupant(3);
    shape->updateBoard(squares);
    const int cat = shape->pictureOf(5);
    squares[5] = occupant(9);
    EXPECT_EQ(shape->updateBoard(squares), 0);
    EXPECT_EQ(shape->pictureOf(5), cat);
}

TEST_F(ANodeShowingABoard, takesNothingFromABoardOfAnotherSizeUntilShownIt) {
    Board larger(40, 53);
    larger[0] = occupant(1);
    EXPECT_EQ(shape->updateBoard(larger), 0);
    shape->showBoard(larger);
    EXPECT_EQ(shape->across(), 40);
    EXPECT_EQ(shape->pictureOf(0), tilePictureOf(larger[0]));
}

}  // namespace
