// doUpdates keeps every tile showing the picture its square calls for, and
// touches nothing else.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTexture2.h>
#include <Inventor/sensors/SoNodeSensor.h>

#include "model/trace.h"
#include "support/captured_trace.h"
#include "view/celula.h"
#include "view/display_update.h"
#include "view/scene.h"

namespace {

constexpr std::size_t at(int square) { return static_cast<std::size_t>(square); }
constexpr int squareAt(int row, int column) { return row * Rules{}.height + column; }

const std::vector<std::string> kUpdateLines{"  -- principio doUpdates --\n", "  -- fin       doUpdates --\n"};

using FirstChildren = std::array<SoNode*, Rules{}.squareCount()>;

FirstChildren firstChildren() {
    FirstChildren children{};
    for (std::size_t square = 0; square < Rules{}.squareCount(); ++square) {
        children[square] = tiles[square]->getChild(0);
    }
    return children;
}

int changedTiles(const FirstChildren& before) {
    int changed = 0;
    for (std::size_t square = 0; square < Rules{}.squareCount(); ++square) {
        changed += tiles[square]->getChild(0) != before[square] ? 1 : 0;
    }
    return changed;
}

// Counts every change Coin is told about anywhere under the tiles, as it
// happens.
class SceneChanges {
public:
    SceneChanges() {
        sensor_.setPriority(0);
        sensor_.attach(tileRoot);
    }
    [[nodiscard]] int count() const { return count_; }

private:
    static void changed(void* data, SoSensor*) { ++static_cast<SceneChanges*>(data)->count_; }
    int count_ = 0;
    SoNodeSensor sensor_{&SceneChanges::changed, this};
};

void expectEveryTileShowsItsSquare() {
    for (std::size_t square = 0; square < Rules{}.squareCount(); ++square) {
        const std::optional<int> picture = tilePictureOf(board[square]);
        ASSERT_TRUE(picture.has_value());
        celula* tile = tiles[square];
        EXPECT_EQ(shownTexture[square], *picture) << "square " << square;
        EXPECT_EQ(tile->texture, textures[at(*picture)]) << "square " << square;
        EXPECT_EQ(tile->getChild(0), tile->texture) << "square " << square;
        EXPECT_EQ(tile->getNumChildren(), 4) << "square " << square;
    }
}

// Each test starts from an empty board shown on screen.
class DisplayUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        trace::setSink(nullptr);
        clearBoard();
        doUpdates();
        trace::setSink(stdout);
    }

    static void fill() {
        trace::setSink(nullptr);
        fillBoard(std::time_t{20240607});
        trace::setSink(stdout);
    }
};

TEST_F(DisplayUpdate, onAnUnchangedBoardTouchesNothingAndStillPrintsBothLines) {
    fill();
    doUpdates();
    const FirstChildren before = firstChildren();
    const SceneChanges changes;

    CapturedTrace trace;
    doUpdates();

    EXPECT_EQ(trace.lines(), kUpdateLines);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(changedTiles(before), 0);
}

TEST_F(DisplayUpdate, swapsThePictureOfExactlyTheSquaresThatChanged) {
    fill();
    int occupied = 0;
    for (const CellState& cell : board) {
        occupied += cell.kind != kEmpty ? 1 : 0;
    }
    ASSERT_GT(occupied, 0);
    const FirstChildren before = firstChildren();

    CapturedTrace trace;
    doUpdates();

    EXPECT_EQ(trace.lines(), kUpdateLines);
    EXPECT_EQ(changedTiles(before), occupied);
    expectEveryTileShowsItsSquare();
}

TEST_F(DisplayUpdate, showsTheGroundWhereALizardHasLeft) {
    const int square = squareAt(4, 9);
    board[at(square)].kind = kLizard2;
    doUpdates();
    ASSERT_EQ(shownTexture[at(square)], 19);

    board[at(square)].kind = kEmpty;
    doUpdates();

    EXPECT_EQ(shownTexture[at(square)], 0);
    EXPECT_EQ(tiles[at(square)]->getChild(0), textures[0]);
}

TEST_F(DisplayUpdate, turnsALizardFromPictureFourToFiveWhenItTurnsFromHeadingThreeToFour) {
    const int square = squareAt(11, 2);
    CellState& lizard = board[at(square)];
    lizard.kind = kLizard1;
    lizard.phase = 1;
    lizard.direction = 3;
    doUpdates();
    ASSERT_EQ(tiles[at(square)]->getChild(0), textures[4]);
    const FirstChildren before = firstChildren();
    const SceneChanges changes;

    lizard.direction = 4;
    doUpdates();

    EXPECT_EQ(tiles[at(square)]->getChild(0), textures[5]);
    EXPECT_EQ(shownTexture[at(square)], 5);
    EXPECT_EQ(changedTiles(before), 1);
    EXPECT_GT(changes.count(), 0);
}

TEST_F(DisplayUpdate, showsACatEatingAKindTwoLizardThenItsOwnPictureWhenItStops) {
    const int square = squareAt(19, 19);
    CellState& cat = board[at(square)];
    cat.kind = kCat;
    cat.phase = 0;
    cat.direction = 6;
    cat.eating = 1;
    cat.preyIsKind2 = 1;
    doUpdates();
    EXPECT_EQ(tiles[at(square)]->getChild(0), textures[52]);

    cat.eating = 0;
    doUpdates();
    EXPECT_EQ(tiles[at(square)]->getChild(0), textures[48]);
    EXPECT_EQ(shownTexture[at(square)], 48);
}

TEST_F(DisplayUpdate, showsTheGroundEverywhereAfterTheBoardIsCleared) {
    fill();
    doUpdates();
    clearBoard();
    doUpdates();
    for (std::size_t square = 0; square < Rules{}.squareCount(); ++square) {
        EXPECT_EQ(shownTexture[square], 0) << "square " << square;
        EXPECT_EQ(tiles[square]->getChild(0), textures[0]) << "square " << square;
    }
}

TEST_F(DisplayUpdate, leavesTheTileOfASquareOfUnknownKindAsItWas) {
    const int square = squareAt(7, 13);
    CellState& cell = board[at(square)];
    cell.kind = kCat;
    cell.phase = 1;
    cell.direction = 2;
    doUpdates();
    ASSERT_EQ(shownTexture[at(square)], 36);
    const FirstChildren before = firstChildren();

    cell.kind = 9;
    CapturedTrace trace;
    doUpdates();

    EXPECT_EQ(trace.lines(), kUpdateLines);
    EXPECT_EQ(changedTiles(before), 0);
    EXPECT_EQ(shownTexture[at(square)], 36);
    EXPECT_EQ(tiles[at(square)]->texture, textures[36]);
}

TEST_F(DisplayUpdate, keepsAPictureThatNoTileShowsAnyMoreAlive) {
    const int square = squareAt(0, 0);
    board[at(square)].kind = kLizard1;
    board[at(square)].juvenile = 1;
    doUpdates();
    ASSERT_EQ(textures[1]->getRefCount(), 2);

    board[at(square)].juvenile = 0;
    doUpdates();

    EXPECT_EQ(textures[1]->getRefCount(), 1);
    EXPECT_EQ(std::string(textures[1]->filename.getValue().getString()), "lch.png");
}

}  // namespace
