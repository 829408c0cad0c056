// The board drawn as one node: the square a click picks through a camera,
// and which squares a new generation touches.
#include <cstddef>

#include <gtest/gtest.h>

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include "view/board_shape.h"

namespace {

class ShapeTypeRegistered : public ::testing::Environment {
public:
    void SetUp() override {
        SoDB::init();
        BoardShape::initClass();
    }
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new ShapeTypeRegistered);

CellState occupant(int kind, int direction = 1) {
    CellState cell{};
    cell.kind = static_cast<std::int8_t>(kind);
    cell.direction = static_cast<std::int8_t>(direction);
    cell.phase = 1;
    return cell;
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
