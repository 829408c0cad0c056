#include "view/square_report.h"

#include <cstddef>

#include "behaviour/orientation.h"

namespace {

// The lattice's neighbours as (row step, column step), in its fixed order.
constexpr std::array<std::array<int, 2>, 8> kNeighbourSteps{{
    {+1, +1}, {+1, -1}, {-1, +1}, {-1, -1}, {+1, 0}, {-1, 0}, {0, +1}, {0, -1}}};

// Heading h points (h - 1) x 45 degrees counter-clockwise from the screen's
// right, as the home view shows the board.
constexpr std::array<const char*, 8> kCompass{
    "→ east", "↗ north-east", "↑ north", "↖ north-west", "← west", "↙ south-west", "↓ south", "↘ south-east"};

// Timers count visits; each ends on this visit.
constexpr int kEggVisits = 5;
constexpr int kMatingVisits = 3;
constexpr int kMealVisits = 3;

bool isLizard(const CellState& cell) { return cell.kind == kLizard1 || cell.kind == kLizard2; }

const char* speciesOf(const CellState& cell) { return cell.kind == kLizard1 ? "brown" : "green"; }

// Short names, for the squares a creature sees.
std::string shortName(const CellState& cell) {
    if (isLizard(cell)) {
        return std::string(speciesOf(cell)) + (cell.juvenile == 1 ? " egg" : " lizard");
    }
    switch (cell.kind) {
        case kEmpty:
            return "empty";
        case kCat:
            return cell.eating == 1 ? "eating cat" : "cat";
        default:
            return "unknown";
    }
}

std::string occupantOf(const CellState& cell) {
    if (isLizard(cell)) {
        if (cell.juvenile == 1) {
            return std::string("A ") + speciesOf(cell) + " egg";
        }
        return std::string("A ") + speciesOf(cell) + " lizard" + (cell.mating == 1 ? ", mating" : "");
    }
    switch (cell.kind) {
        case kEmpty:
            return "Nothing: an empty square";
        case kCat:
            if (cell.eating == 1) {
                return std::string("A cat eating a ") + (cell.preyIsKind2 == 1 ? "green" : "brown") + " lizard";
            }
            return "A cat";
        default:
            return "Something unknown (kind " + std::to_string(cell.kind) + ")";
    }
}

std::string visits(const char* what, int done, int of) {
    return std::string(what) + ": " + std::to_string(done) + " of " + std::to_string(of) + " visits";
}

std::string timerOf(const CellState& cell) {
    if (isLizard(cell) && cell.juvenile == 1) {
        return visits("Egg", cell.age, kEggVisits) + "; it hatches on the last";
    }
    if (isLizard(cell) && cell.mating == 1) {
        return visits("Mating", cell.mateTurns, kMatingVisits) + "; it ends on the last";
    }
    if (cell.kind == kCat && cell.eating == 1) {
        return visits("Meal", cell.eatTurns, kMealVisits) + "; it ends on the last";
    }
    return {};
}

int squareAhead(int square, std::int32_t heading, int lookSlot) {
    const auto row = static_cast<std::size_t>(heading >= 1 && heading <= kHeadingCount ? heading - 1 : kHeadingCount - 1);
    const auto& step = kNeighbourSteps[static_cast<std::size_t>(
        kOrientationTable[row][static_cast<std::size_t>(lookSlot)])];
    const int boardRow = (square / kBoardSide + step[0] + kBoardSide) % kBoardSide;
    const int boardColumn = (square % kBoardSide + step[1] + kBoardSide) % kBoardSide;
    return boardRow * kBoardSide + boardColumn;
}

std::string sightOf(const std::array<CellState, kSquareCount>& squares, int square) {
    const CellState& cell = squares[static_cast<std::size_t>(square)];
    if (cell.kind == kEmpty || !(isLizard(cell) || cell.kind == kCat)) {
        return {};
    }
    if (cell.juvenile == 1) {
        return "An egg does not look around.";
    }
    if (cell.mating == 1) {
        return "While mating it does not look around.";
    }
    if (cell.eating == 1) {
        return "While eating it does not look around.";
    }
    const auto seen = [&](int lookSlot) {
        return shortName(squares[static_cast<std::size_t>(squareAhead(square, cell.direction, lookSlot))]);
    };
    return "Ahead: " + seen(kFront) + "; front-right: " + seen(kFrontRight) + "; front-left: " + seen(kFrontLeft);
}

std::string placeText(int square) {
    const ScreenPlace place = screenPlaceOf(square);
    return "row " + std::to_string(place.row) + ", column " + std::to_string(place.column);
}

}  // namespace

ScreenPlace screenPlaceOf(int square) { return {square % kBoardSide + 1, square / kBoardSide + 1}; }

int squareAt(ScreenPlace place) { return (place.column - 1) * kBoardSide + (place.row - 1); }

SquareReport reportSquare(const std::array<CellState, kSquareCount>& squares, int square,
                          const std::optional<Model::WatchedTurn>& turn) {
    const CellState& cell = squares[static_cast<std::size_t>(square)];
    SquareReport report;
    std::string place = placeText(square);
    place[0] = 'R';
    report.place = place;
    report.occupant = occupantOf(cell);
    const bool showsHeading = cell.kind == kCat || (isLizard(cell) && cell.juvenile != 1);
    if (showsHeading) {
        const bool valid = cell.direction >= 1 && cell.direction <= kHeadingCount;
        report.heading = std::string("Heading: ") + kCompass[static_cast<std::size_t>(valid ? cell.direction - 1 : 7)];
    }
    report.timer = timerOf(cell);
    report.sight = sightOf(squares, square);
    if (!turn || turn->square != square) {
        report.turnTitle = "No generation has run since this square was picked or the board changed.";
    } else if (turn->from < 0) {
        report.turnTitle = "No creature acted here in the last generation.";
    } else if (turn->to == square && turn->from == square) {
        report.turnTitle = "Its last turn:";
    } else if (turn->to == square) {
        report.turnTitle = "Its last turn, which brought it here from " + placeText(turn->from) + ":";
    } else if (turn->to >= 0) {
        report.turnTitle = "The creature that was here left for " + placeText(turn->to) + " in its last turn:";
    } else {
        report.turnTitle = "The creature that was here left in its last turn:";
    }
    if (turn && turn->square == square) {
        report.turnLines = turn->lines;
    }
    return report;
}

std::string plainText(const SquareReport& report) {
    std::string text;
    for (const std::string* part : {&report.place, &report.occupant, &report.heading, &report.timer, &report.sight,
                                    &report.turnTitle, &report.turnLines}) {
        if (!part->empty()) {
            text += *part;
            if (text.back() != '\n') {
                text += '\n';
            }
        }
    }
    return text;
}
