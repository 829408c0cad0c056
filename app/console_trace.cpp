#include "app/console_trace.h"

#include <atomic>
#include <string>

#include "base/words.h"
#include "model/trace.h"

namespace console_trace {

namespace {

std::atomic<bool> terminalWatched{false};

}  // namespace

void watchTerminal(bool terminal) { terminalWatched.store(terminal); }

void fitTo(const Rules& rules, Model& model) {
    const bool shown = !terminalWatched.load() || rules.squareCount() <= Rules{}.squareCount();
    const bool wereShown = trace::creatures() != nullptr;
    trace::showCreatures(shown);
    model.traceTo(trace::creatures());
    if (wereShown && !shown) {
        const std::string line = words::fill(
            words::translate("main", "vivar: on a board larger than %1 x %2 the console shows no trace of the "
                                     "creatures; send it to a file to keep it: vivar ... > trace.txt"),
            {std::to_string(Rules{}.width), std::to_string(Rules{}.height)});
        trace::print("%s\n", line.c_str());
        trace::flush();
    }
}

}  // namespace console_trace
