// The creatures' turns: the order in which a lizard or a cat weighs what it
// sees, its timers, and the console trace of every decision.

#include "behaviour/orientation.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

// A hatchling is visited five times: ages 0 to 3, then it hatches.
constexpr int kLastHatchlingAge = 3;
// A mating and a meal end on the third visit after they began.
constexpr int kLastMateTurn = 1;
constexpr int kLastEatTurn = 2;

}  // namespace

void Model::turnAtRandom() {
    CellState& self = acting();
    self.direction = platform::drawHeading();
    self.phase = flipped(self.phase);
}

// The fallback of both turns when nothing more pressing is in sight.
void Model::walkOrTurnAtRandom() {
    if (seesEmpty()) {
        trace::print("encontre una casilla vacia asi que caminare\n");
        walk();
    } else {
        trace::print("no veo casillas vacias\n");
        turnAtRandom();
    }
}

void Model::lizardTurn() {
    CellState& self = acting();
    trace::print("--------casilla con lagartija----------\n");
    self.processed = 1;

    if (self.juvenile != 0) {
        trace::print("soy juvenil\n");
        if (self.age > kLastHatchlingAge) {
            self.juvenile = 0;
            self.age = 0;
            self.phase = platform::drawCoin();
            self.direction = platform::drawHeading();
        } else {
            trace::print("todavia estoy chico edad = %d\n", self.age);
            ++self.age;
        }
        trace::print("--------fin casilla con lagartija----------\n");
        return;
    }

    trace::print("-no eres juvenil-\n");
    if (self.mating == 1) {
        trace::print("bicho apareandose\n");
        if (self.mateTurns > kLastMateTurn) {
            self.mating = 0;
            self.mateTurns = 0;
            self.phase = flipped(self.phase);
            self.direction = platform::drawHeading();
        } else {
            ++self.mateTurns;
        }
    } else {
        trace::print("-bicho no apareandose-\n");
        deriveLookSlots(self);
        if (seesCat()) {
            trace::print("se encontro un gato devo de huir\n");
            flee();
        } else {
            trace::print("--no veo gato--\n");
            if (seesMate()) {
                trace::print("-vi una lagartija amiga no juvenil y no apareandose-\n");
                mateAndLayEgg();
                trace::print("-fin vi una lagartija amiga no juvenil y no apareandose-\n");
            } else {
                trace::print("no veo a nadie amigo\n");
                walkOrTurnAtRandom();
            }
            trace::print("--fin no veo gato--\n");
        }
        trace::print("-fin bicho no apareandose-\n");
    }
    trace::print("-fin no eres juvenil-\n");
    trace::print("--------fin casilla con lagartija----------\n");
}

void Model::catTurn() {
    CellState& self = acting();
    trace::print("--------casilla con gato----------\n");
    self.processed = 1;

    if (self.eating != 0) {
        trace::print("-gato comiendo-\n");
        if (self.eatTurns < kLastEatTurn) {
            ++self.eatTurns;
        } else {
            self.eating = 0;
            self.eatTurns = 0;
            self.phase = platform::drawCoin();
            self.direction = platform::drawHeading();
        }
        trace::print("--------fin casilla con gato----------\n");
        return;
    }

    trace::print("-gato sin comer-\n");
    deriveLookSlots(self);
    if (seesLizard()) {
        trace::print("veo lagartija y tengo hambre\n");
        hunt();
    } else {
        trace::print("-no vi lagartija-\n");
        walkOrTurnAtRandom();
        trace::print("-no vi lagartija-\n");
    }
    trace::print("-gato sin comer-\n");
    trace::print("--------fin casilla con gato----------\n");
}
