#pragma once

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "model/board.h"
#include "model/census.h"

// A board as it is kept for later, in a run's history and in the changes to
// undo. However many squares a board has, few of their records differ
// (counting what empty squares keep of their last occupant), so each
// different record is kept once, and each square holds its record's number
// in one, two or four bytes, as many as the count needs; a board whose
// squares are all the same (an empty board) is its one record. That is what
// lets the largest board's history fit the window's memory (the sizes are in
// docs/performance.md, "Boards of any size"). Unpacked it is the same
// board, byte for byte.
class PackedBoard {
public:
    PackedBoard() = default;
    explicit PackedBoard(const Board& squares);

    [[nodiscard]] Board unpacked() const;
    // Into a board, which keeps its address when it has this board's size
    // and takes the size otherwise.
    void unpackInto(Board& squares) const;
    // One square's record.
    [[nodiscard]] const CellState& operator[](std::size_t square) const {
        if (uniform()) {
            return records_[0];
        }
        return std::visit([&](const auto& numbers) -> const CellState& { return records_[numbers[square]]; },
                          numbers_);
    }
    // The census of the board, without unpacking it.
    [[nodiscard]] Census census() const;
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    // The memory it holds.
    [[nodiscard]] std::size_t bytes() const;

private:
    // Whether every square holds the one record, and no numbers are kept.
    [[nodiscard]] bool uniform() const {
        return records_.size() == 1 && std::visit([](const auto& numbers) { return numbers.empty(); }, numbers_);
    }
    template <typename Number>
    bool numberSquares(const Board& squares);

    int width_ = 0;
    int height_ = 0;
    std::vector<CellState> records_;  // each different record once
    // Each square's record number, in board order.
    std::variant<std::vector<std::uint8_t>, std::vector<std::uint16_t>, std::vector<std::uint32_t>> numbers_;
};
