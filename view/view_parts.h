#pragma once

#include <string>

#include <QString>
#include <QtGlobal>

#include "model/board.h"

class View;

// What the View's source files share among themselves, and nobody else.

// The View whose window is open, for the callbacks that carry no pointer.
extern View* liveView;

// A change that waits for the generation still finishing after stop is
// tried again this soon, once that generation is on screen.
inline constexpr int kBusyRetryMilliseconds = 10;
// The picked square is retold at most this often while the run goes.
inline constexpr qint64 kInspectIntervalMilliseconds = 250;

// Only a creature that faces somewhere turns: not an egg, not nothing.
[[nodiscard]] bool facesSomewhere(const CellState& cell);

// Says a problem on stderr, and in a dialog over the window.
void tellProblem(const QString& problem);
[[nodiscard]] std::string traceProblem(int error);
