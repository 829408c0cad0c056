// The rules the board runs by: the model's, brought with the board's size
// by a fill, a clear, an undo or an opened board; and the rules dialog,
// which chooses the rules the next fill or clear brings.

#include <cassert>
#include <utility>

#include <Inventor/nodes/SoSelection.h>

#include "app/console_trace.h"
#include "app/run_session.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/model.h"
#include "platform/window.h"
#include "view/camera.h"
#include "view/rules_dialog.h"
#include "view/run_panel.h"
#include "view/scene.h"
#include "view/view.h"
#include "view/view_parts.h"

Rules View::rulesInForce() const {
    if (model != nullptr) {
        return model->rules;
    }
    Rules rules;
    rules.width = board.width();
    rules.height = board.height();
    return rules;
}

void View::bringRules(const Rules& rules, Board* squares) {
    assert(BoardAccess::held());
    if (model == nullptr) {
        return;
    }
    model->rules = rules;
    if (rules.width == board.width() && rules.height == board.height()) {
        return;
    }
    // The board, the model's torus and the tiles change size together. The
    // picked square goes first, so that the deselection does not retell it:
    // the caller retells the board once it is filled or cleared.
    picked_.letGo();
    if (selectionRoot != nullptr) {
        selectionRoot->deselectAll();
    }
    // A board of the new size is taken whole where there is one: the
    // largest boards are never held twice.
    if (squares != nullptr && squares->width() == rules.width && squares->height() == rules.height) {
        board = std::move(*squares);
    } else {
        board.resize(rules.width, rules.height);
    }
    model->setUpLattice();
    console_trace::fitTo(rules, *model);
    resizeScene();
    if (viewer != nullptr) {
        frameBoard(*viewer);
        setTransparency(*viewer);
    }
}

void View::chooseRules() {
    if (session == nullptr || model == nullptr) {
        return;
    }
    if (runFlag) {
        panel->notice(tr("The rules change only while stopped: stop the run first (Space)."));
        return;
    }
    RulesDialog dialog(topLevelWindow.load(), session->chosenRules(), model->rules);
    if (dialog.exec() != QDialog::Accepted || dialog.rules() == session->chosenRules()) {
        return;
    }
    keepChosenRules(dialog.rules());
}

void View::keepChosenRules(const Rules& rules) {
    const BoardAccess access;
    if (!access) {
        // The generation still finishing after stop is shown first.
        platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this, rules] { keepChosenRules(rules); });
        return;
    }
    session->chooseRules(rules);
    if (rules != model->rules) {
        panel->notice(tr("The new rules come with the next fill (4) or clear (3)."));
    }
}
