#include "support/terrarium.h"

#include "behaviour/orientation.h"

Terrarium::Terrarium() {
    model.setUpLattice();
    for (CellState& cell : board) {
        cell = CellState{};
    }
    clearBoard();
    runFlag = false;
    quitFlag = false;
}

CellState& Terrarium::place(int row, int column, int kind, int heading, Flag phase) {
    CellState& cell = at(row, column);
    cell.kind = static_cast<std::int8_t>(kind);
    cell.direction = static_cast<std::int8_t>(heading);
    cell.phase = phase;
    return cell;
}

CellState& Terrarium::placeEgg(int row, int column, int kind, int age) {
    CellState& cell = place(row, column, kind, 1);
    cell.juvenile = 1;
    cell.age = static_cast<std::int16_t>(age);
    return cell;
}

CellState& Terrarium::placeMating(int row, int column, int kind, int heading, int mateTurns) {
    CellState& cell = place(row, column, kind, heading);
    cell.mating = 1;
    cell.mateTurns = static_cast<std::int16_t>(mateTurns);
    return cell;
}

CellState& Terrarium::placeEatingCat(int row, int column, int heading, int eatTurns, Flag preyIsKind2) {
    CellState& cell = place(row, column, kCat, heading);
    cell.eating = 1;
    cell.eatTurns = static_cast<std::int16_t>(eatTurns);
    cell.preyIsKind2 = preyIsKind2;
    return cell;
}

CellState& Terrarium::actAs(int row, int column) {
    model.current = static_cast<std::uint32_t>(square(row, column));
    CellState& cell = at(row, column);
    cell.processed = 1;
    return deriveLookSlots(cell);
}
