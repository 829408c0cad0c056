// Which tile picture a square shows, and what it looks like on a map: the
// same for the window and films.
#include <cstdint>

#include <gtest/gtest.h>

#include "looks/tile_pictures.h"

namespace {

CellState cellOf(int kind) {
    CellState cell{};
    cell.kind = static_cast<std::int8_t>(kind);
    cell.phase = 1;
    cell.direction = 1;
    return cell;
}

CellState adult(int kind, Flag phase, int heading) {
    CellState cell = cellOf(kind);
    cell.phase = phase;
    cell.direction = static_cast<std::int8_t>(heading);
    return cell;
}

// The runs of eight pictures, one per heading, and where each starts.
struct PictureRun {
    int kind;
    bool phaseOne;
    int start;
};
constexpr PictureRun kRuns[] = {
    {kLizard1, true, 2}, {kLizard1, false, 10}, {kLizard2, true, 19},
    {kLizard2, false, 27}, {kCat, true, 35},    {kCat, false, 43},
};

TEST(PictureRule, anEmptySquareShowsTheGroundWhateverElseItsRecordHolds) {
    CellState cell = cellOf(kEmpty);
    cell.juvenile = 1;
    cell.eating = 1;
    cell.preyIsKind2 = 1;
    cell.direction = 6;
    cell.phase = 0;
    EXPECT_EQ(tilePictureOf(cell), 0);
}

TEST(PictureRule, anAdultFacesEachOfTheEightHeadingsInItsSpeciesAndPhaseRun) {
    for (const PictureRun& run : kRuns) {
        for (int heading = 1; heading <= 8; ++heading) {
            const CellState cell = adult(run.kind, run.phaseOne ? 1 : 0, heading);
            EXPECT_EQ(tilePictureOf(cell), run.start + heading - 1)
                << "kind " << run.kind << " phase one " << run.phaseOne << " heading " << heading;
        }
    }
}

TEST(PictureRule, aPhaseOtherThanOneShowsTheSecondRun) {
    EXPECT_EQ(tilePictureOf(adult(kLizard1, 2, 1)), 10);
    EXPECT_EQ(tilePictureOf(adult(kLizard2, 2, 1)), 27);
    EXPECT_EQ(tilePictureOf(adult(kCat, 2, 1)), 43);
    EXPECT_EQ(tilePictureOf(adult(kCat, 255, 4)), 46);
}

TEST(PictureRule, aHeadingOutsideOneToEightShowsTheHeadingEightPicture) {
    for (const PictureRun& run : kRuns) {
        for (const int heading : {0, 9, -1, 100}) {
            const CellState cell = adult(run.kind, run.phaseOne ? 1 : 0, heading);
            EXPECT_EQ(tilePictureOf(cell), run.start + 7) << "kind " << run.kind << " heading " << heading;
        }
    }
}

TEST(PictureRule, aHatchlingShowsItsSpeciesEggWhateverItsPhaseAndHeading) {
    for (const Flag phase : {Flag{0}, Flag{1}, Flag{2}}) {
        for (const int heading : {0, 1, 5, 9}) {
            CellState lizard1 = adult(kLizard1, phase, heading);
            lizard1.juvenile = 1;
            CellState lizard2 = adult(kLizard2, phase, heading);
            lizard2.juvenile = 1;
            EXPECT_EQ(tilePictureOf(lizard1), 1);
            EXPECT_EQ(tilePictureOf(lizard2), 18);
        }
    }
}

TEST(PictureRule, anEatingCatShowsItsPreysSpeciesWhateverItsPhaseAndHeading) {
    for (const Flag phase : {Flag{0}, Flag{1}, Flag{2}}) {
        for (const int heading : {0, 3, 9}) {
            CellState cat = adult(kCat, phase, heading);
            cat.eating = 1;
            cat.preyIsKind2 = 0;
            EXPECT_EQ(tilePictureOf(cat), 51);
            cat.preyIsKind2 = 1;
            EXPECT_EQ(tilePictureOf(cat), 52);
        }
    }
}

TEST(PictureRule, aFlagCountsAsSetOnlyWhenItHoldsExactlyOne) {
    CellState lizard = adult(kLizard1, 1, 2);
    lizard.juvenile = 2;
    EXPECT_EQ(tilePictureOf(lizard), 3);

    CellState cat = adult(kCat, 1, 2);
    cat.eating = 2;
    EXPECT_EQ(tilePictureOf(cat), 36);
    cat.eating = 1;
    cat.preyIsKind2 = 2;
    EXPECT_EQ(tilePictureOf(cat), 51);
}

TEST(PictureRule, aCatsHatchlingByteIsNotLookedAt) {
    CellState cat = adult(kCat, 0, 5);
    cat.juvenile = 1;
    EXPECT_EQ(tilePictureOf(cat), 47);
}

TEST(PictureRule, aKindOutsideZeroToThreeHasNoPicture) {
    for (const int kind : {-1, 4, 7, 1000}) {
        EXPECT_FALSE(tilePictureOf(cellOf(kind)).has_value()) << "kind " << kind;
    }
}

// The window colours a map square by its picture, films by the square:
// both must name the same look.
TEST(SquareLooks, ofASquareAndOfThePictureItShowsAgree) {
    for (const int kind : {kEmpty, kLizard1, kLizard2, kCat}) {
        for (const Flag juvenile : {Flag{0}, Flag{1}}) {
            for (const Flag eating : {Flag{0}, Flag{1}}) {
                for (const Flag prey : {Flag{0}, Flag{1}}) {
                    for (const int heading : {1, 4, 8}) {
                        CellState cell = adult(kind, 1, heading);
                        cell.juvenile = juvenile;
                        cell.eating = eating;
                        cell.preyIsKind2 = prey;
                        EXPECT_EQ(lookOfPicture(*tilePictureOf(cell)), squareLookOf(cell))
                            << "kind " << kind << " juvenile " << int{juvenile} << " eating " << int{eating};
                    }
                }
            }
        }
    }
}

TEST(SquareLooks, tellEggsFromAdultsAndEveryCatAlike) {
    CellState egg = cellOf(kLizard2);
    egg.juvenile = 1;
    EXPECT_EQ(squareLookOf(egg), SquareLook::kGreenEgg);
    EXPECT_EQ(squareLookOf(adult(kLizard1, 0, 5)), SquareLook::kBrownLizard);
    CellState eating = cellOf(kCat);
    eating.eating = 1;
    eating.preyIsKind2 = 1;
    EXPECT_EQ(squareLookOf(eating), SquareLook::kAnyCat);
    EXPECT_EQ(squareLookOf(cellOf(kEmpty)), SquareLook::kEmptySquare);
    EXPECT_EQ(squareLookOf(cellOf(7)), SquareLook::kEmptySquare);
}

}  // namespace
