// Mating: a lizard pairs with the first adult, non-mating lizard ahead of it
// and lays one egg into another forward square that is empty.

#include <array>
#include <string_view>

#include "behaviour/orientation.h"
#include "model/model.h"
#include "model/trace.h"

namespace {

// An egg square, and the whole line that tells the egg is laid there.
struct EggPlace {
    int slot;
    std::string_view message;
};

struct Pairing {
    int partnerSlot;
    std::string_view message;
    std::array<EggPlace, 2> eggPlaces;  // first choice, then second
};

constexpr EggPlace kEggFront{kFront, "la casilla de enfrente esta vacia y pondre huevo me apareare\n"};
constexpr EggPlace kEggFrontRight{kFrontRight, "la casilla de .frenteDerecha esta vacia y pondre huevo me apareare\n"};
constexpr EggPlace kEggFrontLeft{kFrontLeft, "la casilla de .frenteIzquierda esta vacia y pondre huevo me apareare\n"};

constexpr std::array<Pairing, 3> kPairings{{
    {kFront, "me apareo con la de enfrente\n", {kEggFrontRight, kEggFrontLeft}},
    {kFrontRight, "me apareo con la de enfrenteDerecha\n", {kEggFront, kEggFrontLeft}},
    {kFrontLeft, "me apareo con la de enfrenteIzquierda\n", {kEggFront, kEggFrontRight}},
}};

// The egg line with no partner or no egg square to name.
constexpr std::string_view kNoEgg = " me apareare\n";

bool isEligiblePartner(const CellState& cell) {
    return isLizard(cell.kind) && cell.juvenile == 0 && cell.mating == 0;
}

}  // namespace

void Model::mateAndLayEgg() {
    CellState& self = acting();
    if (!seesEmpty()) {
        trace_.line("no veo casillas vacias\n");
        note(TurnRecord::Choice::kTurnAtRandom);
        turnAtRandom();
        return;
    }
    trace_.line("se tiene un espacio vacio\n");
    std::string_view eggLine = kNoEgg;
    for (const Pairing& pairing : kPairings) {
        CellState& partner = lookAt(pairing.partnerSlot);
        if (!isEligiblePartner(partner)) {
            continue;
        }
        trace_.line(pairing.message);
        for (const EggPlace& place : pairing.eggPlaces) {
            CellState& egg = lookAt(place.slot);
            if (egg.kind != kEmpty) {
                continue;
            }
            eggLine = place.message;
            noteEgg(pairing.partnerSlot, place.slot);
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
    trace_.line(eggLine);
}
