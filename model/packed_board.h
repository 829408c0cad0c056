#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/board.h"

// A board as it is kept for later, in a run's history and in the changes to
// undo: the squares whose record is all zero bytes take a bit each instead
// of a whole record. A 2000 x 2000 board is 96 MB; an empty one packs to
// half a megabyte, a fresh fill to some 40 MB, but after a few generations
// most empty squares hold what their last occupant left and are stored
// whole. Unpacked it is the same board, byte for byte.
class PackedBoard {
public:
    PackedBoard() = default;
    explicit PackedBoard(const Board& squares);

    [[nodiscard]] Board unpacked() const;
    // Into a board of the same size, which keeps its address.
    void unpackInto(Board& squares) const;
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    // The memory it holds.
    [[nodiscard]] std::size_t bytes() const;

private:
    int width_ = 0;
    int height_ = 0;
    // A bit per square, set where its record is stored.
    std::vector<std::uint64_t> stored_;
    std::vector<CellState> records_;  // in board order
};
