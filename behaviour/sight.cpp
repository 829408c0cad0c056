// What a creature sees: only its three forward squares count.

#include "behaviour/orientation.h"
#include "model/model.h"

CellState& deriveLookSlots(CellState& cell) {
    const bool valid = cell.direction >= 1 && cell.direction <= kHeadingCount;
    const auto row = static_cast<std::size_t>(valid ? cell.direction - 1 : kHeadingCount - 1);
    cell.lookSlots = kOrientationTable[row];
    return cell;
}

CellState& Model::lookAt(int slot) const {
    const std::size_t site = current;
    const auto neighbourSlot = static_cast<std::size_t>(lattice->cell(site).lookSlots[static_cast<std::size_t>(slot)]);
    return lattice->neighbour(lattice->firstNeighbour(site) + neighbourSlot);
}

namespace {

bool isLizard(const CellState& cell) { return cell.kind == kLizard1 || cell.kind == kLizard2; }

// Species is not compared: either kind pairs with either kind.
bool isMate(const CellState& cell) { return isLizard(cell) && cell.juvenile == 0 && cell.mating == 0; }

}  // namespace

bool Model::seesCat() const {
    return lookAt(kFront).kind == kCat || lookAt(kFrontRight).kind == kCat || lookAt(kFrontLeft).kind == kCat;
}

bool Model::seesEmpty() const {
    return lookAt(kFront).kind == kEmpty || lookAt(kFrontRight).kind == kEmpty || lookAt(kFrontLeft).kind == kEmpty;
}

bool Model::seesMate() const {
    return isMate(lookAt(kFront)) || isMate(lookAt(kFrontRight)) || isMate(lookAt(kFrontLeft));
}

// Hatchlings and mating lizards are food all the same.
bool Model::seesLizard() const {
    return isLizard(lookAt(kFront)) || isLizard(lookAt(kFrontRight)) || isLizard(lookAt(kFrontLeft));
}
