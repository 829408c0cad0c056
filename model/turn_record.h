#pragma once

#include <cstdint>

// One creature's turn as data, noted where the turn prints its trace lines,
// from the same decisions: what it did, what it saw and where, where it went,
// where its egg went and how far its timer came. The inspector tells the turn
// from this record alone, never from the lines. It is kept for the watched
// square's turns only, which costs the others nothing.
struct TurnRecord {
    // What the creature did, one value for each way a turn can end.
    enum class Choice : std::uint8_t {
        kNone,           // no creature took a turn
        kGrow,           // a hatchling, one visit older (timer: its age now)
        kHatch,          // a hatchling on its last visit, now an adult
        kGoOnMating,     // a visit of a mating counted (timer: its visits now)
        kEndMating,      // a mating's last visit: a new heading
        kGoOnEating,     // a visit of a meal counted (timer: its visits now)
        kEndMeal,        // a meal's last visit: a new heading
        kFlee,           // saw a cat (seen) and fled (to), or found no free square and turned at random
        kMateAndLayEgg,  // paired with the mate it saw (seen, partner) and laid an egg (egg)
        kHunt,           // caught the lizard it saw (seen) on its square (to)
        kWalk,           // saw nothing more pressing and walked (to)
        kTurnAtRandom,   // had no empty square ahead: maybe beside a mate it saw (seen)
        kMatedWith,      // took no turn: the lizard on partner chose it as its mate and laid an egg (egg)
    };

    Choice choice = Choice::kNone;
    // The forward look slot (kFront, kFrontRight or kFrontLeft) of what
    // decided the turn: the cat it fled from, its mate, its prey; -1 for none.
    std::int8_t seen = -1;
    // A timer's count after this visit.
    std::int16_t timer = 0;
    // Squares of the board, -1 for none: where it moved to, where its egg
    // was laid, where its mate stood.
    std::int32_t to = -1;
    std::int32_t egg = -1;
    std::int32_t partner = -1;

    friend bool operator==(const TurnRecord&, const TurnRecord&) = default;
};
