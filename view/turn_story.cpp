#include "view/turn_story.h"

#include <array>
#include <cstddef>
#include <string>

#include <QCoreApplication>

#include "behaviour/orientation.h"
#include "view/language.h"
#include "view/square_report.h"

namespace {

struct Words {
    Q_DECLARE_TR_FUNCTIONS(TurnStory)
};

// Heading h points (h - 1) x 45 degrees counter-clockwise from the screen's
// right, as the home view shows the board.
constexpr std::array<const char*, kHeadingCount> kCompass{
    QT_TRANSLATE_NOOP("TurnStory", "east"),  QT_TRANSLATE_NOOP("TurnStory", "north-east"),
    QT_TRANSLATE_NOOP("TurnStory", "north"), QT_TRANSLATE_NOOP("TurnStory", "north-west"),
    QT_TRANSLATE_NOOP("TurnStory", "west"),  QT_TRANSLATE_NOOP("TurnStory", "south-west"),
    QT_TRANSLATE_NOOP("TurnStory", "south"), QT_TRANSLATE_NOOP("TurnStory", "south-east")};

QString compass(std::int32_t heading) {
    const bool valid = heading >= 1 && heading <= kHeadingCount;
    return Words::tr(kCompass[static_cast<std::size_t>(valid ? heading - 1 : kHeadingCount - 1)]);
}


// A creature as a sentence names it, with its article.
QString creature(std::int32_t kind, bool egg) {
    if (kind == kCat) {
        return Words::tr("a cat");
    }
    if (egg) {
        return kind == kLizard1 ? Words::tr("a brown egg") : Words::tr("a green egg");
    }
    return kind == kLizard1 ? Words::tr("a brown lizard") : Words::tr("a green lizard");
}

QString creature(const CellState& cell) { return creature(cell.kind, cell.juvenile == 1); }

// Which way the trace of the turn went: each step prints its own line.
bool says(const Model::WatchedTurn& turn, const char* line) { return turn.lines.find(line) != std::string::npos; }

// The forward square in which the first that matches stood, front first as
// the rules look, with the direction it lies in from the creature.
template <typename Test>
std::optional<std::size_t> firstAhead(const Model::WatchedTurn& turn, Test matches) {
    for (std::size_t slot = 0; slot < turn.ahead.size(); ++slot) {
        if (matches(turn.ahead[slot])) {
            return slot;
        }
    }
    return std::nullopt;
}

QString directionOf(const Model::WatchedTurn& turn, std::size_t slot) {
    // The front-right square of heading h is the front square of h - 1.
    constexpr std::array<int, 3> kSteps{0, -1, +1};
    return compass(turned(turn.before.direction, kSteps[slot]));
}

// "turned at random to face west", or that it still faces the same way.
QString turnedTo(const Model::WatchedTurn& turn) {
    return turn.after.direction == turn.before.direction
               ? Words::tr("turned at random and still faces %1").arg(compass(turn.after.direction))
               : Words::tr("turned at random to face %1").arg(compass(turn.after.direction));
}

using language::number;

bool moved(const Model::WatchedTurn& turn) { return turn.to >= 0 && turn.to != turn.from; }

QStringList lizardTurn(const Model::WatchedTurn& turn, const Rules& rules) {
    if (says(turn, "soy juvenil\n")) {
        if (turn.after.juvenile == 1) {
            return {Words::tr("An egg: visit %1 of %2; it hatches on the last.").arg(turn.before.age + 1).arg(rules.hatch)};
        }
        return {Words::tr("It hatched and faces %1.").arg(compass(turn.after.direction))};
    }
    if (says(turn, "bicho apareandose\n")) {
        if (turn.after.mating == 1) {
            return {Words::tr("Mating, visit %1 of %2.").arg(turn.after.mateTurns).arg(rules.mating)};
        }
        return {turn.after.direction == turn.before.direction
                    ? Words::tr("The mating ended; it still faces %1.").arg(compass(turn.after.direction))
                    : Words::tr("The mating ended and it turned to face %1.").arg(compass(turn.after.direction))};
    }
    if (says(turn, "se encontro un gato devo de huir\n")) {
        const auto cat = firstAhead(turn, [](const CellState& cell) { return cell.kind == kCat; });
        const QString where = cat ? directionOf(turn, *cat) : compass(turn.before.direction);
        if (moved(turn)) {
            return {Words::tr("Saw a cat ahead to the %1 and fled to %2, now facing %3.")
                        .arg(where, placeName(turn.to, rules), compass(turn.after.direction))};
        }
        return {Words::tr("Saw a cat ahead to the %1, found no free square around it and %2.")
                    .arg(where, turnedTo(turn))};
    }
    if (says(turn, "-vi una lagartija amiga no juvenil y no apareandose-\n")) {
        const auto mate = firstAhead(
            turn, [](const CellState& cell) { return isLizard(cell.kind) && cell.juvenile == 0 && cell.mating == 0; });
        const QString who = mate ? creature(turn.ahead[*mate]) : Words::tr("a lizard");
        const QString where = mate ? directionOf(turn, *mate) : compass(turn.before.direction);
        if (says(turn, "no veo casillas vacias\n")) {
            return {Words::tr("Saw %1 ahead to the %2 but no empty square for an egg, and %3.")
                        .arg(who, where, turnedTo(turn))};
        }
        // The egg went into the first empty forward square the mate left.
        std::optional<std::size_t> egg;
        for (std::size_t slot = 0; slot < turn.ahead.size(); ++slot) {
            if (slot != mate && turn.ahead[slot].kind == kEmpty) {
                egg = slot;
                break;
            }
        }
        if (egg && mate) {
            const int eggSquare = squareAheadOf(turn.from, turn.before.direction, static_cast<int>(*egg), rules);
            return {Words::tr("Saw %1 ahead to the %2 and laid an egg with it at %3.")
                        .arg(who, where, placeName(eggSquare, rules))};
        }
        return {Words::tr("Saw %1 ahead to the %2 but did not mate.").arg(who, where)};
    }
    if (says(turn, "encontre una casilla vacia asi que caminare\n")) {
        return {Words::tr("Saw no cat and no mate ahead, and walked to %1, now facing %2.")
                    .arg(placeName(turn.to, rules), compass(turn.after.direction))};
    }
    return {Words::tr("Saw no cat, no mate and no empty square ahead, and %1.").arg(turnedTo(turn))};
}

QStringList catTurn(const Model::WatchedTurn& turn, const Rules& rules) {
    if (says(turn, "-gato comiendo-\n")) {
        if (turn.after.eating == 1) {
            return {Words::tr("Eating, visit %1 of %2.").arg(turn.after.eatTurns).arg(rules.meal)};
        }
        return {turn.after.direction == turn.before.direction
                    ? Words::tr("The meal ended; it still faces %1.").arg(compass(turn.after.direction))
                    : Words::tr("The meal ended and it turned to face %1.").arg(compass(turn.after.direction))};
    }
    if (says(turn, "veo lagartija y tengo hambre\n")) {
        const auto prey = firstAhead(turn, [](const CellState& cell) { return isLizard(cell.kind); });
        const QString what = prey ? creature(turn.ahead[*prey]) : Words::tr("a lizard");
        const QString where = prey ? directionOf(turn, *prey) : compass(turn.before.direction);
        return {Words::tr("Saw %1 ahead to the %2 and caught it at %3.").arg(what, where, placeName(turn.to, rules))};
    }
    if (moved(turn)) {
        return {Words::tr("Saw no lizard ahead, and walked to %1, now facing %2.")
                    .arg(placeName(turn.to, rules), compass(turn.after.direction))};
    }
    return {Words::tr("Saw no lizard and no empty square ahead, and %1.").arg(turnedTo(turn))};
}

}  // namespace

QStringList tellTurn(const Model::WatchedTurn& turn, const Rules& rules) {
    if (turn.from < 0) {
        return {};
    }
    if (isLizard(turn.before.kind)) {
        return lizardTurn(turn, rules);
    }
    if (turn.before.kind == kCat) {
        return catTurn(turn, rules);
    }
    return {};
}

QString tellEggLaid(const Model::EggLaid& laid, std::int32_t eggKind, std::int64_t generation, const Rules& rules) {
    const QString layer = creature(eggKind, false);
    if (laid.partner < 0) {
        return Words::tr("Laid in generation %1 by %2 at %3.")
            .arg(number(generation))
            .arg(layer, placeName(laid.layer, rules));
    }
    return Words::tr("Laid in generation %1 by %2 at %3 with %4 at %5.")
        .arg(number(generation))
        .arg(layer, placeName(laid.layer, rules), creature(laid.partnerKind, false), placeName(laid.partner, rules));
}
