#include "model/packed_board.h"

#include <cassert>
#include <cstring>

namespace {

constexpr std::size_t kBitsPerWord = 64;

bool allZero(const CellState& cell) {
    static const CellState zero = [] {
        CellState bytes;
        std::memset(&bytes, 0, sizeof bytes);
        return bytes;
    }();
    return std::memcmp(&cell, &zero, sizeof cell) == 0;
}

}  // namespace

PackedBoard::PackedBoard(const Board& squares)
    : width_(squares.width()), height_(squares.height()), stored_((squares.size() + kBitsPerWord - 1) / kBitsPerWord) {
    std::size_t count = 0;
    for (std::size_t square = 0; square < squares.size(); ++square) {
        count += allZero(squares[square]) ? 0 : 1;
    }
    records_.reserve(count);
    for (std::size_t square = 0; square < squares.size(); ++square) {
        if (!allZero(squares[square])) {
            stored_[square / kBitsPerWord] |= std::uint64_t{1} << (square % kBitsPerWord);
            records_.push_back(squares[square]);
        }
    }
}

Board PackedBoard::unpacked() const {
    Board squares(width_, height_);
    unpackInto(squares);
    return squares;
}

void PackedBoard::unpackInto(Board& squares) const {
    assert(squares.width() == width_ && squares.height() == height_);
    std::size_t next = 0;
    for (std::size_t square = 0; square < squares.size(); ++square) {
        if ((stored_[square / kBitsPerWord] >> (square % kBitsPerWord) & 1U) != 0) {
            squares[square] = records_[next++];
        } else {
            std::memset(&squares[square], 0, sizeof(CellState));
        }
    }
}

std::size_t PackedBoard::bytes() const {
    return stored_.size() * sizeof(std::uint64_t) + records_.size() * sizeof(CellState);
}
