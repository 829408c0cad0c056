#pragma once

#include <cstdint>

#include <QString>
#include <QStringList>

#include "model/model.h"
#include "model/rules.h"

// A creature's turn told in the window's language, a short sentence a step,
// from the model's record of it alone: what it did and saw, where it went
// and laid its egg, and the creature as it began and ended. Squares are named
// as the inspector names them ("row 4, column 7"), headings by the compass of
// the home view; the rules give the board's size and the visits a timer runs
// for.
[[nodiscard]] QStringList tellTurn(const Model::WatchedTurn& turn, const Rules& rules);

// Where an egg came from: the pair that laid it and the generation.
// `eggKind` is the egg's, which is its layer's.
[[nodiscard]] QString tellEggLaid(const Model::EggLaid& laid, std::int32_t eggKind, std::int64_t generation,
                                  const Rules& rules);

// A mating of a lizard, seen as it began: in which generation, the lizard's
// own square and its mate's, and whether the mate chose it (it was mated
// with) or it chose the mate.
struct MatingOrigin {
    std::int64_t generation = 0;
    int square = -1;
    int mate = -1;
    std::int32_t mateKind = kEmpty;
    bool chosen = false;
};
// "Mated with in generation 57 by a brown lizard at row 3, column 4."
[[nodiscard]] QString tellMating(const MatingOrigin& mating, const Rules& rules);

// What became of a creature the inspector followed, on the square where it
// was last: caught by a cat that began its turn on `cat`, or hatched.
struct FollowedFate {
    enum class Event : std::uint8_t { kCaught, kHatched };
    Event event = Event::kCaught;
    std::int64_t generation = 0;
    int square = -1;
    CellState creature{};  // as the generation began
    int cat = -1;
};
[[nodiscard]] QString tellFate(const FollowedFate& fate, const Rules& rules);
