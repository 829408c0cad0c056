// The inspector's words for a square agree with what the model sees.

#include <string>

#include <gtest/gtest.h>

#include "behaviour/orientation.h"
#include "support/terrarium.h"
#include "view/square_report.h"

namespace {

class SquareReportTest : public Terrarium, public ::testing::Test {};

TEST_F(SquareReportTest, NamesTheThreeSquaresTheModelLooksAtForEveryHeading) {
    for (int heading = 1; heading <= kHeadingCount; ++heading) {
        clearBoard();
        place(5, 5, kCat, heading);
        actAs(5, 5);
        const auto squareIn = [&](int slot) { return &model.lookAt(slot) - board.data(); };
        const auto front = squareIn(kFront);
        const auto frontRight = squareIn(kFrontRight);
        const auto frontLeft = squareIn(kFrontLeft);
        placeOccupant(board[static_cast<std::size_t>(front)], Occupant::kBrownEgg);
        placeOccupant(board[static_cast<std::size_t>(frontRight)], Occupant::kGreenEgg);
        placeOccupant(board[static_cast<std::size_t>(frontLeft)], Occupant::kBrownLizard);
        const SquareReport report = reportSquare(board, square(5, 5), model.rules, std::nullopt);
        EXPECT_EQ(report.sight, "Ahead: brown egg; front-right: green egg; front-left: brown lizard")
            << "heading " << heading;
    }
}

TEST_F(SquareReportTest, PlacesAreTheHomeViewsAndTimersCountVisits) {
    for (int s = 0; s < static_cast<int>(Rules{}.squareCount()); ++s) {
        ASSERT_EQ(squareAt(screenPlaceOf(s, model.rules), model.rules), s);
    }
    // Board rows run to the right on screen, board columns down.
    EXPECT_EQ(reportSquare(board, square(3, 7), model.rules, std::nullopt).place, "Row 8, column 4");

    clearBoard();
    placeEgg(3, 7, kLizard2, 2);
    const SquareReport egg = reportSquare(board, square(3, 7), model.rules, std::nullopt);
    EXPECT_EQ(egg.occupant, "A green egg");
    EXPECT_EQ(egg.timer, "Egg: 2 of 5 visits; it hatches on the last");
    EXPECT_TRUE(egg.heading.empty());
    placeEatingCat(3, 7, 3, 1, 1);
    const SquareReport cat = reportSquare(board, square(3, 7), model.rules, std::nullopt);
    EXPECT_EQ(cat.occupant, "A cat eating a green lizard");
    EXPECT_EQ(cat.heading, "Heading: ↑ north");
    EXPECT_EQ(cat.timer, "Meal: 1 of 3 visits; it ends on the last");
}

// A board of 3 rows and 5 columns shows 5 rows of 3 squares; the squares a
// creature sees from any square wrap as the model's do, and timers count
// the rules' visits.
TEST(SquareReportOnAnyBoard, NamesPlacesAndSquaresAheadAsTheModelSeesThem) {
    Rules rules;
    rules.width = 3;
    rules.height = 5;
    rules.hatch = 2;
    Board squares(rules.width, rules.height);
    Model model;
    model.rules = rules;
    model.setUpLattice(squares);
    EXPECT_EQ(placeName(static_cast<int>(squares.indexOf(2, 4)), rules).toStdString(), "row 5, column 3");
    for (int square = 0; square < static_cast<int>(squares.size()); ++square) {
        ASSERT_EQ(squareAt(screenPlaceOf(square, rules), rules), square);
        for (int heading = 1; heading <= kHeadingCount; ++heading) {
            CellState& cell = squares[static_cast<std::size_t>(square)];
            cell.direction = static_cast<std::int8_t>(heading);
            deriveLookSlots(cell);
            model.current = static_cast<std::uint32_t>(square);
            for (const int slot : {kFront, kFrontRight, kFrontLeft}) {
                EXPECT_EQ(&model.lookAt(slot) - squares.data(), squareAheadOf(square, heading, slot, rules))
                    << "square " << square << ", heading " << heading << ", slot " << slot;
            }
        }
    }
    clearBoard(squares);
    placeOccupant(squares[squares.indexOf(1, 3)], Occupant::kBrownEgg);
    const SquareReport egg = reportSquare(squares, static_cast<int>(squares.indexOf(1, 3)), rules, std::nullopt);
    EXPECT_EQ(egg.place, "Row 4, column 2");
    EXPECT_EQ(egg.timer, "Egg: 0 of 2 visits; it hatches on the last");
}

}  // namespace
