#pragma once

// The run's history from the window's side, while stopped: going to a
// generation, editing the board shown, undo and redo, a new run, and going
// on from an edited board.

#include <cstdint>
#include <functional>

#include <QCoreApplication>
#include <QString>

#include "app/run_session.h"
#include "model/board.h"
#include "model/packed_board.h"

class View;

class Navigator {
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    explicit Navigator(View& view) : view_(view) {}

    // The board shown is now `before`'s successor: a new run starts on it,
    // which Ctrl+Z undoes. Within the caller's BoardAccess.
    void newRun(RunSession::Change change, PackedBoard before, const RunSession::Start& start,
                const QString& notice = {});
    // The board as it was at an earlier generation of the run, or at a
    // later one that the history holds, rebuilt exactly. Play and step go
    // on from there, through the same generations again.
    void goTo(std::int64_t generation);
    void goBack();
    // Changes the picked square.
    void edit(const std::function<void(CellState&)>& change);
    // Ctrl+Z and Ctrl+Shift+Z.
    void undoOrRedo(RunSession::Direction direction);
    // Before a generation is computed by play or step: edits in the past
    // become the run's. False when a generation is still finishing, and the
    // run must not start yet.
    bool movingOn();

private:
    View& view_;
};
