// The run's history from the window's side: a new run, going back and
// forth, edits, undo and redo, and moving on from an edited board.

#include "view/navigator.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <optional>
#include <utility>

#include <QString>
#include <QStringList>

#include "app/run_session.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/census.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/window.h"
#include "view/display_update.h"
#include "view/language.h"
#include "view/picked_square.h"
#include "view/run_panel.h"
#include "view/square_report.h"
#include "view/view.h"
#include "view/view_parts.h"

namespace {

// "the fill", "the edit of row 3, column 5 at generation 59": what an undo
// or redo did, in words.
QString changeName(const RunSession::Done& done, const Rules& rules) {
    switch (done.change) {
        case RunSession::Change::kEdit:
            return View::tr("the edit of %1 at generation %2")
                .arg(placeName(done.square, rules), language::number(done.generation));
        case RunSession::Change::kFill:
            return View::tr("the fill");
        case RunSession::Change::kClear:
            return View::tr("the clear");
        case RunSession::Change::kOpen:
            return View::tr("the opened board");
        case RunSession::Change::kRules:
            return View::tr("the new rules");
    }
    return {};
}

}  // namespace

void Navigator::newRun(RunSession::Change change, PackedBoard before, const RunSession::Start& start,
                       const QString& notice) {
    assert(BoardAccess::held());
    RunSession* const session = view_.runSession();
    if (session == nullptr) {
        return;
    }
    const bool ranBefore = session->history().latest() > session->history().earliest();
    session->restart(change, std::move(before), board, view_.rulesInForce(), start);
    view_.runShown();
    QStringList told;
    if (!notice.isEmpty()) {
        told << notice;
    }
    if (ranBefore) {
        told << tr("the run before is kept: Ctrl+Z brings it back");
    }
    if (!told.isEmpty()) {
        QString text = told.join(QStringLiteral("; "));
        text[0] = text[0].toUpper();
        view_.runPanel()->notice(text);
    }
}

void Navigator::edit(const std::function<void(CellState&)>& change) {
    RunSession* const session = view_.runSession();
    RunPanel* const panel = view_.runPanel();
    if (runFlag || !view_.picked().square() || session == nullptr) {
        return;
    }
    const BoardAccess access;
    if (!access) {
        // A generation still finishing after stop; the edit waits for it,
        // and is told rather than lost if the run starts again first.
        platform::runLater(view_.window(), kBusyRetryMilliseconds, [this, change] {
            if (runFlag) {
                view_.runPanel()->notice(tr("The edit was not made: the run started again before it could be."));
                return;
            }
            edit(change);
        });
        return;
    }
    const int picked = *view_.picked().square();
    const auto square = static_cast<std::size_t>(picked);
    const CellState before = board[square];
    change(board[square]);
    if (std::memcmp(&before, &board[square], sizeof before) == 0) {
        return;  // nothing changed, nothing to undo
    }
    const bool waitingBefore = session->edited();
    doUpdates();
    trace::flush();
    view_.picked().forgetTurn();
    session->edit(picked, before, board);
    panel->populationsChanged(session->populations(), takeCensus(board), view_.status());
    if (!waitingBefore && session->generation() < session->history().latest()) {
        panel->notice(tr("Generation %1 is edited: the recorded generations after it stay until the run goes on "
                         "from this board (Ctrl+Z undoes the edit)")
                          .arg(language::number(session->generation())));
    }
    view_.picked().inspect();
}

bool Navigator::movingOn() {
    RunSession* const session = view_.runSession();
    RunPanel* const panel = view_.runPanel();
    if (session == nullptr || !session->edited()) {
        return true;
    }
    // The model waits while stopped, so nothing holds the lock but a
    // generation still finishing, which edits wait for.
    const BoardAccess access;
    if (!access) {
        return false;
    }
    const std::int64_t at = session->generation();
    const std::int64_t latest = session->history().latest();
    session->movingOn(board);
    panel->populationsChanged(session->populations(), takeCensus(board), view_.status());
    if (at < latest) {
        panel->notice(tr("Generations %1 to %2 are set aside: the run goes on from the edited board "
                         "(Ctrl+Z brings them back)")
                          .arg(language::number(at + 1), language::number(latest)));
    }
    return true;
}

