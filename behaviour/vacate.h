#pragma once

#include "model/board.h"

// Empties the square a creature has just left, and marks it processed. Its
// heading, phase, prey species and look slots stay as they were.
inline void vacate(CellState& square) {
    square.kind = kEmpty;
    square.processed = 1;
    square.mating = 0;
    square.mateTurns = 0;
    square.juvenile = 0;
    square.age = 0;
    square.eating = 0;
    square.eatTurns = 0;
}
