// Boards kept packed, as the history keeps them: each different record
// once, every byte given back, and a census without unpacking.

#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "model/board.h"
#include "model/census.h"
#include "model/packed_board.h"

namespace {

// The largest board fits the window's memory only if a square costs a byte
// or two: each different record is kept once, the leftovers a clear leaves
// in them included, and every byte comes back whatever their count.
TEST(PackedBoards, keepEachRecordOnceAndGiveBackEveryByte) {
    Board squares(2000, 2000);
    // An empty board is its one record, and it gives a board of another
    // size its own size.
    const PackedBoard empty(squares);
    EXPECT_EQ(empty.bytes(), sizeof(CellState));
    EXPECT_EQ(empty.census().empty, 4'000'000);
    Board small(3, 5);
    small[2].kind = kCat;
    empty.unpackInto(small);
    EXPECT_TRUE(small.sameAs(squares));
    squares[7].kind = kCat;
    squares[7].direction = 3;
    squares[3'999'999].lookSlots[5] = 2;  // what a clear leaves
    EXPECT_EQ(PackedBoard(squares).bytes(), squares.size() + 3 * sizeof(CellState));
    for (const std::size_t different : {std::size_t{300}, std::size_t{70'000}}) {
        for (std::size_t square = 0; square < different; ++square) {
            squares[square * 50].age = static_cast<std::int16_t>(square % 30'000);
            squares[square * 50].mateTurns = static_cast<std::int16_t>(square / 30'000);
        }
        const PackedBoard packed(squares);
        EXPECT_EQ(packed.bytes() / squares.size(), different < 65'000 ? 2 : 4) << different;
        EXPECT_TRUE(packed.unpacked().sameAs(squares)) << different;
        Board into(2000, 2000);
        into[9].kind = kLizard1;
        packed.unpackInto(into);
        EXPECT_TRUE(into.sameAs(squares)) << different;
    }
}

TEST(PackedBoards, countWithoutUnpacking) {
    Board squares(300, 200);
    for (std::size_t square = 0; square < squares.size(); ++square) {
        squares[square].kind = static_cast<std::int8_t>(square % 4);
        squares[square].juvenile = square % 3 == 0 ? 1 : 0;
        squares[square].eating = square % 5 == 0 ? 1 : 0;
    }
    const Census packed = PackedBoard(squares).census();
    const Census whole = takeCensus(squares);
    EXPECT_EQ(packed.empty, whole.empty);
    EXPECT_EQ(packed.lizards[1], whole.lizards[1]);
    EXPECT_EQ(packed.eggs[0], whole.eggs[0]);
    EXPECT_EQ(packed.cats, whole.cats);
    EXPECT_EQ(packed.eatingCats, whole.eatingCats);
}

}  // namespace
