#pragma once

#include <cstdint>

#include "model/board.h"
#include "model/model.h"

// A model on the real torus over a cleared board, with helpers to place
// creatures by row and column and to act as one of them.
class Terrarium {
public:
    Terrarium();

    static int square(int row, int column) { return ((row % 20 + 20) % 20) * 20 + (column % 20 + 20) % 20; }
    static CellState& at(int row, int column) { return board[static_cast<std::size_t>(square(row, column))]; }

    // An adult, not mating, not processed creature.
    CellState& place(int row, int column, int kind, int heading, Flag phase = 1);
    CellState& placeEgg(int row, int column, int kind, int age = 0);
    CellState& placeMating(int row, int column, int kind, int heading, int mateTurns = 0);
    CellState& placeEatingCat(int row, int column, int heading, int eatTurns = 0, Flag preyIsKind2 = 0);

    // Makes the square the acting one as the generation step would before
    // an action: processed set and look slots derived.
    CellState& actAs(int row, int column);

    Model model;
};