void Navigator::undoOrRedo(RunSession::Direction direction) {
    RunSession* const session = view_.runSession();
    RunPanel* const panel = view_.runPanel();
    const bool undoing = direction == RunSession::Direction::kUndo;
    if (session == nullptr || quitFlag) {
        return;
    }
    if (runFlag) {
        panel->notice(undoing ? tr("Undo works while stopped: stop the run first (Space).")
                              : tr("Redo works while stopped: stop the run first (Space)."));
        return;
    }
    const BoardAccess access;
    if (!access) {
        platform::runLater(view_.window(), kBusyRetryMilliseconds, [this, direction] {
            if (!runFlag) {
                undoOrRedo(direction);
            }
        });
        return;
    }
    // The session changes the board where it lies, which the model's torus
    // points into: the largest boards are not copied.
    Board squares(0, 0);
    std::swap(squares, board);
    const int width = squares.width();
    const int height = squares.height();
    const std::optional<RunSession::Done> done = session->undoOrRedo(direction, squares);
    if (squares.width() == width && squares.height() == height) {
        std::swap(squares, board);
    }
    if (!done) {
        panel->notice(undoing ? tr("Nothing to undo.") : tr("Nothing to redo."));
        return;
    }
    // A run of another size brings its board, torus and tiles.
    view_.bringRules(session->rulesInForce(), &squares);
    doUpdates();
    trace::flush();
    view_.runShown();
    const QString what = changeName(*done, session->rulesInForce());
    if (done->lost) {
        panel->notice(tr("Not undone: %1 is older than the history, which let it go to save memory.").arg(what));
    } else {
        panel->notice(undoing ? tr("Undone: %1").arg(what) : tr("Redone: %1").arg(what));
    }
}

void Navigator::goBack() {
    RunSession* const session = view_.runSession();
    if (session != nullptr) {
        goTo(session->generation() - 1);
    }
}

void Navigator::goTo(std::int64_t generation) {
    RunSession* const session = view_.runSession();
    RunPanel* const panel = view_.runPanel();
    if (session == nullptr || view_.runModel() == nullptr || quitFlag) {
        return;
    }
    if (runFlag) {
        panel->notice(tr("The run goes back only while stopped: stop it first (Space)."));
        return;
    }
    if (session->edited()) {
        panel->notice(tr("Generation %1 is edited: go on from it (N) or undo the edits (Ctrl+Z) before going to "
                         "another generation.")
                          .arg(language::number(session->generation())));
        return;
    }
    const RunHistory& history = session->history();
    if (generation < history.earliest()) {
        panel->notice(history.earliest() == session->firstGeneration()
                          ? tr("Generation %1 is where this run starts.").arg(language::number(history.earliest()))
                          : tr("The history goes back to generation %1: older ones were let go to save memory.")
                                .arg(language::number(history.earliest())));
        generation = history.earliest();
    }
    generation = std::min(generation, history.latest());
    if (generation == session->generation()) {
        return;
    }
    const BoardAccess access;
    if (!access) {
        // The generation still finishing after stop is shown first.
        platform::runLater(view_.window(), kBusyRetryMilliseconds, [this, generation] { goTo(generation); });
        return;
    }
    std::optional<Model::WatchedTurn> turn =
        history.rebuildInto(generation, board, view_.picked().square().value_or(-1));
    doUpdates();
    session->wentTo(generation);
    view_.picked().wentTo(std::move(turn));
    panel->wentTo(takeCensus(board), view_.status());
    view_.picked().inspect();
}
