#include "model/packed_board.h"

#include <cstring>
#include <limits>
#include <span>
#include <utility>

namespace {

bool sameBytes(const CellState& a, const CellState& b) { return std::memcmp(&a, &b, sizeof(CellState)) == 0; }

std::uint64_t hashOf(const CellState& cell) {
    static_assert(sizeof(CellState) == 3 * sizeof(std::uint64_t));
    std::uint64_t words[3];
    std::memcpy(words, &cell, sizeof words);
    std::uint64_t h = words[0] * 0x9E3779B97F4A7C15ULL;
    h = (h ^ (h >> 29) ^ words[1]) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 31) ^ words[2]) * 0x94D049BB133111EBULL;
    return h ^ (h >> 32);
}

// The records seen so far and their numbers, open addressed.
class RecordNumbers {
public:
    explicit RecordNumbers(std::vector<CellState>& records) : records_(records), slots_(1024, 0) {}

    // The record's number, giving it the next one when it is new.
    std::size_t numberOf(const CellState& cell) {
        std::size_t slot = hashOf(cell) & (slots_.size() - 1);
        while (slots_[slot] != 0) {
            if (sameBytes(records_[slots_[slot] - 1], cell)) {
                return slots_[slot] - 1;
            }
            slot = (slot + 1) & (slots_.size() - 1);
        }
        records_.push_back(cell);
        slots_[slot] = static_cast<std::uint32_t>(records_.size());
        if (2 * records_.size() > slots_.size()) {
            grow();
        }
        return records_.size() - 1;
    }

private:
    void grow() {
        slots_.assign(2 * slots_.size(), 0);
        for (std::size_t number = 0; number < records_.size(); ++number) {
            std::size_t slot = hashOf(records_[number]) & (slots_.size() - 1);
            while (slots_[slot] != 0) {
                slot = (slot + 1) & (slots_.size() - 1);
            }
            slots_[slot] = static_cast<std::uint32_t>(number + 1);
        }
    }

    std::vector<CellState>& records_;
    std::vector<std::uint32_t> slots_;  // a record's number + 1, 0 for none
};

}  // namespace

// Numbers every square in `Number`s; false if the records outnumber them.
template <typename Number>
bool PackedBoard::numberSquares(const Board& squares) {
    records_.clear();
    std::vector<Number> numbers(squares.size());
    RecordNumbers numbering(records_);
    std::size_t number = 0;
    for (std::size_t square = 0; square < squares.size(); ++square) {
        // Neighbouring squares are often the same, empty ones above all.
        if (square == 0 || !sameBytes(squares[square], squares[square - 1])) {
            number = numbering.numberOf(squares[square]);
            if (number > std::numeric_limits<Number>::max()) {
                return false;
            }
        }
        numbers[square] = static_cast<Number>(number);
    }
    numbers_ = std::move(numbers);
    return true;
}

PackedBoard::PackedBoard(const Board& squares) : width_(squares.width()), height_(squares.height()) {
    if (!numberSquares<std::uint16_t>(squares)) {
        numberSquares<std::uint32_t>(squares);
    } else if (records_.size() <= 256) {
        const auto& wide = std::get<std::vector<std::uint16_t>>(numbers_);
        numbers_ = std::vector<std::uint8_t>(wide.begin(), wide.end());
    }
    records_.shrink_to_fit();
}

Board PackedBoard::unpacked() const {
    Board squares(width_, height_);
    unpackInto(squares);
    return squares;
}

void PackedBoard::unpackInto(Board& squares) const {
    if (squares.width() != width_ || squares.height() != height_) {
        squares.resize(width_, height_);
    }
    std::visit(
        [&](const auto& numbers) {
            for (std::size_t square = 0; square < numbers.size(); ++square) {
                // Byte for byte, the padding too.
                std::memcpy(&squares[square], &records_[numbers[square]], sizeof(CellState));
            }
        },
        numbers_);
}

Census PackedBoard::census() const {
    std::vector<int> counts(records_.size(), 0);
    std::visit(
        [&counts](const auto& numbers) {
            for (const auto number : numbers) {
                ++counts[number];
            }
        },
        numbers_);
    Census total;
    for (std::size_t number = 0; number < records_.size(); ++number) {
        const Census one = takeCensus(std::span(&records_[number], 1));
        const int count = counts[number];
        total.empty += one.empty * count;
        for (const std::size_t species : {0U, 1U}) {
            total.lizards[species] += one.lizards[species] * count;
            total.eggs[species] += one.eggs[species] * count;
        }
        total.cats += one.cats * count;
        total.eatingCats += one.eatingCats * count;
    }
    return total;
}

std::size_t PackedBoard::bytes() const {
    return records_.size() * sizeof(CellState) +
           std::visit([](const auto& numbers) { return numbers.size() * sizeof(numbers[0]); }, numbers_);
}
