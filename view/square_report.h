#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include <QString>

#include "model/board.h"
#include "model/model.h"
#include "model/rules.h"

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
    std::string turnTitle; // where the turn below began and ended, or that there was none
    std::string turnStory; // that turn in words, a sentence a line
    std::string turnLines; // the trace lines of that turn, as the console shows them
};

// An egg laid on the picked square, and the generation it was laid in.
struct EggOrigin {
    std::int64_t generation = 0;
    Model::EggLaid laid;
};

// `turn` is the model's latest watched turn for this square, or none when no
// generation has run since the square was picked or the board changed;
// `origin` is told while the square holds an egg. The timers are told
// against the rules' visits; places follow the board's own size.
[[nodiscard]] SquareReport reportSquare(const Board& squares, int square, const Rules& rules,
                                        const std::optional<Model::WatchedTurn>& turn,
                                        const std::optional<EggOrigin>& origin = std::nullopt);

// The report as plain text, a line for each part that has something to say.
[[nodiscard]] std::string plainText(const SquareReport& report);
