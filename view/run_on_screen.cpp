// The run on screen, from the window's side: each generation shown, a new
// run, going back and forth, edits, undo and redo, moving on from an edited
// board, play and step, and the status line.

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>
#include <utility>

#include <QString>
#include <QStringList>

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>

#include "app/run_session.h"
#include "app/steering.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/census.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/window.h"
#include "view/display_update.h"
#include "view/filming.h"
#include "view/language.h"
#include "view/picture_folders.h"
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

void View::generationShown() {
    assert(BoardAccess::held());
    if (session == nullptr) {
        return;
    }
    const Census census = takeCensus(board);
    session->generationShown(model->generationSeed(), board, census);
    steering->generationShown();
    if (steering->stepDone()) {
        runFlag = false;
    }
    if (steering->pace() == 0) {
        // Nothing may have changed on the board, yet the model waits for a frame.
        viewer->scheduleRedraw();
    }
    filmGeneration();
    panel->generationShown(session->populations(), census, status());
    tellNewCountsFile();
    turnFresh = true;
    pastTurn.reset();
    // Every generation, however seldom the square is retold: the model
    // keeps only the latest turn.
    watchedTurnShown();
    // Retelling the square costs the window more than a generation at the
    // fastest paces, and nobody reads forty a second: as with the chart,
    // at most a few times a second, always with the latest generation.
    if (!sinceInspected.isValid() || sinceInspected.elapsed() >= kInspectIntervalMilliseconds) {
        inspect();
    } else if (!inspectPending) {
        inspectPending = true;
        platform::runLater(topLevelWindow.load(), kInspectIntervalMilliseconds, [this] {
            inspectPending = false;
            inspect();
        });
    }
}

void View::runShown() {
    assert(BoardAccess::held());
    if (session == nullptr) {
        return;
    }
    panel->restart(session->populations(), takeCensus(board), status());
    forgetTurn();
    inspect();
}

void View::newRun(RunSession::Change change, PackedBoard before, const RunSession::Start& start,
                  const QString& notice) {
    assert(BoardAccess::held());
    if (session == nullptr) {
        return;
    }
    const bool ranBefore = session->history().latest() > session->history().earliest();
    session->restart(change, std::move(before), board, rulesInForce(), start);
    runShown();
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
        panel->notice(text);
    }
}

void View::statusChanged() {
    if (session != nullptr) {
        panel->statusChanged(status());
        // The edit buttons work only while stopped.
        inspect();
    }
}

void View::edit(const std::function<void(CellState&)>& change) {
    if (runFlag || !picked || session == nullptr) {
        return;
    }
    const BoardAccess access;
    if (!access) {
        // A generation still finishing after stop; the edit waits for it,
        // and is told rather than lost if the run starts again first.
        platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this, change] {
            if (runFlag) {
                panel->notice(tr("The edit was not made: the run started again before it could be."));
                return;
            }
            edit(change);
        });
        return;
    }
    const auto square = static_cast<std::size_t>(*picked);
    const CellState before = board[square];
    change(board[square]);
    if (std::memcmp(&before, &board[square], sizeof before) == 0) {
        return;  // nothing changed, nothing to undo
    }
    const bool waitingBefore = session->edited();
    doUpdates();
    trace::flush();
    forgetTurn();
    session->edit(*picked, before, board);
    panel->populationsChanged(session->populations(), takeCensus(board), status());
    if (!waitingBefore && session->generation() < session->history().latest()) {
        panel->notice(tr("Generation %1 is edited: the recorded generations after it stay until the run goes on "
                         "from this board (Ctrl+Z undoes the edit)")
                          .arg(language::number(session->generation())));
    }
    inspect();
}

bool View::movingOn() {
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
    panel->populationsChanged(session->populations(), takeCensus(board), status());
    if (at < latest) {
        panel->notice(tr("Generations %1 to %2 are set aside: the run goes on from the edited board "
                         "(Ctrl+Z brings them back)")
                          .arg(language::number(at + 1), language::number(latest)));
    }
    return true;
}

void View::undoOrRedo(bool undoing) {
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
        platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this, undoing] {
            if (!runFlag) {
                undoOrRedo(undoing);
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
    const std::optional<RunSession::Done> done = undoing ? session->undo(squares) : session->redo(squares);
    if (squares.width() == width && squares.height() == height) {
        std::swap(squares, board);
    }
    if (!done) {
        panel->notice(undoing ? tr("Nothing to undo.") : tr("Nothing to redo."));
        return;
    }
    // A run of another size brings its board, torus and tiles.
    bringRules(session->rulesInForce(), &squares);
    doUpdates();
    trace::flush();
    runShown();
    const QString what = changeName(*done, session->rulesInForce());
    if (done->lost) {
        panel->notice(tr("Not undone: %1 is older than the history, which let it go to save memory.").arg(what));
    } else {
        panel->notice(undoing ? tr("Undone: %1").arg(what) : tr("Redone: %1").arg(what));
    }
}

void View::tellNewCountsFile() {
    if (const auto file = session->takeNewCountsFile()) {
        const QString name = QString::fromStdString(file->name);
        const QString line =
            file->namedHeldOthers
                ? tr("the counts file named holds the rows of another run, which stay: this run's counts go to %1")
                      .arg(name)
                : tr("the counts of this run go to a file of their own, %1").arg(name);
        std::fprintf(stderr, "vivar: %s\n", line.toUtf8().constData());
        panel->notice(line);
    }
}

RunPanel::Status View::status() const {
    std::string problem = session->countsProblem();
    if (const int error = trace::failure(); error != 0) {
        problem += (problem.empty() ? "" : "; ") + traceProblem(error);
        tellTraceFailureOnce();
    }
    if (const QString missing = missingPicturesStatus(); !missing.isEmpty()) {
        problem += (problem.empty() ? "" : "; ") + missing.toStdString();
    }
    RunPanel::Status status;
    status.generation = session->generation();
    status.running = runFlag;
    status.paceMilliseconds = steering->pace();
    status.seed = session->seed();
    status.problem = problem;
    status.rules = differences(rulesInForce());
    status.latest = session->history().latest();
    status.earliest = session->history().earliest();
    status.edited = session->edited();
    if (filming) {
        status.filmFrames = filming->recorder->framesAdded();
    }
    return status;
}

void View::togglePlay() {
    const int id = runFlag ? kStop : kPlay;
    platform::sendMessage(topLevelWindow, platform::kCommandMessage, platform::commandParameter(id), 0);
}

// While running it stops after the generation under way, as stop does.
void View::stepOnce() {
    if (runFlag) {
        runFlag = false;
    } else {
        if (!movingOn()) {
            platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this] { stepOnce(); });
            return;
        }
        steering->step();
        runFlag = true;
        steering->wake();
    }
    statusChanged();
}

void View::goBack() {
    if (session != nullptr) {
        goTo(session->generation() - 1);
    }
}

void View::goTo(std::int64_t generation) {
    if (session == nullptr || model == nullptr || quitFlag) {
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
        platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this, generation] { goTo(generation); });
        return;
    }
    std::optional<Model::WatchedTurn> turn = history.rebuildInto(generation, board, picked.value_or(-1));
    doUpdates();
    session->wentTo(generation);
    forgetTurn();
    pastTurn = std::move(turn);
    panel->wentTo(takeCensus(board), status());
    inspect();
}
