#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/board.h"
#include "model/model.h"

// What the inspector tells about one square, in words. Places are given as a
// person sees the board from the home view: rows from the top, columns from
// the left, both from 1. A board row runs down the screen as a column.
struct ScreenPlace {
    int row;
    int column;
};
[[nodiscard]] ScreenPlace screenPlaceOf(int square);
[[nodiscard]] int squareAt(ScreenPlace place);

struct SquareReport {
    std::string place;     // "Row 3, column 7"
    std::string occupant;  // "A brown lizard, mating"
    std::string heading;   // "↗ north-east", or empty for an empty square or an egg
    std::string timer;     // "Mating: 1 of 3 visits", or empty
    std::string sight;     // what is in its three forward squares, or why it does not look
    std::string turnTitle; // where the turn below began and ended, or that there was none
    std::string turnLines; // the trace lines of that turn
};

// `turn` is the model's latest watched turn for this square, or none when no
// generation has run since the square was picked or the board changed.
[[nodiscard]] SquareReport reportSquare(const std::array<CellState, kSquareCount>& squares, int square,
                                        const std::optional<Model::WatchedTurn>& turn);

// The report as plain text, a line for each part that has something to say.
[[nodiscard]] std::string plainText(const SquareReport& report);
