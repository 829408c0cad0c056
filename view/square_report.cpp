#include "view/square_report.h"

#include <cstddef>

#include <QCoreApplication>
#include <QString>

#include "behaviour/orientation.h"
#include "view/turn_story.h"

namespace {

// The lattice's neighbours as (row step, column step), in its fixed order.
constexpr std::array<std::array<int, 2>, 8> kNeighbourSteps{{
    {+1, +1}, {+1, -1}, {-1, +1}, {-1, -1}, {+1, 0}, {-1, 0}, {0, +1}, {0, -1}}};

// The inspector's words, in the user's language.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(SquareReport)
};

// Heading h points (h - 1) x 45 degrees counter-clockwise from the screen's
// right, as the home view shows the board.
constexpr std::array<const char*, 8> kCompass{
    QT_TRANSLATE_NOOP("SquareReport", "→ east"),  QT_TRANSLATE_NOOP("SquareReport", "↗ north-east"),
    QT_TRANSLATE_NOOP("SquareReport", "↑ north"), QT_TRANSLATE_NOOP("SquareReport", "↖ north-west"),
    QT_TRANSLATE_NOOP("SquareReport", "← west"),  QT_TRANSLATE_NOOP("SquareReport", "↙ south-west"),
    QT_TRANSLATE_NOOP("SquareReport", "↓ south"), QT_TRANSLATE_NOOP("SquareReport", "↘ south-east")};

bool isBrown(const CellState& cell) { return cell.kind == kLizard1; }

// Short names, for the squares a creature sees.
QString shortName(const CellState& cell) {
    if (isLizard(cell.kind)) {
        if (cell.juvenile == 1) {
            return isBrown(cell) ? Words::tr("brown egg") : Words::tr("green egg");
        }
        return isBrown(cell) ? Words::tr("brown lizard") : Words::tr("green lizard");
    }
    switch (cell.kind) {
        case kEmpty:
            return Words::tr("empty");
        case kCat:
            return cell.eating == 1 ? Words::tr("eating cat") : Words::tr("cat");
        default:
            return Words::tr("unknown");
    }
}

QString occupantOf(const CellState& cell) {
    if (isLizard(cell.kind)) {
        if (cell.juvenile == 1) {
            return isBrown(cell) ? Words::tr("A brown egg") : Words::tr("A green egg");
        }
        if (cell.mating == 1) {
            return isBrown(cell) ? Words::tr("A brown lizard, mating") : Words::tr("A green lizard, mating");
        }
        return isBrown(cell) ? Words::tr("A brown lizard") : Words::tr("A green lizard");
    }
    switch (cell.kind) {
        case kEmpty:
            return Words::tr("Nothing: an empty square");
        case kCat:
            if (cell.eating == 1) {
                return cell.preyIsKind2 == 1 ? Words::tr("A cat eating a green lizard")
                                             : Words::tr("A cat eating a brown lizard");
            }
            return Words::tr("A cat");
        default:
            return Words::tr("Something unknown (kind %1)").arg(cell.kind);
    }
}

// Timers count visits; each ends on the visit the rules give.
QString timerOf(const CellState& cell, const Rules& rules) {
    if (isLizard(cell.kind) && cell.juvenile == 1) {
        return Words::tr("Egg: %1 of %2 visits; it hatches on the last").arg(cell.age).arg(rules.hatch);
    }
    if (isLizard(cell.kind) && cell.mating == 1) {
        return Words::tr("Mating: %1 of %2 visits; it ends on the last").arg(cell.mateTurns).arg(rules.mating);
    }
    if (cell.kind == kCat && cell.eating == 1) {
        return Words::tr("Meal: %1 of %2 visits; it ends on the last").arg(cell.eatTurns).arg(rules.meal);
    }
    return {};
}

}  // namespace

int squareAheadOf(int square, std::int32_t heading, int lookSlot, const Rules& rules) {
    const auto row = static_cast<std::size_t>(heading >= 1 && heading <= kHeadingCount ? heading - 1 : kHeadingCount - 1);
    const auto& step = kNeighbourSteps[static_cast<std::size_t>(
        kOrientationTable[row][static_cast<std::size_t>(lookSlot)])];
    const int x = (square / rules.height + step[0] + rules.width) % rules.width;
    const int y = (square % rules.height + step[1] + rules.height) % rules.height;
    return x * rules.height + y;
}

namespace {

QString sightOf(const Board& squares, int square, const Rules& rules) {
    const CellState& cell = squares[static_cast<std::size_t>(square)];
    if (cell.kind == kEmpty || !(isLizard(cell.kind) || cell.kind == kCat)) {
        return {};
    }
    if (cell.juvenile == 1) {
        return Words::tr("An egg does not look around.");
    }
    if (cell.mating == 1) {
        return Words::tr("While mating it does not look around.");
    }
    if (cell.eating == 1) {
        return Words::tr("While eating it does not look around.");
    }
    const auto seen = [&](int lookSlot) {
        return shortName(squares[static_cast<std::size_t>(squareAheadOf(square, cell.direction, lookSlot, rules))]);
    };
    return Words::tr("Ahead: %1; front-right: %2; front-left: %3")
        .arg(seen(kFront), seen(kFrontRight), seen(kFrontLeft));
}

}  // namespace

ScreenPlace screenPlaceOf(int square, const Rules& rules) {
    return {square % rules.height + 1, square / rules.height + 1};
}

