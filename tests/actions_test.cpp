#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "behaviour/orientation.h"
#include "platform/random.h"
#include "support/captured_trace.h"
#include "support/terrarium.h"

namespace {

constexpr std::array<std::array<int, 2>, 8> kAhead{{{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

// The square one step from (row, column) in the direction of a heading.
CellState& towards(int row, int column, int heading) {
    const auto& step = kAhead[static_cast<std::size_t>(turned(heading, 0) - 1)];
    return Terrarium::at(row + step[0], column + step[1]);
}

bool sameRecord(const CellState& a, const CellState& b) {
    return a.direction == b.direction && a.phase == b.phase && a.kind == b.kind && a.juvenile == b.juvenile &&
           a.age == b.age && a.eating == b.eating && a.eatTurns == b.eatTurns && a.preyIsKind2 == b.preyIsKind2 &&
           a.mating == b.mating && a.mateTurns == b.mateTurns && a.processed == b.processed && a.lookSlots == b.lookSlots;
}

// ---- Flight

class Flight : public Terrarium, public ::testing::Test {};

struct EscapeRow {
    int squareTurn;   // where the escape square lies, relative to the heading
    int headingTurn;  // the heading after the move, relative to the old one
};

// back, back-right, back-left, right, left, front-right, front-left, front
constexpr std::array<EscapeRow, 8> kEscapeOrder{{{4, 4}, {5, 3}, {3, 5}, {-2, -2}, {2, 2}, {-1, -1}, {1, 1}, {0, 0}}};

TEST_F(Flight, ALizardTakesTheFirstFreeEscapeSquareAndItsHeading) {
    for (int h = 1; h <= 8; ++h) {
        for (std::size_t chosen = 0; chosen < kEscapeOrder.size(); ++chosen) {
            clearBoard();
            constexpr int row = 0;  // on the edge, so escapes cross it
            constexpr int column = 10;
            place(row, column, kLizard2, h);
            // Every earlier choice is blocked.
            for (std::size_t earlier = 0; earlier < chosen; ++earlier) {
                placeEgg(0, 0, kLizard1);
                towards(row, column, turned(h, kEscapeOrder[earlier].squareTurn)) = at(0, 0);
            }
            at(0, 0) = CellState{};
            CellState& escape = towards(row, column, turned(h, kEscapeOrder[chosen].squareTurn));
            escape.preyIsKind2 = 1;
            actAs(row, column);
            model.flee();
            EXPECT_EQ(escape.kind, kLizard2) << "heading " << h << " choice " << chosen;
            EXPECT_EQ(escape.direction, turned(h, kEscapeOrder[chosen].headingTurn)) << "heading " << h << " choice " << chosen;
            EXPECT_EQ(escape.processed, 1);
            EXPECT_EQ(escape.phase, 0);
            EXPECT_EQ(escape.preyIsKind2, 1);  // the destination's own, untouched
            EXPECT_EQ(at(row, column).kind, kEmpty);
            EXPECT_EQ(at(row, column).phase, 1);      // the source keeps its phase
            EXPECT_EQ(at(row, column).direction, h);  // and its heading
        }
    }
}

TEST_F(Flight, TheCrossedDiagonalEscapesBehindGiveTheHeadingsOfTheRules) {
    // Heading 4, back free: one row and one column on, heading 8.
    place(5, 5, kLizard1, 4);
    place(4, 4, kCat, 1);
    actAs(5, 5);
    model.flee();
    EXPECT_EQ(at(6, 6).kind, kLizard1);
    EXPECT_EQ(at(6, 6).direction, 8);

    // Heading 1, back blocked, back-right free: heading 4.
    clearBoard();
    place(5, 5, kLizard1, 1);
    placeEgg(4, 5, kLizard1);
    actAs(5, 5);
    model.flee();
    EXPECT_EQ(at(4, 6).direction, 4);  // back-right of heading 1 lies at (-1, +1)

    // Heading 5, back and back-right blocked, back-left free: heading 2.
    clearBoard();
    place(5, 5, kLizard1, 5);
    placeEgg(6, 5, kLizard1);
    placeEgg(6, 4, kLizard1);
    actAs(5, 5);
    model.flee();
    EXPECT_EQ(at(6, 6).direction, 2);
}

TEST_F(Flight, ABoxedInLizardStaysFlipsItsPhaseAndTurnsAtRandom) {
    place(10, 10, kLizard1, 3, 1);
    for (int h = 1; h <= 8; ++h) {
        if (h == 3) {
            place(10, 9, kCat, 7);  // the cat it sees, in front
        } else {
            placeEgg(0, 0, kLizard2, 2);
            towards(10, 10, h) = at(0, 0);
        }
    }
    at(0, 0) = CellState{};
    actAs(10, 10);
    const auto before = board;
    platform::Generator expected;
    expected.seed(99);
    const int expectedHeading = 1 + expected.rand() % 8;
    model.generator().seed(99);
    model.flee();
    EXPECT_EQ(at(10, 10).phase, 0);
    EXPECT_EQ(at(10, 10).direction, expectedHeading);
    EXPECT_EQ(at(10, 10).kind, kLizard1);
    for (std::size_t i = 0; i < board.size(); ++i) {
        if (i != static_cast<std::size_t>(square(10, 10))) {
            EXPECT_TRUE(sameRecord(board[i], before[i])) << "square " << i;
        }
    }
    // Exactly one value was drawn.
    const int next = expected.rand();
    model.generator().seed(99);
    at(10, 10).direction = 3;
    actAs(10, 10);
    model.flee();
    EXPECT_EQ(model.generator().rand(), next);
}

// ---- Mating

class Mating : public Terrarium, public ::testing::Test {};

TEST_F(Mating, APartnerInFrontLeavesTheEggFrontRightOnOneConsoleLine) {
    CellState& self = place(10, 10, kLizard1, 1);      // front (11,10), front-right (11,11), front-left (11,9)
    CellState& partner = place(11, 10, kLizard2, 5);
    CellState& egg = at(11, 11);
    egg.direction = 6;
    egg.phase = 0;
    egg.preyIsKind2 = 1;
    egg.mateTurns = 2;
    egg.eatTurns = 2;
    actAs(10, 10);
    CapturedTrace trace(model);
    model.mateAndLayEgg();
    EXPECT_EQ(trace.text(),
              "se tiene un espacio vacio\n"
              "me apareo con la de enfrente\n"
              "la casilla de .frenteDerecha esta vacia y pondre huevo me apareare\n");
    EXPECT_EQ(self.mating, 1);
    EXPECT_EQ(self.mateTurns, 0);
    EXPECT_EQ(partner.mating, 1);
    EXPECT_EQ(partner.processed, 1);
    EXPECT_EQ(egg.kind, kLizard1);  // the layer's species
    EXPECT_EQ(egg.juvenile, 1);
    EXPECT_EQ(egg.age, 0);
    EXPECT_EQ(egg.processed, 1);
    EXPECT_EQ(egg.mateTurns, 0);
    EXPECT_EQ(egg.eatTurns, 0);
    // The empty square's heading, phase and prey species stay.
    EXPECT_EQ(egg.direction, 6);
    EXPECT_EQ(egg.phase, 0);
    EXPECT_EQ(egg.preyIsKind2, 1);
    EXPECT_EQ(at(11, 9).kind, kEmpty);
    EXPECT_EQ(self.direction, 1);
    EXPECT_EQ(partner.direction, 5);
}

TEST_F(Mating, AnEggInFrontSendsThePairingFrontRightAndTheEggFrontLeft) {
    placeEgg(11, 10, kLizard1);
    place(11, 11, kLizard1, 1);
    CellState& self = place(10, 10, kLizard2, 1);
    actAs(10, 10);
    CapturedTrace trace(model);
    model.mateAndLayEgg();
    EXPECT_EQ(trace.lines().at(1), "me apareo con la de enfrenteDerecha\n");
    EXPECT_EQ(trace.lines().at(2), "la casilla de .frenteIzquierda esta vacia y pondre huevo me apareare\n");
    EXPECT_EQ(at(11, 9).kind, kLizard2);
    EXPECT_EQ(at(11, 9).juvenile, 1);
    EXPECT_EQ(at(11, 11).mating, 1);
    EXPECT_EQ(self.mating, 1);
}

TEST_F(Mating, AMatingLizardInFrontIsPassedOverForTheFrontLeftOne) {
    placeMating(11, 10, kLizard1, 1);
    place(11, 9, kLizard2, 1);
    place(10, 10, kLizard1, 1);
    actAs(10, 10);
    CapturedTrace trace(model);
    model.mateAndLayEgg();
    EXPECT_EQ(trace.lines().at(1), "me apareo con la de enfrenteIzquierda\n");
    EXPECT_EQ(trace.lines().at(2), "la casilla de .frenteDerecha esta vacia y pondre huevo me apareare\n");
    EXPECT_EQ(at(11, 11).kind, kLizard1);
    EXPECT_EQ(at(11, 10).mateTurns, 0);
}

TEST_F(Mating, WithNoEmptySquareAheadTheLizardTurnsAtRandomInstead) {
    place(11, 10, kLizard2, 1);
    place(11, 11, kCat, 1);
    placeEgg(11, 9, kLizard1);
    CellState& self = place(10, 10, kLizard1, 1, 0);
    actAs(10, 10);
    const auto before = board;
    platform::Generator expected;
    expected.seed(5);
    const int expectedHeading = 1 + expected.rand() % 8;
    model.generator().seed(5);
    CapturedTrace trace(model);
    model.mateAndLayEgg();
    EXPECT_EQ(trace.text(), "no veo casillas vacias\n");
    EXPECT_EQ(self.direction, expectedHeading);
    EXPECT_EQ(self.phase, 1);
    EXPECT_EQ(self.mating, 0);
    EXPECT_EQ(at(11, 10).mating, 0);
    for (std::size_t i = 0; i < board.size(); ++i) {
        if (&board[i] != &self) {
            EXPECT_TRUE(sameRecord(board[i], before[i]));
        }
    }
}

// ---- Walking

class Walking : public Terrarium, public ::testing::Test {};

TEST_F(Walking, ACreatureStepsForwardWhenItCanKeepingItsHeading) {
    CellState& source = place(10, 10, kLizard1, 3, 0);
    actAs(10, 10);
    CapturedTrace trace(model);
    model.walk();
    EXPECT_EQ(trace.text(), "la casilla de enfrente esta vacia\n");
    const CellState& destination = at(10, 9);
    EXPECT_EQ(destination.kind, kLizard1);
    EXPECT_EQ(destination.direction, 3);
    EXPECT_EQ(destination.phase, 1);
    EXPECT_EQ(destination.processed, 1);
    // The vacated square shows the flipped phase and the heading.
    EXPECT_EQ(source.kind, kEmpty);
    EXPECT_EQ(source.phase, 1);
    EXPECT_EQ(source.direction, 3);
    EXPECT_EQ(source.processed, 1);
}

TEST_F(Walking, ADiagonalStepTurnsTheCreatureTheWayItMoved) {
    placeEgg(11, 10, kLizard2);  // front of heading 1
    place(10, 10, kLizard1, 1, 1);
    actAs(10, 10);
    CapturedTrace trace(model);
    model.walk();
    EXPECT_EQ(trace.text(), "la casilla de frenteDerecha esta vacia \n");
    EXPECT_EQ(at(11, 11).direction, 8);
    EXPECT_EQ(at(11, 11).phase, 0);
    EXPECT_EQ(at(10, 10).direction, 8);

    clearBoard();
    place(11, 11, kCat, 1);  // front of heading 8
    place(10, 11, kCat, 1);  // front-right of heading 8
    place(10, 10, kLizard2, 8);
    actAs(10, 10);
    model.walk();
    EXPECT_EQ(at(11, 10).kind, kLizard2);  // front-left of heading 8
    EXPECT_EQ(at(11, 10).direction, 1);
}

TEST_F(Walking, ACatWalksLikeALizardAndStaysHungry) {
    CellState& cat = place(10, 10, kCat, 7);
    cat.preyIsKind2 = 1;
    at(10, 11).preyIsKind2 = 0;
    at(10, 11).lookSlots = {1, 1, 1, 1, 1, 1, 1, 1};
    actAs(10, 10);
    model.walk();
    EXPECT_EQ(at(10, 11).kind, kCat);
    EXPECT_EQ(at(10, 11).eating, 0);
    EXPECT_EQ(at(10, 11).preyIsKind2, 0);  // neither square's prey species moves
    EXPECT_EQ(at(10, 11).lookSlots[0], 1);
    EXPECT_EQ(cat.preyIsKind2, 1);
}

TEST_F(Walking, WithEveryForwardSquareTakenNothingHappens) {
    place(11, 9, kCat, 1);
    placeEgg(11, 10, kLizard1);
    place(11, 11, kLizard2, 1);
    place(10, 10, kLizard1, 1);
    actAs(10, 10);
    const auto before = board;
    CapturedTrace trace(model);
    model.walk();
    EXPECT_EQ(trace.text(), "");
    for (std::size_t i = 0; i < board.size(); ++i) {
        EXPECT_TRUE(sameRecord(board[i], before[i]));
    }
}

// ---- Hunting

class Hunting : public Terrarium, public ::testing::Test {};

TEST_F(Hunting, TheCatTakesTheFrontLizardFirst) {
    place(11, 10, kLizard1, 4);
    place(11, 9, kLizard2, 4);
    CellState& cat = place(10, 10, kCat, 1, 0);
    actAs(10, 10);
    CapturedTrace trace(model);
    model.hunt();
    EXPECT_EQ(trace.text(), "comida en la casilla de enfrente e intentare comer\n");
    const CellState& meal = at(11, 10);
    EXPECT_EQ(meal.kind, kCat);
    EXPECT_EQ(meal.eating, 1);
    EXPECT_EQ(meal.eatTurns, 0);
    EXPECT_EQ(meal.preyIsKind2, 0);
    EXPECT_EQ(meal.direction, 1);
    EXPECT_EQ(meal.phase, 1);
    EXPECT_EQ(meal.processed, 1);
    EXPECT_EQ(cat.kind, kEmpty);
    EXPECT_EQ(cat.phase, 1);
    EXPECT_EQ(cat.processed, 1);
    EXPECT_EQ(at(11, 9).kind, kLizard2);
}

TEST_F(Hunting, ADiagonalCatchKeepsTheHeadingAndRemembersTheSpecies) {
    place(11, 10, kCat, 1);
    place(11, 11, kLizard2, 4);
    place(11, 9, kLizard1, 4);  // a kind-1 lizard front-left: the square order decides
    place(10, 10, kCat, 1, 1);
    actAs(10, 10);
    CapturedTrace trace(model);
    model.hunt();
    EXPECT_EQ(trace.text(), "comida en la casilla de enfrenteDerecha e intentare comer\n");
    EXPECT_EQ(at(11, 11).kind, kCat);
    EXPECT_EQ(at(11, 11).direction, 1);
    EXPECT_EQ(at(11, 11).eating, 1);
    EXPECT_EQ(at(11, 11).preyIsKind2, 1);
    EXPECT_EQ(at(11, 11).phase, 0);
}

TEST_F(Hunting, AnEggIsEatenAndTheSquareTakesTheCatsOwnFields) {
    placeEgg(11, 9, kLizard1, 3);
    at(11, 9).preyIsKind2 = 1;
    place(10, 10, kCat, 1);
    actAs(10, 10);
    model.hunt();
    const CellState& meal = at(11, 9);
    EXPECT_EQ(meal.kind, kCat);
    EXPECT_EQ(meal.juvenile, 0);
    EXPECT_EQ(meal.age, 0);
    EXPECT_EQ(meal.preyIsKind2, 0);
}

TEST_F(Hunting, WithNoLizardAheadNothingHappens) {
    place(11, 10, kCat, 1);
    place(10, 10, kCat, 1);
    actAs(10, 10);
    const auto before = board;
    CapturedTrace trace(model);
    model.hunt();
    EXPECT_EQ(trace.text(), "");
    for (std::size_t i = 0; i < board.size(); ++i) {
        EXPECT_TRUE(sameRecord(board[i], before[i]));
    }
}

}  // namespace
