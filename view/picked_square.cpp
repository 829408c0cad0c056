// The picked square: the board marks it, the model watches it, and the
// inspector tells about it and the turn its creature took.

#include <optional>

#include "app/run_session.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/model.h"
#include "view/scene.h"
#include "view/square_panel.h"
#include "view/square_report.h"
#include "view/view.h"
#include "view/view_parts.h"

bool facesSomewhere(const CellState& cell) {
    return cell.kind == kCat || (isLizard(cell.kind) && cell.juvenile != 1);
}

void View::forgetTurn() {
    turnFresh = false;
    pastTurn.reset();
    eggOrigin.reset();
}

void View::pick(std::optional<int> square) {
    if (square == picked) {
        return;
    }
    picked = square;
    markSquare(square);
    if (model != nullptr) {
        model->watch(square.value_or(-1));
    }
    forgetTurn();
    // While stopped, the creature's turn in the generation on screen is
    // replayed for it, so that its life can be walked back; not on a board
    // edited since.
    if (square && session != nullptr && !runFlag && !session->edited() &&
        session->generation() > session->history().earliest()) {
        if (const BoardAccess access; access) {
            // Rebuilt where it is shown, into the same board.
            pastTurn = session->history().rebuildInto(session->generation(), board, *square);
        }
    }
    inspect();
}

void View::inspect() {
    if (inspector == nullptr) {
        return;
    }
    if (!picked) {
        if (inspector->shown()) {
            inspector->hide();
            panel->sideChanged();
        }
        return;
    }
    const BoardAccess access;
    if (!access) {
        // A generation is being computed; it will be shown, and told, soon.
        return;
    }
    std::optional<Model::WatchedTurn> turn = pastTurn;
    if (!turn && turnFresh && model != nullptr) {
        turn = model->watchedTurn();
    }
    const bool wasShown = inspector->shown();
    sinceInspected.start();
    inspector->show(reportSquare(board, *picked, rulesInForce(), turn, eggOrigin), !runFlag,
                    facesSomewhere(board[static_cast<std::size_t>(*picked)]));
    if (!wasShown) {
        panel->sideChanged();
    }
}
