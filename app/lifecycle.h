#pragma once

#include "base/cthread.h"

// Starts the model thread, then the view thread, waits for both and stops
// them in the same order. The result is the process's exit status: 1 when
// the view could not run (no window), else 0.
int runWorkers(CThread& model, CThread& view);
