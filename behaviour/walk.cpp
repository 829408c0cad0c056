// Walking: one step into the first empty forward square, turning to face
// the way the creature moved.

#include <array>
#include <string_view>

#include "behaviour/orientation.h"
#include "behaviour/vacate.h"
#include "model/model.h"
#include "model/trace.h"

namespace {

struct Step {
    int slot;
    std::string_view message;
    int turn;
};

constexpr std::array<Step, 3> kSteps{{
    {kFront, "la casilla de enfrente esta vacia\n", 0},
    {kFrontRight, "la casilla de frenteDerecha esta vacia \n", -1},
    {kFrontLeft, "la casilla de frenteIzquierda esta vacia \n", +1},
}};

}  // namespace

void Model::walk() {
    CellState& source = acting();
    for (const Step& step : kSteps) {
        CellState& destination = lookAt(step.slot);
        if (destination.kind != kEmpty) {
            continue;
        }
        trace_.line(step.message);
        noteMove(step.slot);
        destination.kind = source.kind;
        destination.mating = source.mating;
        destination.mateTurns = source.mateTurns;
        destination.juvenile = source.juvenile;
        destination.age = source.age;
        destination.eating = source.eating;
        destination.eatTurns = source.eatTurns;
        // The vacated square keeps the new heading and the flipped phase.
        source.direction = turned(source.direction, step.turn);
        destination.direction = source.direction;
        destination.processed = source.processed;
        source.phase = flipped(source.phase);
        destination.phase = source.phase;

        vacate(source);
        return;
    }
}
