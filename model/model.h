#pragma once

#include <bitset>
#include <cstdint>
#include <memory>

#include "app/cthread.h"
#include "model/board.h"
#include "model/lattice.h"

// The simulation thread: the generation loop over the shared board.
class Model : public CThread {
public:
    Model() = default;
    ~Model() { stop(); }

    int run(int argument) override;

    // Builds the 20 x 20 torus with eight neighbours per square.
    void setUpLattice();

    std::unique_ptr<Lattice> lattice;
    std::bitset<kSquareCount> visited;  // squares drawn in the current pass
    std::uint32_t current = 0;          // the square whose creature is acting
};
