#pragma once

#include <atomic>
#include <mutex>

// What the model and view threads share besides the board, which every
// thread wrapper may need: the flags the view writes and the model polls,
// the locks around a generation and its display hand-off, and the rule of
// who may touch what, and when. Declared with the board (model/board.h),
// whose threads they steer.
//
// Who touches what. The model thread computes the generations; the view
// thread owns the window.
//
// - The window's board (model/board.h), the model's rules, lattice and
//   generation seed, and the run session (app/run_session.h): the model
//   thread changes the board, and reads the rest, only while it holds
//   generationMutex, from the start of a generation until the window has
//   shown it. The view thread reads or changes any of them only with a
//   BoardAccess (below), which it has while it holds generationMutex or
//   while the model waits in its hand-off for the board to be shown. Being
//   the only writer of the board's size, the rules, the lattice and the
//   session, the view thread may read those at any time.
// - The model's watched turn: any thread, through Model::watch and
//   Model::watchedTurn, which take the model's own lock. It tells about the
//   board on screen only once the generation it comes from has been shown.
// - The scene, the viewer and the window's widgets: the view thread alone.
//   The model has the board shown by its hand-off: it sends the window the
//   message to show it and waits until the view thread has.
// - runFlag and quitFlag: atomic, for any thread. The view thread writes
//   runFlag; the window's close and a thread wrapper's stop set quitFlag;
//   the model polls both.
// - boardMutex: the model thread's alone, held around each hand-off.
//
// No thread ever tries or takes a std::mutex it already holds: on the view
// thread nothing but BoardAccess takes generationMutex, and an access within
// another, or within the hand-off, takes nothing.

// Written by the view thread, polled by the model thread.
extern std::atomic<bool> runFlag;
extern std::atomic<bool> quitFlag;

// Held by the model thread around each display hand-off.
extern std::mutex boardMutex;

// Held by the model thread from the start of a generation until it is on
// screen, so that the view's clear and fill, which only try it, never
// overlap a generation still finishing after stop was pressed.
extern std::mutex generationMutex;

// The view thread's way to the board, the run session and the model's
// rules: access while it holds generationMutex, or while the model waits in
// its hand-off. Only tried, never waited for, since a generation waits for
// the view thread to show it: without access a generation is being
// computed, and the caller tries again once it is on screen. Never held
// across a dialog or anything else that runs the event loop.
class BoardAccess {
public:
    // Tries generationMutex, unless the calling thread has access already.
    BoardAccess();
    ~BoardAccess();
    BoardAccess(const BoardAccess&) = delete;
    BoardAccess& operator=(const BoardAccess&) = delete;

    [[nodiscard]] explicit operator bool() const { return granted_; }
    // Whether the calling thread has access now: for the code that only
    // runs within an access to check it.
    [[nodiscard]] static bool held();

    // The view thread while it shows the generation the model hands off:
    // the model holds generationMutex and waits until it is shown, so every
    // access meanwhile is granted without the lock.
    class ModelWaits {
    public:
        ModelWaits();
        ~ModelWaits();
        ModelWaits(const ModelWaits&) = delete;
        ModelWaits& operator=(const ModelWaits&) = delete;
    };

private:
    bool granted_ = false;
    bool locked_ = false;
};
