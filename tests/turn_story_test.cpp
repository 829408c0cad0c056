// The inspector tells a watched creature's turn in sentences that agree with
// what the generation did to the board.

#include <string>

#include <gtest/gtest.h>

#include "behaviour/orientation.h"
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

// The sentences come from the turn's record alone: turns made by hand, with
// no trace line at all, are told in full, the egg laid where the record says
// rather than where the mating rule would put it.
TEST(ATurnsRecord, IsToldWithoutATraceLine) {
    const Rules rules;
    CellState lizard{};
    lizard.kind = kLizard1;
    lizard.direction = 1;  // east
    CellState mate = lizard;
    mate.kind = kLizard2;
    const auto told = [&rules](const Model::WatchedTurn& turn) {
        EXPECT_TRUE(turn.lines.empty());
        return tellTurn(turn, rules).join('\n').toStdString();
    };

    Model::WatchedTurn mating;
    mating.square = mating.from = mating.to = Terrarium::square(10, 10);
    mating.before = mating.after = lizard;
    mating.ahead[kFrontLeft] = mate;
    mating.record.choice = TurnRecord::Choice::kMateAndLayEgg;
    mating.record.seen = kFrontLeft;
    mating.record.partner = Terrarium::square(11, 9);
    mating.record.egg = Terrarium::square(3, 4);
    EXPECT_EQ(told(mating), "Saw a green lizard ahead to the north-east and laid an egg with it at row 5, column 4.");

    Model::WatchedTurn boxedIn = mating;
    boxedIn.record = {};
    boxedIn.record.choice = TurnRecord::Choice::kTurnAtRandom;
    boxedIn.record.seen = kFrontLeft;
    boxedIn.after.direction = 5;
    EXPECT_EQ(told(boxedIn), "Saw a green lizard ahead to the north-east but no empty square for an egg, and turned "
                             "at random to face west.");

    Model::WatchedTurn egg;
    egg.square = egg.from = egg.to = Terrarium::square(2, 2);
    egg.before = egg.after = lizard;
    egg.before.juvenile = egg.after.juvenile = 1;
    egg.record.choice = TurnRecord::Choice::kGrow;
    egg.record.timer = 3;
    EXPECT_EQ(told(egg), "An egg: visit 3 of 5; it hatches on the last.");

    Model::WatchedTurn none;
    none.square = Terrarium::square(2, 2);
    EXPECT_EQ(told(none), "");
}

}  // namespace
