// The inspector tells a watched creature's turn in sentences that agree with
// what the generation did to the board.

#include <string>

#include <gtest/gtest.h>

#include "support/terrarium.h"
#include "view/turn_story.h"

namespace {

class TurnStory : public Terrarium, public ::testing::Test {
protected:
    // One generation on a fixed seed, watching the square at board row and
    // column; its turn in words.
    std::string tell(int row, int column) {
        model.watch(square(row, column));
        model.generator().seed(2026);
        model.computeGeneration();
        model.watch(-1);
        turn = model.watchedTurn();
        return turn ? tellTurn(*turn, model.rules).join('\n').toStdString() : std::string("(no turn)");
    }

    std::optional<Model::WatchedTurn> turn;
};

// Board row r is the screen's column r + 1, board column c its row c + 1;
// heading 1 faces east, 5 west.

TEST_F(TurnStory, AFlightNamesWhereTheCatWasWhereItFledAndWhichWayItFaces) {
    place(5, 5, kLizard1, 1);
    placeEatingCat(6, 4, 3);  // ahead on the left, busy eating
    EXPECT_EQ(tell(5, 5), "Saw a cat ahead to the north-east and fled to row 6, column 5, now facing west.");
    EXPECT_EQ(at(4, 5).kind, kLizard1);
    EXPECT_EQ(at(4, 5).direction, 5);
}

TEST_F(TurnStory, AMatingNamesThePartnerAndWhereTheEggWasLaidAndTheEggItsParents) {
    place(10, 10, kLizard1, 1);
    place(11, 10, kLizard2, 1);  // the partner, ahead, boxed in by eggs
    placeEgg(12, 10, kLizard1);
    placeEgg(12, 11, kLizard1);
    placeEgg(12, 9, kLizard1);
    const Board start = board;
    EXPECT_EQ(tell(10, 10), "Saw a green lizard ahead to the east and laid an egg with it at row 12, column 12.");
    EXPECT_EQ(at(11, 11).juvenile, 1);
    EXPECT_EQ(at(11, 11).kind, kLizard1);

    // The same generation watched from the egg's square.
    board = start;
    tell(11, 11);
    ASSERT_TRUE(turn.has_value());
    ASSERT_TRUE(turn->eggLaid.has_value());
    EXPECT_EQ(turn->eggLaid->layer, square(10, 10));
    EXPECT_EQ(turn->eggLaid->partner, square(11, 10));
    EXPECT_EQ(tellEggLaid(*turn->eggLaid, kLizard1, 57, model.rules).toStdString(),
              "Laid in generation 57 by a brown lizard at row 11, column 11 with a green lizard at row 11, column 12.");
}

TEST_F(TurnStory, TheEndOfAMatingTellsTheNewHeadingAndAVisitBeforeItCounts) {
    placeMating(3, 3, kLizard2, 1, 2);
    placeMating(3, 15, kLizard2, 1, 1);
    const Board start = board;
    const std::string ended = tell(3, 3);
    EXPECT_EQ(at(3, 3).mating, 0);
    const std::string expected = at(3, 3).direction == 1 ? "The mating ended; it still faces east."
                                                         : "The mating ended and it turned to face ";
    EXPECT_EQ(ended.substr(0, expected.size()), expected);
    board = start;
    EXPECT_EQ(tell(3, 15), "Mating, visit 2 of 3.");
}

TEST_F(TurnStory, ACatchNamesThePreyAndTheSquareTheCatTookWithItsHeadingKept) {
    place(15, 15, kCat, 1);
    placeMating(16, 15, kLizard1, 1);  // ahead; a mating lizard stays put
    EXPECT_EQ(tell(15, 15), "Saw a brown lizard ahead to the east and caught it at row 16, column 17.");
    EXPECT_EQ(at(16, 15).kind, kCat);
    EXPECT_EQ(at(16, 15).eating, 1);
}

}  // namespace
