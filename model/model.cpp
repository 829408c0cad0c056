#include "model/model.h"

#include <chrono>

#include "platform/thread.h"

namespace {

constexpr std::chrono::milliseconds kStoppedPoll{100};

}  // namespace

void Model::setUpLattice() {
    lattice = std::make_unique<Lattice>();
    lattice->setNeighborhood(std::make_unique<QueenNeighborhood>());
    lattice->setPeriodic(0, true);
    lattice->setPeriodic(1, true);
    lattice->build();
}

int Model::run(int /*argument*/) {
    while (!quitFlag) {
        platform::sleepFor(kStoppedPoll);
    }
    return 0;
}
