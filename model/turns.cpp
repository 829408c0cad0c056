// The creatures' turns: the order in which a lizard or a cat weighs what it
// sees, its timers, and the console trace of every decision, noted in the
// record of a watched turn where its line is printed.

#include "behaviour/orientation.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

using Choice = TurnRecord::Choice;

// The timers count visits from 0. By the standard rules a hatchling is
// visited five times, ages 0 to 3, and hatches on the fifth; a mating and a
// meal end on the third visit after they began.
int lastHatchlingAge(const Rules& rules) { return rules.hatch - 2; }
int lastMateTurn(const Rules& rules) { return rules.mating - 2; }
int lastEatTurn(const Rules& rules) { return rules.meal - 1; }

}  // namespace

void Model::turnAtRandom() {
    CellState& self = acting();
    self.direction = static_cast<std::int8_t>(random_->heading());
    self.phase = flipped(self.phase);
}

// The fallback of both turns when nothing more pressing is in sight.
void Model::walkOrTurnAtRandom() {
    const trace::Lines say(trace_);
    if (seesEmpty()) {
        say("encontre una casilla vacia asi que caminare\n");
        note(Choice::kWalk);
        walk();
    } else {
        say("no veo casillas vacias\n");
        note(Choice::kTurnAtRandom);
        turnAtRandom();
    }
}

void Model::lizardTurn() {
    const trace::Lines say(trace_);
    CellState& self = acting();
    say("--------casilla con lagartija----------\n");
    self.processed = 1;

    if (self.juvenile != 0) {
        say("soy juvenil\n");
        if (self.age > lastHatchlingAge(rules)) {
            self.juvenile = 0;
            self.age = 0;
            self.phase = random_->coin();
            self.direction = static_cast<std::int8_t>(random_->heading());
            note(Choice::kHatch);
        } else {
            trace_.print("todavia estoy chico edad = %d\n", self.age);
            ++self.age;
            noteTimer(Choice::kGrow, self.age);
        }
        say("--------fin casilla con lagartija----------\n");
        return;
    }

    say("-no eres juvenil-\n");
    if (self.mating == 1) {
        say("bicho apareandose\n");
        if (self.mateTurns > lastMateTurn(rules)) {
            self.mating = 0;
            self.mateTurns = 0;
            self.phase = flipped(self.phase);
            self.direction = static_cast<std::int8_t>(random_->heading());
            note(Choice::kEndMating);
        } else {
            ++self.mateTurns;
            noteTimer(Choice::kGoOnMating, self.mateTurns);
        }
    } else {
        say("-bicho no apareandose-\n");
        deriveLookSlots(self);
        if (seesCat()) {
            say("se encontro un gato devo de huir\n");
            noteSeen(Choice::kFlee, [this] { return catAhead(); });
            flee();
        } else {
            say("--no veo gato--\n");
            if (seesMate()) {
                say("-vi una lagartija amiga no juvenil y no apareandose-\n");
                noteSeen(Choice::kMateAndLayEgg, [this] { return mateAhead(); });
                mateAndLayEgg();
                say("-fin vi una lagartija amiga no juvenil y no apareandose-\n");
            } else {
                say("no veo a nadie amigo\n");
                walkOrTurnAtRandom();
            }
            say("--fin no veo gato--\n");
        }
        say("-fin bicho no apareandose-\n");
    }
    say("-fin no eres juvenil-\n");
    say("--------fin casilla con lagartija----------\n");
}

void Model::catTurn() {
    const trace::Lines say(trace_);
    CellState& self = acting();
    say("--------casilla con gato----------\n");
    self.processed = 1;

    if (self.eating != 0) {
        say("-gato comiendo-\n");
        if (self.eatTurns < lastEatTurn(rules)) {
            ++self.eatTurns;
            noteTimer(Choice::kGoOnEating, self.eatTurns);
        } else {
            self.eating = 0;
            self.eatTurns = 0;
            self.phase = random_->coin();
            self.direction = static_cast<std::int8_t>(random_->heading());
            note(Choice::kEndMeal);
        }
        say("--------fin casilla con gato----------\n");
        return;
    }

    say("-gato sin comer-\n");
    deriveLookSlots(self);
    if (seesLizard()) {
        say("veo lagartija y tengo hambre\n");
        noteSeen(Choice::kHunt, [this] { return lizardAhead(); });
        hunt();
    } else {
        say("-no vi lagartija-\n");
        walkOrTurnAtRandom();
        say("-no vi lagartija-\n");
    }
    say("-gato sin comer-\n");
    say("--------fin casilla con gato----------\n");
}
