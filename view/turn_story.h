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
