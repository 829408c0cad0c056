// What a creature sees: only its three forward squares count.

#include "behaviour/orientation.h"
#include "model/model.h"

CellState& deriveLookSlots(CellState& cell) {
    const bool valid = cell.direction >= 1 && cell.direction <= kHeadingCount;
    const auto row = static_cast<std::size_t>(valid ? cell.direction - 1 : kHeadingCount - 1);
    cell.lookSlots = kOrientationTable[row];
    return cell;
}

namespace {

constexpr auto isCat = [](const CellState& cell) { return cell.kind == kCat; };

constexpr auto isEmpty = [](const CellState& cell) { return cell.kind == kEmpty; };

constexpr auto isLizardCell = [](const CellState& cell) { return isLizard(cell.kind); };

// Species is not compared: either kind pairs with either kind.
constexpr auto isMate = [](const CellState& cell) {
    return isLizard(cell.kind) & (cell.juvenile == 0) & (cell.mating == 0);
};

}  // namespace

// The tests have no side effects, so each reads all three forward squares
// and combines the answers without short cuts: on a busy board a branch per
// square is a guess that often fails, and a failed guess costs more than
// reading the other squares.
template <typename Test>
bool Model::seesAhead(Test matches) const {
    return matches(lookAt(kFront)) | matches(lookAt(kFrontRight)) | matches(lookAt(kFrontLeft));
}

bool Model::seesCat() const { return seesAhead(isCat); }

bool Model::seesEmpty() const { return seesAhead(isEmpty); }

bool Model::seesMate() const { return seesAhead(isMate); }

// Hatchlings and mating lizards are food all the same.
bool Model::seesLizard() const { return seesAhead(isLizardCell); }

// In the order the actions take them: front, front-right, front-left.
template <typename Test>
int Model::firstAhead(Test matches) const {
    for (const int slot : {kFront, kFrontRight, kFrontLeft}) {
        if (matches(lookAt(slot))) {
            return slot;
        }
    }
    return -1;
}

int Model::catAhead() const { return firstAhead(isCat); }

int Model::mateAhead() const { return firstAhead(isMate); }

int Model::lizardAhead() const { return firstAhead(isLizardCell); }
