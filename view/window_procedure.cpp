// The top-level window's procedure: the eight buttons' commands, the close
// request, and the user messages, among them the model's hand-off.

#include "view/view.h"

#include <utility>

#include <Inventor/nodes/SoSeparator.h>

#include "app/run_session.h"
#include "app/steering.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/packed_board.h"
#include "model/trace.h"
#include "platform/window.h"
#include "view/display_update.h"
#include "view/scene.h"
#include "view/view_parts.h"

platform::WindowProcedure previousWindowProc = nullptr;

namespace {

// The colour buttons' step, applied in double precision and stored as the
// nearest float; nothing keeps the components within 0..1.
constexpr double kColourStep = 0.3;

float stepped(float component, double step) { return static_cast<float>(component + step); }

// Clear and fill change the board, so they wait for any generation that is
// still being computed or shown.
// Each starts a new run, which Ctrl+Z undoes.
void changeBoardWhenFree(platform::Window window, platform::WParam wParam, RunSession::Change kind,
                         void (*change)()) {
    const BoardAccess access;
    if (!access) {
        platform::postMessage(window, platform::kCommandMessage, wParam, 0, kBusyRetryMilliseconds);
        return;
    }
    const bool steered = liveView != nullptr && liveView->runSession() != nullptr;
    // Packed: on the largest boards a copy as it is would not fit beside
    // the run's history.
    PackedBoard before = steered ? PackedBoard(board) : PackedBoard();
    // A fill or a clear brings the rules chosen for it.
    if (steered) {
        liveView->bringRules(liveView->runSession()->chosenRules());
    }
    change();
    doUpdates();
    if (steered) {
        RunSession::Start start;
        start.seed = liveView->runSession()->windowSeed();
        liveView->navigator().newRun(kind, std::move(before), start);
    }
}

// A fixed seed, when one was asked for, fills the same board every time.
void fill() {
    if (liveView != nullptr && liveView->runSession() != nullptr) {
        liveView->runSteering()->fill(liveView->runSession()->chosenRules());
    } else {
        fillBoard();
    }
}

void handleCommand(platform::Window window, platform::WParam wParam) {
    if (platform::highWord(wParam) != 0) {
        return;
    }
    const int id = platform::lowWord(wParam);
    if (id < View::kPlay || id > View::kMoreGreen) {
        return;
    }
    switch (id) {
        case View::kPlay:
            // Edits in the past become the run's before it goes on.
            if (liveView != nullptr && !runFlag && !liveView->navigator().movingOn()) {
                platform::postMessage(window, platform::kCommandMessage, wParam, 0, kBusyRetryMilliseconds);
                break;
            }
            runFlag = true;
            break;
        case View::kStop:
            runFlag = false;
            break;
        case View::kClear:
            if (!runFlag) {
                changeBoardWhenFree(window, wParam, RunSession::Change::kClear, [] { clearBoard(); });
            }
            break;
        case View::kFill:
            if (!runFlag) {
                changeBoardWhenFree(window, wParam, RunSession::Change::kFill, [] { fill(); });
            }
            break;
        case View::kLessGreen:
            if (!runFlag) {
                backgroundGreen = stepped(backgroundGreen, -kColourStep);
                setBackgroundColor();
            }
            break;
        case View::kMoreBlue:
            if (!runFlag) {
                backgroundBlue = stepped(backgroundBlue, kColourStep);
                setBackgroundColor();
            }
            break;
        case View::kLessBlue:
            if (!runFlag) {
                backgroundBlue = stepped(backgroundBlue, -kColourStep);
                setBackgroundColor();
            }
            break;
        case View::kMoreGreen:
            trace::print("mas verde\n");
            if (!runFlag) {
                trace::print("en el if(%d) mas verde\n", 0);
                backgroundGreen = stepped(backgroundGreen, kColourStep);
                backgroundRed = stepped(backgroundRed, kColourStep);
                backgroundBlue = stepped(backgroundBlue, kColourStep);
                setBackgroundColor();
            }
            break;
        default:  // 108 to 110 belong to no button
            break;
    }
}

}  // namespace

void View::showBoard() const { platform::sendMessage(topLevelWindow.load(), kShowBoard, 0, 0); }

platform::MessageResult viewWindowProc(platform::Window window, unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) {
    platform::MessageResult result = 0;
    switch (message) {
        case platform::kCloseMessage:
            // The window goes at once, and the model's pause with it: only
            // the generation under way, or the one more after a close while
            // stopped, is left to finish.
            platform::hide(window);
            platform::exitEventLoop();
            quitFlag = true;
            if (liveView != nullptr) {
                liveView->endExperimentForClose();
            }
            if (liveView != nullptr && liveView->runSteering() != nullptr) {
                liveView->runSteering()->wake();
            }
            break;
        case platform::kCommandMessage:
            // A click or key that the event loop still delivers after the
            // close does nothing.
            if (quitFlag) {
                break;
            }
            handleCommand(window, wParam);
            if (liveView != nullptr && liveView->runSteering() != nullptr && platform::highWord(wParam) == 0) {
                if (platform::lowWord(wParam) == View::kPlay) {
                    liveView->runSteering()->cancelStep();
                }
                liveView->statusChanged();
            }
            break;
        case View::kCloseThroughBinding:
            result = platform::callWindowProcedure(previousWindowProc, window, platform::kCloseMessage, wParam, lParam);
            break;
        case View::kShowBoard: {
            // The model's hand-off: it holds the generation and waits until
            // the board is shown, so the board is ours meanwhile.
            const BoardAccess::ModelWaits waits;
            doUpdates();
            if (liveView != nullptr) {
                liveView->generationShown();
            }
            break;
        }
        case View::kReleaseScene:
            // Only the live View may be named: the parameter is not trusted
            // as a pointer otherwise.
            if (liveView != nullptr && wParam == reinterpret_cast<platform::WParam>(liveView) && tileRoot != nullptr) {
                platform::hide(liveView->window());
                tileRoot->unref();
                tileRoot = nullptr;
            }
            break;
        default:
            result = platform::callWindowProcedure(previousWindowProc, window, message, wParam, lParam);
            break;
    }
    // Whatever a message printed reaches the console now, not at the next
    // generation.
    trace::flush();
    return result;
}
