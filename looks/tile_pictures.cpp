// Which tile picture a square shows, and what it looks like on a map.
#include "looks/tile_pictures.h"

namespace {

// The byte fields count as set only when they hold exactly 1.
[[nodiscard]] bool isSet(Flag flag) { return flag == 1; }

// A heading outside 1..8 shows the run's last picture, the one of heading 8.
[[nodiscard]] int inRun(int runStart, int heading) {
    const bool valid = heading >= 1 && heading <= kHeadingsPerRun;
    return runStart + (valid ? heading - 1 : kHeadingsPerRun - 1);
}

}  // namespace

std::optional<int> tilePictureOf(const CellState& cell) {
    const bool phaseOne = isSet(cell.phase);
    switch (cell.kind) {
        case kEmpty:
            return kEmptyPicture;
        case kLizard1:
            if (isSet(cell.juvenile)) {
                return kLizard1Egg;
            }
            return inRun(phaseOne ? kLizard1PhaseOneRun : kLizard1OtherPhaseRun, cell.direction);
        case kLizard2:
            if (isSet(cell.juvenile)) {
                return kLizard2Egg;
            }
            return inRun(phaseOne ? kLizard2PhaseOneRun : kLizard2OtherPhaseRun, cell.direction);
        case kCat:
            if (isSet(cell.eating)) {
                return isSet(cell.preyIsKind2) ? kCatEatingLizard2 : kCatEatingLizard1;
            }
            return inRun(phaseOne ? kCatPhaseOneRun : kCatOtherPhaseRun, cell.direction);
        default:
            return std::nullopt;
    }
}

SquareLook squareLookOf(const CellState& cell) {
    switch (cell.kind) {
        case kLizard1:
            return isSet(cell.juvenile) ? SquareLook::kBrownEgg : SquareLook::kBrownLizard;
        case kLizard2:
            return isSet(cell.juvenile) ? SquareLook::kGreenEgg : SquareLook::kGreenLizard;
        case kCat:
            return SquareLook::kAnyCat;
        default:
            return SquareLook::kEmptySquare;
    }
}

SquareLook lookOfPicture(int picture) {
    if (picture == kLizard1Egg) {
        return SquareLook::kBrownEgg;
    }
    if (picture == kLizard2Egg) {
        return SquareLook::kGreenEgg;
    }
    if (picture >= kLizard1PhaseOneRun && picture < kLizard2Egg) {
        return SquareLook::kBrownLizard;
    }
    if (picture >= kLizard2PhaseOneRun && picture < kCatPhaseOneRun) {
        return SquareLook::kGreenLizard;
    }
    if (picture >= kCatPhaseOneRun && picture <= kCatEatingLizard2) {
        return SquareLook::kAnyCat;
    }
    return SquareLook::kEmptySquare;
}
