// Flight: a lizard that sees a cat ahead escapes backwards first, then
// sideways, and forwards only as a last resort.

#include <array>

#include "behaviour/orientation.h"
#include "behaviour/vacate.h"
#include "model/model.h"
#include "platform/random.h"

namespace {

struct Escape {
    int slot;
    int turn;  // the heading after the move, relative to the old one
};

// The two diagonal escapes behind are crossed: into back-right (which lies
// at h + 5) the lizard ends facing h + 3, into back-left (h + 3) facing h + 5.
constexpr std::array<Escape, 8> kEscapes{{
    {kBack, +4},
    {kBackRight, +3},
    {kBackLeft, +5},
    {kRight, -2},
    {kLeft, +2},
    {kFrontRight, -1},
    {kFrontLeft, +1},
    {kFront, 0},
}};

}  // namespace

void Model::flee() {
    CellState& source = acting();
    for (const Escape& escape : kEscapes) {
        CellState& destination = lookAt(escape.slot);
        if (destination.kind != kEmpty) {
            continue;
        }
        destination.direction = turned(source.direction, escape.turn);
        destination.phase = flipped(source.phase);
        destination.kind = source.kind;
        destination.juvenile = 0;
        destination.age = 0;
        destination.eating = 0;
        destination.eatTurns = 0;
        destination.mating = 0;
        destination.mateTurns = 0;
        destination.processed = 1;

        vacate(source);
        noteMove(escape.slot);
        return;
    }
    // Boxed in: it stays and turns at random.
    source.phase = flipped(source.phase);
    source.direction = static_cast<std::int8_t>(random_->heading());
}
