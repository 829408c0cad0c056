#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include <QString>

#include "model/board.h"
#include "model/model.h"
#include "model/rules.h"
#include "view/turn_story.h"

// What the inspector tells about one square, in words. Places are given as a
// person sees the board from the home view: rows from the top, columns from
// the left, both from 1; a board W squares wide and H high has H rows of W.
struct ScreenPlace {
    int row;
    int column;
};
// The rules give the board's size.
[[nodiscard]] ScreenPlace screenPlaceOf(int square, const Rules& rules);
[[nodiscard]] int squareAt(ScreenPlace place, const Rules& rules);
// "row 4, column 7", in the window's language.
[[nodiscard]] QString placeName(int square, const Rules& rules);
// The square a creature on `square` facing `heading` sees in a look slot.
[[nodiscard]] int squareAheadOf(int square, std::int32_t heading, int lookSlot, const Rules& rules);

struct SquareReport {
    std::string place;     // "Row 3, column 7"
    std::string occupant;  // "A brown lizard, mating"
    std::string heading;   // "↗ north-east", or empty for an empty square or an egg
    std::string timer;     // "Mating: 1 of 3 visits", or empty
    std::string sight;     // what is in its three forward squares, or why it does not look
    std::string origin;    // for an egg laid while the square was picked: by whom and when
    std::string mating;    // for a lizard whose mating began while it was picked: with whom, since when
    std::string fate;      // for a creature followed here: that it was caught or hatched
    std::string turnTitle; // where the turn below began and ended, or that there was none
    std::string turnStory; // that turn in words, a sentence a line
    std::string turnLines; // the trace lines of that turn, as the console shows them
};

// An egg laid on the picked square, and the generation it was laid in.
struct EggOrigin {
    std::int64_t generation = 0;
    Model::EggLaid laid;
};

// What the window keeps of the picked square from the generations before the
// one shown, each told while it holds: an egg's origin while the square holds
// an egg, a mating while the lizard on its square still counts its visits
// since then, and what became of a creature followed there.
struct Remembered {
    std::int64_t generation = 0;  // the generation shown
    std::optional<EggOrigin> egg;
    std::optional<MatingOrigin> mating;
    std::optional<FollowedFate> fate;
};

// `turn` is the model's latest watched turn for this square, or none when no
// generation has run since the square was picked or the board changed. The
// timers are told against the rules' visits; places follow the board's own
// size.
[[nodiscard]] SquareReport reportSquare(const Board& squares, int square, const Rules& rules,
                                        const std::optional<Model::WatchedTurn>& turn,
                                        const Remembered& remembered = {});

// The mating that a turn on `square` began, if it began one: the lizard's
// own, or its mate's, which it was chosen as.
[[nodiscard]] std::optional<MatingOrigin> matingBegun(const Model::WatchedTurn& turn, int square,
                                                      std::int64_t generation);

// Following the creature on a square: after a generation, from the model's
// turn kept for it, the square the creature ended on, and what became of it
// when a cat caught it (it is followed no more) or it hatched. A square
// that began the generation empty stays, and has nothing to tell.
struct FollowStep {
    int square = -1;
    std::optional<FollowedFate> fate;
};
[[nodiscard]] FollowStep followCreature(const Model::WatchedTurn& turn, std::int64_t generation);

// The report as plain text, a line for each part that has something to say.
[[nodiscard]] std::string plainText(const SquareReport& report);
