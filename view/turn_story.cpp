#include "view/turn_story.h"

#include <array>
#include <cstddef>

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

using Choice = TurnRecord::Choice;

// What decided the turn, as the record has it: the creature in the forward
// square it saw, and the direction that square lies in from it.
QString seenCreature(const Model::WatchedTurn& turn, const QString& unseen) {
    const int slot = turn.record.seen;
    return slot >= 0 ? creature(turn.ahead[static_cast<std::size_t>(slot)]) : unseen;
}

QString seenDirection(const Model::WatchedTurn& turn) {
    // The front-right square of heading h is the front square of h - 1.
    constexpr std::array<int, 3> kSteps{0, -1, +1};
    const int slot = turn.record.seen;
    return compass(slot >= 0 ? turned(turn.before.direction, kSteps[static_cast<std::size_t>(slot)])
                             : turn.before.direction);
}

// "turned at random to face west", or that it still faces the same way.
QString turnedTo(const Model::WatchedTurn& turn) {
    return turn.after.direction == turn.before.direction
               ? Words::tr("turned at random and still faces %1").arg(compass(turn.after.direction))
               : Words::tr("turned at random to face %1").arg(compass(turn.after.direction));
}

using language::number;

QStringList lizardTurn(const Model::WatchedTurn& turn, const Rules& rules) {
    const TurnRecord& record = turn.record;
    switch (record.choice) {
        case Choice::kGrow:
            return {Words::tr("An egg: visit %1 of %2; it hatches on the last.").arg(record.timer).arg(rules.hatch)};
        case Choice::kHatch:
            return {Words::tr("It hatched and faces %1.").arg(compass(turn.after.direction))};
        case Choice::kGoOnMating:
            return {Words::tr("Mating, visit %1 of %2.").arg(record.timer).arg(rules.mating)};
        case Choice::kEndMating:
            return {turn.after.direction == turn.before.direction
                        ? Words::tr("The mating ended; it still faces %1.").arg(compass(turn.after.direction))
                        : Words::tr("The mating ended and it turned to face %1.").arg(compass(turn.after.direction))};
        case Choice::kFlee:
            if (record.to >= 0) {
                return {Words::tr("Saw a cat ahead to the %1 and fled to %2, now facing %3.")
                            .arg(seenDirection(turn), placeName(record.to, rules), compass(turn.after.direction))};
            }
            return {Words::tr("Saw a cat ahead to the %1, found no free square around it and %2.")
                        .arg(seenDirection(turn), turnedTo(turn))};
        case Choice::kMateAndLayEgg: {
            const QString who = seenCreature(turn, Words::tr("a lizard"));
            if (record.egg >= 0) {
                return {Words::tr("Saw %1 ahead to the %2 and laid an egg with it at %3.")
                            .arg(who, seenDirection(turn), placeName(record.egg, rules))};
            }
            return {Words::tr("Saw %1 ahead to the %2 but did not mate.").arg(who, seenDirection(turn))};
        }
        case Choice::kWalk:
            return {Words::tr("Saw no cat and no mate ahead, and walked to %1, now facing %2.")
                        .arg(placeName(record.to, rules), compass(turn.after.direction))};
        case Choice::kMatedWith:
            return {Words::tr("Mated with by %1 at %2, which laid an egg at %3.")
                        .arg(creature(turn.mate), placeName(record.partner, rules), placeName(record.egg, rules))};
        case Choice::kTurnAtRandom:
            // Beside a mate it saw, for want of a square for the egg.
            if (record.seen >= 0) {
                return {Words::tr("Saw %1 ahead to the %2 but no empty square for an egg, and %3.")
                            .arg(seenCreature(turn, Words::tr("a lizard")), seenDirection(turn), turnedTo(turn))};
            }
            return {Words::tr("Saw no cat, no mate and no empty square ahead, and %1.").arg(turnedTo(turn))};
        default:
            return {};
    }
}

QStringList catTurn(const Model::WatchedTurn& turn, const Rules& rules) {
    const TurnRecord& record = turn.record;
    switch (record.choice) {
        case Choice::kGoOnEating:
            return {Words::tr("Eating, visit %1 of %2.").arg(record.timer).arg(rules.meal)};
        case Choice::kEndMeal:
            return {turn.after.direction == turn.before.direction
                        ? Words::tr("The meal ended; it still faces %1.").arg(compass(turn.after.direction))
                        : Words::tr("The meal ended and it turned to face %1.").arg(compass(turn.after.direction))};
        case Choice::kHunt:
            return {Words::tr("Saw %1 ahead to the %2 and caught it at %3.")
                        .arg(seenCreature(turn, Words::tr("a lizard")), seenDirection(turn),
                             placeName(record.to, rules))};
        case Choice::kWalk:
            return {Words::tr("Saw no lizard ahead, and walked to %1, now facing %2.")
                        .arg(placeName(record.to, rules), compass(turn.after.direction))};
        case Choice::kTurnAtRandom:
            return {Words::tr("Saw no lizard and no empty square ahead, and %1.").arg(turnedTo(turn))};
        default:
            return {};
    }
}

}  // namespace

QStringList tellTurn(const Model::WatchedTurn& turn, const Rules& rules) {
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

QString tellMating(const MatingOrigin& mating, const Rules& rules) {
    const QString mate = creature(mating.mateKind, false);
    return mating.chosen ? Words::tr("Mated with in generation %1 by %2 at %3.")
                               .arg(number(mating.generation))
                               .arg(mate, placeName(mating.mate, rules))
                         : Words::tr("Mating since generation %1 with %2 at %3.")
                               .arg(number(mating.generation))
                               .arg(mate, placeName(mating.mate, rules));
}

QString tellFate(const FollowedFate& fate, const Rules& rules) {
    if (fate.event == FollowedFate::Event::kHatched) {
        return Words::tr("Followed %1, which hatched here in generation %2.")
            .arg(creature(fate.creature))
            .arg(number(fate.generation));
    }
    return Words::tr("Followed %1 until a cat from %2 caught it here in generation %3; no longer following.")
        .arg(creature(fate.creature), placeName(fate.cat, rules))
        .arg(number(fate.generation));
}
