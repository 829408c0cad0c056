// The inspector's words for a square agree with what the model sees.

#include <string>

#include <gtest/gtest.h>

#include "behaviour/orientation.h"
#include "support/captured_trace.h"
#include "support/terrarium.h"
#include "view/square_report.h"

namespace {

class SquareReportTest : public Terrarium, public ::testing::Test {
protected:
    // One generation on a seed, watching a square, following its creature
    // or not; the turn the model kept for it.
    Model::WatchedTurn watchedGeneration(int watched, std::uint32_t seed, bool following = false) {
        model.watch(watched, following);
        model.generator().seed(seed);
        model.computeGeneration();
        model.watch(-1);
        return model.watchedTurn().value_or(Model::WatchedTurn{});
    }
};

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

namespace {

// The lizard chosen as a mate takes no turn of its own while the pair lays
// its egg, nor looks around while the mating lasts: the inspector says who
// chose it, from that generation until its mating ends, and the trace is
// the same whether it is watched or not.
TEST_F(SquareReportTest, ALizardMatedWithIsToldByWhomForAsLongAsItsMatingCounts) {
    place(10, 10, kLizard1, 1);  // chooses the green lizard ahead of it
    place(11, 10, kLizard2, 1);  // boxed in by eggs
    placeEgg(12, 10, kLizard1);
    placeEgg(12, 11, kLizard1);
    placeEgg(12, 9, kLizard1);
    const Board start = board;
    std::string unwatched;
    {
        CapturedTrace trace(model);
        model.generator().seed(2026);
        model.computeGeneration();
        unwatched = trace.text();
    }
    const Board after = board;
    board = start;
    const int partner = square(11, 10);
    Remembered remembered;
    for (std::int64_t generation = 1; generation <= model.rules.mating + 1; ++generation) {
        CapturedTrace trace(model);
        const Model::WatchedTurn turn = watchedGeneration(partner, generation == 1 ? 2026 : 7);
        if (generation == 1) {
            EXPECT_EQ(trace.text(), unwatched);
            EXPECT_TRUE(board.sameAs(after));
        }
        remembered.generation = generation;
        if (const auto begun = matingBegun(turn, partner, generation)) {
            remembered.mating = begun;
        }
        const SquareReport report = reportSquare(board, partner, model.rules, turn, remembered);
        if (generation == 1) {
            EXPECT_EQ(report.turnTitle, "Chosen as a mate in the last generation:");
            EXPECT_EQ(report.turnStory,
                      "Mated with by a brown lizard at row 11, column 11, which laid an egg at row 12, column 12.");
            EXPECT_NE(report.turnLines.find("me apareo con la de enfrente\n"), std::string::npos);
        } else if (generation <= model.rules.mating) {
            EXPECT_EQ(report.turnStory, "Mating, visit " + std::to_string(generation - 1) + " of 3.");
        }
        if (generation <= model.rules.mating) {
            EXPECT_EQ(report.occupant, "A green lizard, mating") << generation;
            EXPECT_EQ(report.mating, "Mated with in generation 1 by a brown lizard at row 11, column 11.")
                << generation;
        } else {
            EXPECT_EQ(report.occupant, "A green lizard");
            EXPECT_EQ(report.mating, "") << "told after the mating ended";
        }
    }
    // Going back to before the mating, the memory of it tells nothing.
    board = start;
    remembered.generation = 0;
    EXPECT_EQ(reportSquare(board, partner, model.rules, std::nullopt, remembered).mating, "");

    // The lizard that chose is told with whom it mates.
    const int layer = square(10, 10);
    const Model::WatchedTurn chose = watchedGeneration(layer, 2026);
    const auto begun = matingBegun(chose, layer, 1);
    ASSERT_TRUE(begun.has_value());
    EXPECT_FALSE(begun->chosen);
    watchedGeneration(layer, 7);
    EXPECT_EQ(reportSquare(board, layer, model.rules, std::nullopt, {2, std::nullopt, begun, std::nullopt}).mating,
              "Mating since generation 1 with a green lizard at row 11, column 12.");
}

// A lizard that walks one square and is then caught there by a cat that was
// two squares from where it began; or, the cat first, that flees the cat
// come in front of it. Over many seeds, both; each told where the lizard
// is, and the catch by the cat's place.
TEST_F(SquareReportTest, AFollowedCreatureIsFollowedWhereverItGoesAndToldWhenACatCatchesIt) {
    int caught = 0;
    int alive = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        clearBoard();
        place(4, 3, kLizard1, 7);  // faces (4, 4), empty
        place(4, 5, kCat, 3);      // faces (4, 4) too
        const Board start = board;
        std::string unwatched;
        {
            CapturedTrace trace(model);
            model.generator().seed(seed);
            model.computeGeneration();
            unwatched = trace.text();
        }
        board = start;
        CapturedTrace trace(model);
        const Model::WatchedTurn turn = watchedGeneration(square(4, 3), seed, true);
        EXPECT_EQ(trace.text(), unwatched) << seed;
        const FollowStep step = followCreature(turn, 12);
        int lizard = -1;
        for (std::size_t s = 0; s < board.size(); ++s) {
            if (board[s].kind == kLizard1) {
                lizard = static_cast<int>(s);
            }
        }
        if (lizard >= 0) {
            ++alive;
            EXPECT_EQ(step.square, lizard) << seed;
            EXPECT_FALSE(step.fate.has_value()) << seed;
            // The turn kept is the lizard's own, wherever it went.
            EXPECT_EQ(turn.from, square(4, 3)) << seed;
            EXPECT_EQ(turn.to, lizard) << seed;
        } else {
            ++caught;
            ASSERT_TRUE(step.fate.has_value()) << seed;
            EXPECT_EQ(step.square, square(4, 4)) << seed;
            EXPECT_EQ(at(4, 4).kind, kCat);
            EXPECT_EQ(step.fate->cat, square(4, 5));
            Remembered remembered;
            remembered.generation = 12;
            remembered.fate = step.fate;
            EXPECT_EQ(reportSquare(board, step.square, model.rules, std::nullopt, remembered).fate,
                      "Followed a brown lizard until a cat from row 6, column 5 caught it here in generation 12; "
                      "no longer following.");
        }
    }
    EXPECT_GT(caught, 0);
    EXPECT_GT(alive, 0);
}

// An egg followed hatches where it lies, and is followed on as the lizard
// it became; an empty square followed stays where it is.
TEST_F(SquareReportTest, AFollowedEggIsToldToHatchAndAnEmptySquareStays) {
    placeEgg(8, 8, kLizard2, model.rules.hatch - 1);
    const FollowStep hatched = followCreature(watchedGeneration(square(8, 8), 3, true), 40);
    EXPECT_EQ(hatched.square, square(8, 8));
    ASSERT_TRUE(hatched.fate.has_value());
    EXPECT_EQ(at(8, 8).juvenile, 0);
    Remembered remembered;
    remembered.generation = 40;
    remembered.fate = hatched.fate;
    EXPECT_EQ(reportSquare(board, square(8, 8), model.rules, std::nullopt, remembered).fate,
              "Followed a green egg, which hatched here in generation 40.");
    const FollowStep empty = followCreature(watchedGeneration(square(1, 1), 3, true), 41);
    EXPECT_EQ(empty.square, square(1, 1));
    EXPECT_FALSE(empty.fate.has_value());
}

}  // namespace
