#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <span>
#include <vector>

#include "base/thread_flags.h"
#include "model/rules.h"

namespace platform {
struct Generator;
}  // namespace platform
namespace trace {
class Writer;
}  // namespace trace

// One byte that the rules treat as a boolean. Some rules test for exactly 1
// and flip "1 to 0, anything else to 1", so it must be able to hold any byte.
using Flag = std::uint8_t;

// A square's eight look slots, each a neighbour number 0..7.
using LookSlots = std::array<std::int8_t, 8>;

// What occupies a square.
inline constexpr int kEmpty = 0;
inline constexpr int kLizard1 = 1;
inline constexpr int kLizard2 = 2;
inline constexpr int kCat = 3;

// Either species of lizard, egg or adult.
[[nodiscard]] constexpr bool isLizard(int kind) { return kind == kLizard1 || kind == kLizard2; }

// The record of one board square. The record belongs to the square, not to
// the creature: a move copies the creature's fields into the destination.
//
// Kept to 24 bytes, because a large board is visited in random order and a
// visit costs the memory lines it touches: the numbers are as wide as the
// rules need (a heading 1..8, a kind 0..3, timers up to 1000 visits).
struct CellState {
    std::int8_t direction;  // heading 1..8, meaningful when kind != kEmpty
    Flag phase;             // which of the creature's two picture sets is shown
    std::int8_t kind;
    Flag juvenile;  // still a hatchling (an egg, on screen)
    std::int16_t age;
    Flag eating;
    std::int16_t eatTurns;
    Flag preyIsKind2;  // species of the lizard being eaten, for its picture
    Flag mating;
    std::int16_t mateTurns;
    Flag processed;        // has acted in the current generation
    LookSlots lookSlots;  // neighbour numbers seen front, front-right, ...
};
static_assert(sizeof(CellState) == 24);

// The squares of a board `width` squares wide and `height` high, as the home
// view shows it. They lie column after column as seen: square index =
// x * height + y, x counted across from the left and y down from the top.
// The lattice calls x its row and y its column, so a lattice row runs down
// the screen. A new or resized board is zero-filled.
class Board {
public:
    Board() : Board(Rules{}.width, Rules{}.height) {}
    Board(int width, int height) { resize(width, height); }

    // Zero-fills; a board of another size holds only the memory of its own,
    // and no longer keeps its address.
    void resize(int width, int height) {
        width_ = width;
        height_ = height;
        const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        if (count == cells_.size()) {
            cells_.assign(count, CellState{});
        } else {
            std::vector<CellState>(count).swap(cells_);
        }
    }
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] std::size_t size() const { return cells_.size(); }
    [[nodiscard]] std::size_t indexOf(int x, int y) const {
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(height_) + static_cast<std::size_t>(y);
    }

    CellState& operator[](std::size_t square) { return cells_[square]; }
    const CellState& operator[](std::size_t square) const { return cells_[square]; }
    CellState* data() { return cells_.data(); }
    [[nodiscard]] const CellState* data() const { return cells_.data(); }
    auto begin() { return cells_.begin(); }
    auto end() { return cells_.end(); }
    [[nodiscard]] auto begin() const { return cells_.begin(); }
    [[nodiscard]] auto end() const { return cells_.end(); }
    // Whether every field of every square is the same, byte for byte.
    [[nodiscard]] bool sameAs(const Board& other) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<CellState> cells_;
};

// The window's board. Zero-filled at process start.
extern Board board;

// runFlag, quitFlag, boardMutex and generationMutex, which the threads that
// share the board share with it, are in base/thread_flags.h.

// Empties every square; leaves preyIsKind2, mateTurns, processed and the
// look slots as they were.
void clearBoard();

// Seeds the calling thread's generator with the calendar time in seconds and
// populates every square at random, about 60 % empty, 15 % of each lizard
// species and 10 % cats (the standard rules' shares), tracing two lines per
// square.
void fillBoard();
// The same with a given calendar time, for reproducible runs.
void fillBoard(std::time_t now);

// The same on a board other than the shared one, so that several headless
// runs can go on at once, one per thread; the fill with the rules' shares.
void clearBoard(Board& squares);
void fillBoard(Board& squares, std::time_t now, const Rules& rules = {});
// The same fill seeding and drawing from a generator of the caller's, and
// tracing to its writer: a run that owns them.
void fillBoard(Board& squares, std::time_t now, const Rules& rules, platform::Generator& generator,
               trace::Writer& lines);

// What a person can put on a square by hand.
enum class Occupant { kNothing, kBrownLizard, kGreenLizard, kBrownEgg, kGreenEgg, kHungryCat };

// Puts a new occupant on the square with fresh timers: an adult not mating,
// an egg of age 0, a cat not eating. The square keeps its heading (1 if it
// had none in 1..8) and phase.
void placeOccupant(CellState& cell, Occupant occupant);

// The kind a standard fill gives for a percentage draw 0..100.
[[nodiscard]] int kindForPercent(int percent);
