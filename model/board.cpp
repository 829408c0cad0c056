#include "model/board.h"

#include <cstring>

#include "model/trace.h"
#include "platform/random.h"

Board board;

void clearBoard() { clearBoard(board); }

void clearBoard(Board& squares) {
    for (CellState& cell : squares) {
        cell.direction = 1;
        cell.phase = 1;
        cell.kind = kEmpty;
        cell.juvenile = 0;
        cell.age = 0;
        cell.eating = 0;
        cell.eatTurns = 0;
        cell.mating = 0;
    }
}

bool Board::sameAs(const Board& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           std::memcmp(cells_.data(), other.cells_.data(), cells_.size() * sizeof(CellState)) == 0;
}

int kindForPercent(int percent) { return Rules{}.kindForPercent(percent); }

void fillBoard() { fillBoard(std::time(nullptr)); }

void fillBoard(std::time_t now) { fillBoard(board, now); }

void fillBoard(Board& squares, std::time_t now, const Rules& rules) {
    // The thread's generator looked up once: a large board draws millions
    // of values.
    trace::Writer console(trace::creatures());
    fillBoard(squares, now, rules, platform::threadGenerator(), console);
}

void fillBoard(Board& squares, std::time_t now, const Rules& rules, platform::Generator& generator,
               trace::Writer& lines) {
    generator.seed(static_cast<std::uint32_t>(now));
    for (CellState& cell : squares) {
        const int percent = static_cast<int>(generator.rand() / static_cast<double>(platform::kRandMax) * 100.0);
        lines.print("random = %d\n", percent);
        const int kind = rules.kindForPercent(percent);
        lines.print("especie = %d\n", kind);
        cell.kind = static_cast<std::int8_t>(kind);
        // Empty squares draw a heading and a phase too, so every square
        // consumes exactly three values and a seed fixes the whole board.
        cell.direction = static_cast<std::int8_t>(generator.heading());
        cell.phase = generator.coin();
        cell.juvenile = 0;
        cell.mating = 0;
        cell.age = 0;
        cell.eating = 0;
        cell.eatTurns = 0;
        cell.preyIsKind2 = 0;
        cell.processed = 0;
    }
}

void placeOccupant(CellState& cell, Occupant occupant) {
    switch (occupant) {
        case Occupant::kNothing:
            cell.kind = kEmpty;
            break;
        case Occupant::kBrownLizard:
        case Occupant::kBrownEgg:
            cell.kind = kLizard1;
            break;
        case Occupant::kGreenLizard:
        case Occupant::kGreenEgg:
            cell.kind = kLizard2;
            break;
        case Occupant::kHungryCat:
            cell.kind = kCat;
            break;
    }
    cell.juvenile = occupant == Occupant::kBrownEgg || occupant == Occupant::kGreenEgg ? 1 : 0;
    cell.age = 0;
    cell.mating = 0;
    cell.mateTurns = 0;
    cell.eating = 0;
    cell.eatTurns = 0;
    cell.preyIsKind2 = 0;
    cell.processed = 0;
    if (cell.direction < 1 || cell.direction > 8) {
        cell.direction = 1;
    }
}
