#include <cstdint>
#include <ctime>

#include "app/lifecycle.h"
#include "model/board.h"
#include "model/model.h"
#include "platform/random.h"
#include "view/view.h"

int main() {
    clearBoard();

    View view;
    Model model;

    platform::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    model.setUpLattice();

    return runWorkers(model, view);
}
