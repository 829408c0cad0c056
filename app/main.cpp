#include <cstdint>
#include <ctime>

#include "app/lifecycle.h"
#include "app/run_options.h"
#include "model/board.h"
#include "model/model.h"
#include "platform/random.h"
#include "view/view.h"

int main(int argc, char** argv) {
    parseRunOptions(argc, argv);
    clearBoard();

    View view;
    Model model;
    // The scene belongs to the view thread: the model's hand-off asks it to
    // show the board and waits until it has.
    model.displayUpdate = [&view] { view.showBoard(); };

    platform::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    model.setUpLattice();

    return runWorkers(model, view);
}
