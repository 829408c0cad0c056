// Hunting: a cat moves onto the first lizard ahead of it, egg or adult, and
// starts eating it.

#include <array>
#include <string_view>

#include "behaviour/orientation.h"
#include "behaviour/vacate.h"
#include "model/model.h"
#include "model/trace.h"

namespace {

struct Catch {
    int slot;
    std::string_view message;
};

constexpr std::array<Catch, 3> kCatches{{
    {kFront, "comida en la casilla de enfrente e intentare comer\n"},
    {kFrontRight, "comida en la casilla de enfrenteDerecha e intentare comer\n"},
    {kFrontLeft, "comida en la casilla de enfrenteIzquierda e intentare comer\n"},
}};

}  // namespace

void Model::hunt() {
    CellState& cat = acting();
    for (const Catch& option : kCatches) {
        CellState& prey = lookAt(option.slot);
        if (!isLizard(prey.kind)) {
            continue;
        }
        trace_.line(option.message);
        noteMove(option.slot);
        // The prey's species lives on only in the eating cat's picture.
        prey.preyIsKind2 = prey.kind != kLizard1 ? 1 : 0;
        prey.kind = cat.kind;
        prey.mating = cat.mating;
        prey.mateTurns = cat.mateTurns;
        prey.juvenile = cat.juvenile;
        prey.age = cat.age;
        prey.eating = 1;
        prey.eatTurns = cat.eatTurns;
        // Unlike a walk, a catch on a diagonal keeps the cat's heading.
        prey.direction = cat.direction;
        prey.processed = cat.processed;
        cat.phase = flipped(cat.phase);
        prey.phase = cat.phase;

        vacate(cat);
        return;
    }
}
