#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <mutex>

// One byte that the rules treat as a boolean. Some rules test for exactly 1
// and flip "1 to 0, anything else to 1", so it must be able to hold any byte.
using Flag = std::uint8_t;

inline constexpr int kBoardSide = 20;
inline constexpr int kSquareCount = kBoardSide * kBoardSide;

// What occupies a square.
inline constexpr int kEmpty = 0;
inline constexpr int kLizard1 = 1;
inline constexpr int kLizard2 = 2;
inline constexpr int kCat = 3;

// The record of one board square. The record belongs to the square, not to
// the creature: a move copies the creature's fields into the destination.
struct CellState {
    std::int32_t direction;  // heading 1..8, meaningful when kind != kEmpty
    Flag phase;              // which of the creature's two picture sets is shown
    std::int32_t kind;
    Flag juvenile;  // still a hatchling (an egg, on screen)
    std::int32_t age;
    Flag eating;
    std::int32_t eatTurns;
    Flag preyIsKind2;  // species of the lizard being eaten, for its picture
    Flag mating;
    std::int32_t mateTurns;
    Flag processed;  // has acted in the current generation
    std::array<std::int32_t, 8> lookSlots;  // neighbour numbers seen front, front-right, ...
};

// Square index = row * kBoardSide + column. Zero-filled at process start.
extern std::array<CellState, kSquareCount> board;

// Written by the view thread, polled by the model thread.
extern std::atomic<bool> runFlag;
extern std::atomic<bool> quitFlag;

// Held by the model thread around each display hand-off.
extern std::mutex boardMutex;

// Held by the model thread from the start of a generation until it is on
// screen, so that the view's clear and fill, which only try it, never
// overlap a generation still finishing after stop was pressed.
extern std::mutex generationMutex;

// Empties every square; leaves preyIsKind2, mateTurns, processed and the
// look slots as they were.
void clearBoard();

// Seeds the calling thread's generator with the calendar time in seconds and
// populates every square at random, about 60 % empty, 15 % of each lizard
// species and 10 % cats, tracing two lines per square.
void fillBoard();
// The same with a given calendar time, for reproducible runs.
void fillBoard(std::time_t now);

// The same on a board other than the shared one, so that several headless
// runs can go on at once, one per thread.
void clearBoard(std::array<CellState, kSquareCount>& squares);
void fillBoard(std::array<CellState, kSquareCount>& squares, std::time_t now);

// What a person can put on a square by hand.
enum class Occupant { kNothing, kBrownLizard, kGreenLizard, kBrownEgg, kGreenEgg, kHungryCat };

// Puts a new occupant on the square with fresh timers: an adult not mating,
// an egg of age 0, a cat not eating. The square keeps its heading (1 if it
// had none in 1..8) and phase.
void placeOccupant(CellState& cell, Occupant occupant);

// The kind a fill gives for a percentage draw 0..100.
[[nodiscard]] int kindForPercent(int percent);
