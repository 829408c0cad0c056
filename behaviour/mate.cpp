// Mating: a lizard pairs with the first adult, non-mating lizard ahead of it
// and lays one egg into another forward square that is empty.

#include <array>
#include <string_view>

#include "behaviour/orientation.h"
#include "model/model.h"
#include "model/trace.h"

namespace {

struct Pairing {
    int partnerSlot;
    std::string_view message;
    std::array<int, 2> eggSlots;  // first choice, then second
};

constexpr std::array<Pairing, 3> kPairings{{
    {kFront, "me apareo con la de enfrente\n", {kFrontRight, kFrontLeft}},
    {kFrontRight, "me apareo con la de enfrenteDerecha\n", {kFront, kFrontLeft}},
    {kFrontLeft, "me apareo con la de enfrenteIzquierda\n", {kFront, kFrontRight}},
}};

// These lines have no line feed of their own: " me apareare\n" completes
// them.
const char* eggMessage(int slot) {
    switch (slot) {
        case kFront:
            return "la casilla de enfrente esta vacia y pondre huevo";
        case kFrontRight:
            return "la casilla de .frenteDerecha esta vacia y pondre huevo";
        default:
            return "la casilla de .frenteIzquierda esta vacia y pondre huevo";
    }
}

bool isEligiblePartner(const CellState& cell) {
    return isLizard(cell.kind) && cell.juvenile == 0 && cell.mating == 0;
}

}  // namespace

void Model::mateAndLayEgg() {
    CellState& self = acting();
    if (!seesEmpty()) {
        trace_.line("no veo casillas vacias\n");
        turnAtRandom();
        return;
    }
    trace_.line("se tiene un espacio vacio\n");
    // The egg message and " me apareare" share one console line; written in
    // one call, no line from the view thread can land between them.
    const char* eggLine = "";
    for (const Pairing& pairing : kPairings) {
        CellState& partner = lookAt(pairing.partnerSlot);
        if (!isEligiblePartner(partner)) {
            continue;
        }
        trace_.line(pairing.message);
        for (int eggSlot : pairing.eggSlots) {
            CellState& egg = lookAt(eggSlot);
            if (egg.kind != kEmpty) {
                continue;
            }
            eggLine = eggMessage(eggSlot);
            self.mating = 1;
            partner.mating = 1;
            partner.processed = 1;
            // The egg is of the layer's species; it keeps the empty square's
            // heading and phase until it hatches.
            egg.kind = self.kind;
            egg.juvenile = 1;
            egg.age = 0;
            egg.processed = 1;
            egg.mating = 0;
            egg.mateTurns = 0;
            egg.eating = 0;
            egg.eatTurns = 0;
            break;
        }
        break;
    }
    trace_.print("%s me apareare\n", eggLine);
}
