#include <array>

#include <gtest/gtest.h>

#include "behaviour/orientation.h"
#include "support/terrarium.h"

namespace {

// (row step, column step) of the square ahead for headings 1..8, and its
// number in the lattice's neighbour order.
constexpr std::array<std::array<int, 2>, 8> kAhead{{{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}}};
constexpr std::array<int, 8> kNeighbourAhead{4, 1, 7, 3, 5, 2, 6, 0};

TEST(Orientation, HeadingsOneAndEightGiveTheirRows) {
    CellState cell{};
    cell.direction = 1;
    EXPECT_EQ(deriveLookSlots(cell).lookSlots, (LookSlots{4, 0, 1, 6, 7, 5, 2, 3}));
    cell.direction = 8;
    EXPECT_EQ(deriveLookSlots(cell).lookSlots, (LookSlots{0, 6, 4, 2, 1, 3, 5, 7}));
}

TEST(Orientation, EveryLookSlotIsTheSquareAheadOfATurnedHeading) {
    // front, front-right, front-left, right, left, back, back-right, back-left
    constexpr std::array<int, 8> turns{0, -1, +1, -2, +2, +4, +5, +3};
    for (int h = 1; h <= 8; ++h) {
        for (std::size_t k = 0; k < 8; ++k) {
            const int expected = kNeighbourAhead[static_cast<std::size_t>(turned(h, turns[k]) - 1)];
            EXPECT_EQ(kOrientationTable[static_cast<std::size_t>(h - 1)][k], expected) << "heading " << h << " slot " << k;
        }
        // The cyclic relations between neighbouring headings.
        const auto& row = kOrientationTable[static_cast<std::size_t>(h - 1)];
        EXPECT_EQ(row[kFrontRight], kOrientationTable[static_cast<std::size_t>(turned(h, -1) - 1)][kFront]);
        EXPECT_EQ(row[kFrontLeft], kOrientationTable[static_cast<std::size_t>(turned(h, +1) - 1)][kFront]);
        EXPECT_EQ(row[kBack], kOrientationTable[static_cast<std::size_t>(turned(h, +4) - 1)][kFront]);
    }
}

TEST(Orientation, AHeadingOutsideOneToEightLooksLikeHeadingEight) {
    for (int heading : {0, 9, -3}) {
        CellState cell{};
        cell.direction = static_cast<std::int8_t>(heading);
        EXPECT_EQ(deriveLookSlots(cell).lookSlots, kOrientationTable[7]) << heading;
        EXPECT_EQ(cell.direction, heading);
    }
}

class Sight : public Terrarium, public ::testing::Test {};

TEST_F(Sight, EachHeadingLooksOneStepAheadAcrossEveryEdge) {
    for (int h = 1; h <= 8; ++h) {
        for (const auto& [row, column] : {std::array{0, 0}, std::array{19, 19}, std::array{0, 19}, std::array{7, 11}}) {
            place(row, column, kLizard1, h);
            actAs(row, column);
            const auto& step = kAhead[static_cast<std::size_t>(h - 1)];
            EXPECT_EQ(&model.lookAt(kFront), &at(row + step[0], column + step[1])) << "heading " << h;
        }
    }
}

TEST_F(Sight, TheCornerOfTheBoardSeesAcrossTheEdges) {
    place(19, 0, kLizard1, 1);
    actAs(19, 0);
    EXPECT_EQ(&model.lookAt(kFront), &at(0, 0));
    place(19, 0, kLizard1, 2);
    actAs(19, 0);
    EXPECT_EQ(&model.lookAt(kFront), &at(0, 19));
    place(19, 0, kLizard1, 5);
    actAs(19, 0);
    EXPECT_EQ(&model.lookAt(kBack), &at(0, 0));
}

TEST_F(Sight, ALizardDoesNotSeeACatBesideOrBehindIt) {
    place(10, 10, kLizard1, 1);  // front is row 11
    for (const auto& [r, c] : {std::array{9, 10}, std::array{10, 9}, std::array{10, 11}, std::array{9, 9}, std::array{9, 11}}) {
        place(r, c, kCat, 1);
    }
    actAs(10, 10);
    EXPECT_FALSE(model.seesCat());
    place(11, 11, kCat, 1);  // front-right of heading 1
    EXPECT_TRUE(model.seesCat());
}

TEST_F(Sight, HatchlingsAreFoodForCatsButNeitherMatesNorEmptyForLizards) {
    for (int c : {9, 10, 11}) {
        placeEgg(11, c, c == 10 ? kLizard2 : kLizard1);
    }
    place(10, 10, kLizard1, 1);
    actAs(10, 10);
    EXPECT_FALSE(model.seesCat());
    EXPECT_FALSE(model.seesMate());
    EXPECT_FALSE(model.seesEmpty());

    place(10, 10, kCat, 1);
    actAs(10, 10);
    EXPECT_TRUE(model.seesLizard());
}

TEST_F(Sight, ALizardOfTheOtherSpeciesIsAMateUnlessItIsMating) {
    place(10, 10, kLizard1, 1);
    place(11, 9, kLizard2, 3);  // front-left of heading 1 is (+1, -1)
    actAs(10, 10);
    EXPECT_TRUE(model.seesMate());
    EXPECT_TRUE(model.seesEmpty());

    at(11, 9).mating = 1;
    EXPECT_FALSE(model.seesMate());
    place(10, 10, kCat, 1);
    actAs(10, 10);
    EXPECT_TRUE(model.seesLizard());
}

TEST_F(Sight, OnlyAnEmptyKindCountsAsEmpty) {
    place(10, 10, kCat, 1);
    place(11, 10, kCat, 1);
    place(11, 11, kLizard1, 1);
    placeEgg(11, 9, kLizard2);
    actAs(10, 10);
    EXPECT_FALSE(model.seesEmpty());
    // Leftover fields of an emptied square do not make it occupied.
    CellState& left = at(11, 9);
    left.kind = kEmpty;
    EXPECT_TRUE(model.seesEmpty());
}

}  // namespace
