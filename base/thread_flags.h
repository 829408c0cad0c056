#pragma once

#include <atomic>
#include <mutex>

// What the model and view threads share besides the board, which every
// thread wrapper may need: the flags the view writes and the model polls,
// and the locks around a generation and its display hand-off. Declared with
// the board (model/board.h), whose threads they steer.

// Written by the view thread, polled by the model thread.
extern std::atomic<bool> runFlag;
extern std::atomic<bool> quitFlag;

// Held by the model thread around each display hand-off.
extern std::mutex boardMutex;

// Held by the model thread from the start of a generation until it is on
// screen, so that the view's clear and fill, which only try it, never
// overlap a generation still finishing after stop was pressed.
extern std::mutex generationMutex;