int squareAt(ScreenPlace place, const Rules& rules) { return (place.column - 1) * rules.height + (place.row - 1); }

QString placeName(int square, const Rules& rules) {
    const ScreenPlace place = screenPlaceOf(square, rules);
    return Words::tr("row %1, column %2").arg(place.row).arg(place.column);
}

SquareReport reportSquare(const Board& squares, int square, const Rules& given,
                          const std::optional<Model::WatchedTurn>& turn, const Remembered& remembered) {
    // Places as the board in hand lies, so that no square is looked for
    // beyond it.
    Rules rules = given;
    rules.width = squares.width();
    rules.height = squares.height();
    const CellState& cell = squares[static_cast<std::size_t>(square)];
    SquareReport report;
    const ScreenPlace place = screenPlaceOf(square, rules);
    report.place = Words::tr("Row %1, column %2").arg(place.row).arg(place.column).toStdString();
    report.occupant = occupantOf(cell).toStdString();
    const bool showsHeading = cell.kind == kCat || (isLizard(cell.kind) && cell.juvenile != 1);
    if (showsHeading) {
        const bool valid = cell.direction >= 1 && cell.direction <= kHeadingCount;
        const char* compass = kCompass[static_cast<std::size_t>(valid ? cell.direction - 1 : 7)];
        report.heading = Words::tr("Heading: %1").arg(Words::tr(compass)).toStdString();
    }
    report.timer = timerOf(cell, rules).toStdString();
    report.sight = sightOf(squares, square, rules).toStdString();
    if (!turn || turn->square != square) {
        report.turnTitle = Words::tr("No generation has run since this square was picked or the board changed.").toStdString();
    } else if (turn->record.choice == TurnRecord::Choice::kMatedWith) {
        report.turnTitle = Words::tr("Chosen as a mate in the last generation:").toStdString();
    } else if (turn->from < 0) {
        report.turnTitle = Words::tr("No creature acted here in the last generation.").toStdString();
    } else if (turn->to == square && turn->from == square) {
        report.turnTitle = Words::tr("Its last turn:").toStdString();
    } else if (turn->to == square) {
        report.turnTitle = Words::tr("Its last turn, which brought it here from %1:").arg(placeName(turn->from, rules)).toStdString();
    } else if (turn->to >= 0) {
        report.turnTitle =
            Words::tr("The creature that was here left for %1 in its last turn:").arg(placeName(turn->to, rules)).toStdString();
    } else {
        report.turnTitle = Words::tr("The creature that was here left in its last turn:").toStdString();
    }
    if (turn && turn->square == square) {
        report.turnStory = tellTurn(*turn, rules).join(QLatin1Char('\n')).toStdString();
        report.turnLines = turn->lines;
    }
    const std::optional<EggOrigin>& origin = remembered.egg;
    if (origin && isLizard(cell.kind) && cell.juvenile == 1) {
        report.origin = tellEggLaid(origin->laid, cell.kind, origin->generation, rules).toStdString();
    }
    // The same mating as long as its visits since then are the lizard's.
    const std::optional<MatingOrigin>& mating = remembered.mating;
    if (mating && mating->square == square && isLizard(cell.kind) && cell.juvenile != 1 && cell.mating == 1 &&
        mating->generation + cell.mateTurns == remembered.generation) {
        report.mating = tellMating(*mating, rules).toStdString();
    }
    const std::optional<FollowedFate>& fate = remembered.fate;
    if (fate && fate->square == square && fate->generation <= remembered.generation) {
        report.fate = tellFate(*fate, rules).toStdString();
    }
    return report;
}

std::optional<MatingOrigin> matingBegun(const Model::WatchedTurn& turn, int square, std::int64_t generation) {
    const TurnRecord& record = turn.record;
    if (record.egg < 0 || record.partner < 0) {
        return std::nullopt;
    }
    if (record.choice == TurnRecord::Choice::kMatedWith && turn.to == square) {
        return MatingOrigin{generation, square, record.partner, turn.mate.kind, true};
    }
    if (record.choice == TurnRecord::Choice::kMateAndLayEgg && turn.from == square && record.seen >= 0) {
        return MatingOrigin{generation, square, record.partner,
                            turn.ahead[static_cast<std::size_t>(record.seen)].kind, false};
    }
    return std::nullopt;
}

FollowStep followCreature(const Model::WatchedTurn& turn, std::int64_t generation) {
    if (turn.creatureEnded < 0) {
        return {turn.square, std::nullopt};
    }
    FollowStep step{turn.creatureEnded, std::nullopt};
    if (turn.caughtBy >= 0) {
        step.fate = FollowedFate{FollowedFate::Event::kCaught, generation, turn.creatureEnded, turn.creature,
                                 turn.caughtBy};
    } else if (turn.creature.juvenile == 1 && turn.record.choice == TurnRecord::Choice::kHatch &&
               turn.from == turn.creatureEnded) {
        step.fate = FollowedFate{FollowedFate::Event::kHatched, generation, turn.creatureEnded, turn.creature, -1};
    }
    return step;
}

std::string plainText(const SquareReport& report) {
    std::string text;
    for (const std::string* part : {&report.place, &report.occupant, &report.fate, &report.origin, &report.mating,
                                    &report.heading, &report.timer, &report.sight, &report.turnTitle,
                                    &report.turnStory, &report.turnLines}) {
        if (!part->empty()) {
            text += *part;
            if (text.back() != '\n') {
                text += '\n';
            }
        }
    }
    return text;
}
