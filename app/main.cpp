#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/lifecycle.h"
#include "app/run_options.h"
#include "app/steering.h"
#include "model/board.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"
#include "platform/system.h"
#include "view/view.h"

int main(int argc, char** argv) {
    platform::keepNewlines();
    // Options are read, and refused, before anything opens.
    const RunOptions options = parseRunOptions(argc, argv);
    Steering steering(options);
    if (!options.countsFile.empty()) {
        if (const auto problem = steering.openCounts(options.countsFile)) {
            std::fprintf(stderr, "vivar: cannot write the counts file '%s': %s\n", options.countsFile.c_str(),
                         problem->c_str());
            return 2;
        }
    }
    if (options.quiet) {
        trace::setSink(nullptr);
    }

    clearBoard();

    View view;
    Model model;
    // The scene belongs to the view thread: the model's hand-off asks it to
    // show the board and waits until it has.
    model.displayUpdate = [&view] { view.showBoard(); };
    view.steering = &steering;
    view.model = &model;
    steering.steer(model);

    platform::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    model.setUpLattice();

    return runWorkers(model, view);
}
