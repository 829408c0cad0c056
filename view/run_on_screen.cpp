// The run on screen, from the window's side: each generation shown, a run
// shown anew, play and step, and the status line.

#include <cassert>
#include <cstdio>

#include <QString>

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
#include "view/picture_folders.h"
#include "view/view.h"
#include "view/view_parts.h"

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
    recorder_.filmGeneration();
    panel->generationShown(session->populations(), census, status());
    tellNewCountsFile();
    picked_.generationShown();
}

void View::runShown() {
    assert(BoardAccess::held());
    if (session == nullptr) {
        return;
    }
    panel->restart(session->populations(), takeCensus(board), status());
    picked_.forgetTurn();
    picked_.inspect();
}

void View::statusChanged() {
    if (session != nullptr) {
        panel->statusChanged(status());
        // The edit buttons work only while stopped.
        picked_.inspect();
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
    const Rules rules = rulesInForce();
    status.rules = differences(rules);
    status.across = rules.width;
    status.down = rules.height;
    status.latest = session->history().latest();
    status.earliest = session->history().earliest();
    status.edited = session->edited();
    status.filmFrames = recorder_.framesAdded();
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
        if (!navigator_.movingOn()) {
            platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this] { stepOnce(); });
            return;
        }
        steering->step();
        runFlag = true;
        steering->wake();
    }
    statusChanged();
}

