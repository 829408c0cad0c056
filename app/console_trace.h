#pragma once

#include "model/model.h"
#include "model/rules.h"

// A board larger than the standard one traces megabytes a generation, more
// than a person reads and more than a console shows in time (a Windows
// console takes seconds for one): a terminal then gets the window's own
// lines without the creatures', on Debian too, so that a run reads the same
// on both. A file or a pipe keeps the whole trace.
namespace console_trace {

// Whether standard output is a terminal that the trace goes to, told once
// at start.
void watchTerminal(bool terminal);

// Fits the creatures' trace to a board of these rules, the model's and a
// fill's, whenever the board's size changes; when their lines leave the
// terminal, one line there says so.
void fitTo(const Rules& rules, Model& model);

}  // namespace console_trace
