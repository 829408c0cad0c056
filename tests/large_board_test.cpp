// Boards too large for a table of neighbours or a drawn visiting order: the
// neighbours worked out from a square's row and column, and the shuffled
// order, are the ones the lattice and the shuffle's own definition give.

#include <cstdint>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "model/board.h"
#include "model/model.h"
#include "platform/random.h"

namespace {

// Every square's eight neighbours against the lattice's own, worked out
// coordinate by coordinate; boards of two rows or two columns wrap onto
// themselves, and an odd number of columns leaves no shortcut by powers of 2.
TEST(LargeBoards, FindEachSquaresNeighboursWhereTheLatticePutsThem) {
    for (const auto& [rows, columns] : {std::pair{2, 16411}, std::pair{16411, 2}, std::pair{181, 191}}) {
        Board squares(rows, columns);
        ASSERT_GT(squares.size(), Model::kLargestTabledBoard);
        Model model;
        model.setUpLattice(squares);
        const Lattice& lattice = *model.lattice;
        for (std::uint32_t square = 0; square < squares.size(); ++square) {
            for (std::size_t slot = 0; slot < 8; ++slot) {
                const CellState& expected = lattice.neighbour(lattice.firstNeighbour(square) + slot);
                ASSERT_EQ(model.neighbourOf(square, slot), static_cast<std::uint32_t>(&expected - squares.data()))
                    << rows << "x" << columns << " square " << square << " slot " << slot;
            }
        }
    }
}

// The shuffle as its comment defines it, one swap at a time: position i from
// the last down to 1 swaps with a uniform draw below i + 1 of 30 bits, made
// of two values of rand, drawn again in the last incomplete multiple.
std::vector<std::uint32_t> shuffledPlainly(std::size_t count) {
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0U);
    constexpr std::uint32_t kSpan = 1U << 30;
    for (std::size_t i = count - 1; i > 0; --i) {
        const auto bound = static_cast<std::uint32_t>(i + 1);
        std::uint32_t value = 0;
        do {
            value = static_cast<std::uint32_t>(platform::rand()) << 15 | static_cast<std::uint32_t>(platform::rand());
        } while (value >= kSpan - kSpan % bound);
        std::swap(order[i], order[value % bound]);
    }
    return order;
}

TEST(LargeBoards, VisitInTheOrderThePlainShuffleGivesForTheSameSeed) {
    // Not square, so that rows and columns cannot be taken for each other.
    Board squares(190, 191);
    Model model;
    model.rules.width = 190;
    model.rules.height = 191;
    model.setUpLattice(squares);
    for (const std::uint32_t seed : {5U, 12345U}) {
        platform::srand(seed);
        const std::vector<std::uint32_t> expected = shuffledPlainly(squares.size());
        const int after = platform::rand();

        model.generator().seed(seed);
        std::vector<std::uint32_t> visited(squares.size());
        for (std::uint32_t& square : visited) {
            square = model.drawSquare();
        }
        EXPECT_EQ(visited, expected) << "seed " << seed;
        EXPECT_EQ(model.generator().rand(), after) << "the shuffle draws exactly what the plain one draws";
    }
}

}  // namespace
