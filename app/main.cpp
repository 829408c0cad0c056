#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/lifecycle.h"
#include "app/run_options.h"
#include "app/steering.h"
#include "app/words.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"
#include "platform/system.h"
#include "view/language.h"
#include "view/view.h"

int main(int argc, char** argv) {
    platform::keepNewlines();
    // The help and the complaints about options speak the user's language.
    language::chooseFromLocale();
    // Options are read, and refused, before anything opens.
    const RunOptions options = parseRunOptions(argc, argv);
    Steering steering(options);
    if (!options.countsFile.empty()) {
        if (const auto problem = steering.openCounts(options.countsFile)) {
            const std::string line =
                words::fill(words::translate("main", "vivar: cannot write the counts file '%1': %2"),
                            {platform::utf8Name(options.countsFile), *problem});
            std::fprintf(stderr, "%s\n", line.c_str());
            return 2;
        }
    }
    if (options.quiet) {
        trace::setSink(nullptr);
    }

    clearBoard();
    if (!options.boardFile.empty()) {
        if (const auto problem = board_file::load(options.boardFile, board)) {
            std::fprintf(stderr, "vivar: %s\n", problem->c_str());
            return 2;
        }
    }

    View view;
    Model model;
    // The scene belongs to the view thread: the model's hand-off asks it to
    // show the board and waits until it has.
    model.displayUpdate = [&view] { view.showBoard(); };
    view.steering = &steering;
    view.model = &model;
    steering.steer(model);

    platform::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    model.rules = options.rules;
    model.setUpLattice();

    const int status = runWorkers(model, view);
    // The window told of an output it could not write; so does the status.
    tellTraceFailureOnce();
    if (status == 0 && (trace::failure() != 0 || !steering.countsProblem().empty())) {
        return 1;
    }
    return status;
}
