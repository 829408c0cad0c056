#include <array>
#include <map>

#include <gtest/gtest.h>

#include "model/lattice.h"
#include "model/model.h"

namespace {

std::size_t indexOf(const CellState& cell) { return static_cast<std::size_t>(&cell - board.data()); }

std::size_t neighbourIndex(const Lattice& lattice, std::size_t site, std::size_t slot) {
    return indexOf(lattice.neighbour(lattice.firstNeighbour(site) + slot));
}

class TorusLattice : public ::testing::Test {
protected:
    TorusLattice() { model.setUpLattice(); }
    Model model;
};

TEST_F(TorusLattice, SquareZeroSeesItsEightNeighboursInTheFixedOrder) {
    const std::array<std::size_t, 8> expected{21, 39, 381, 399, 20, 380, 1, 19};
    for (std::size_t slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(neighbourIndex(*model.lattice, 0, slot), expected[slot]) << "slot " << slot;
    }
}

TEST_F(TorusLattice, EveryNeighbourSlotIsOneRowAndColumnStepWrappingAtEveryEdge) {
    const std::array<std::array<int, 2>, 8> steps{{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    const Lattice& lattice = *model.lattice;
    ASSERT_EQ(lattice.siteCount(), 400u);
    ASSERT_EQ(lattice.neighbourCount(), 3200u);
    for (std::size_t site = 0; site < 400; ++site) {
        EXPECT_EQ(&lattice.cell(site), &board[site]);
        EXPECT_EQ(lattice.firstNeighbour(site), 8 * site);
        const int row = static_cast<int>(site) / 20;
        const int column = static_cast<int>(site) % 20;
        for (std::size_t slot = 0; slot < 8; ++slot) {
            const int r = (row + steps[slot][0] + 20) % 20;
            const int c = (column + steps[slot][1] + 20) % 20;
            EXPECT_EQ(neighbourIndex(lattice, site, slot), static_cast<std::size_t>(r * 20 + c))
                << "site " << site << " slot " << slot;
        }
    }
    EXPECT_EQ(neighbourIndex(lattice, 399, 0), 0u);
}

TEST_F(TorusLattice, EverySquareOccursEightTimesAmongTheNeighbours) {
    std::map<std::size_t, int> occurrences;
    for (std::size_t k = 0; k < model.lattice->neighbourCount(); ++k) {
        ++occurrences[indexOf(model.lattice->neighbour(k))];
    }
    ASSERT_EQ(occurrences.size(), 400u);
    for (const auto& [square, count] : occurrences) {
        EXPECT_EQ(count, 8) << "square " << square;
    }
}

TEST(BoundedLattice, EdgeSitesHaveFewerNeighboursAndLaterSitesShift) {
    Lattice lattice;
    lattice.setNeighborhood(std::make_unique<QueenNeighborhood>());
    lattice.setPeriodic(1, true);  // rows bounded, columns wrap
    lattice.build();
    ASSERT_EQ(lattice.siteCount(), 400u);
    // Row 0 lacks the three neighbours of row -1.
    EXPECT_EQ(lattice.firstNeighbour(0), 0u);
    EXPECT_EQ(lattice.firstNeighbour(1), 5u);
    EXPECT_EQ(lattice.firstNeighbour(20), 100u);
    EXPECT_EQ(lattice.firstNeighbour(21), 108u);
    EXPECT_EQ(lattice.neighbourCount(), 400u * 8 - 2 * 20 * 3);
    // Square 0 keeps the +1 row points and its row, in order.
    const std::array<std::size_t, 5> expected{21, 39, 20, 1, 19};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(indexOf(lattice.neighbour(k)), expected[k]);
    }
}

TEST(Neighbourhoods, QueenListsTheFourDiagonalsFirst) {
    QueenNeighborhood queen;
    queen.compute({5, 7});
    const std::vector<Coordinates> expected{{6, 8}, {6, 6}, {4, 8}, {4, 6}, {6, 7}, {4, 7}, {5, 8}, {5, 6}};
    EXPECT_EQ(queen.points(), expected);
}

TEST(Neighbourhoods, AlfilAndTowerEnumerateByStepAndDimension) {
    AlfilNeighborhood alfil(2);
    alfil.compute({0, 0, 0});
    ASSERT_EQ(alfil.points().size(), 16u);
    EXPECT_EQ(alfil.points().front(), (Coordinates{1, 1, 1}));
    EXPECT_EQ(alfil.points()[1], (Coordinates{1, 1, -1}));
    EXPECT_EQ(alfil.points()[7], (Coordinates{-1, -1, -1}));
    EXPECT_EQ(alfil.points()[8], (Coordinates{2, 2, 2}));

    TowerNeighborhood tower(2);
    tower.compute({0, 0});
    const std::vector<Coordinates> expected{{1, 0}, {2, 0}, {-1, 0}, {-2, 0}, {0, 1}, {0, 2}, {0, -1}, {0, -2}};
    EXPECT_EQ(tower.points(), expected);
}

TEST(LatticeLookups, APositionPastTheEndStopsTheProgram) {
    Model model;
    model.setUpLattice();
    EXPECT_DEATH((void)model.lattice->cell(400), "out of range");
    EXPECT_DEATH((void)model.lattice->neighbour(3200), "out of range");
}

}  // namespace
