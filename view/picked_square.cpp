// The picked square: the board marks it, the model watches it, and the
// inspector tells about it and the turn its creature took.

#include <cassert>
#include <optional>
#include <utility>

#include <Inventor/nodes/SoSelection.h>

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
    matingOrigin.reset();
    followedFate.reset();
}

void View::pick(std::optional<int> square) {
    if (square == picked) {
        return;
    }
    picked = square;
    markSquare(square);
    if (model != nullptr) {
        model->watch(square.value_or(-1), following);
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
    Remembered remembered{session != nullptr ? session->generation() : 0, eggOrigin, matingOrigin, followedFate};
    // A mating gone back to is told from its first generation on, as one
    // seen while running.
    if (turn && turn->square == *picked) {
        if (auto begun = matingBegun(*turn, *picked, remembered.generation)) {
            matingOrigin = remembered.mating = begun;
        }
    }
    const bool wasShown = inspector->shown();
    sinceInspected.start();
    inspector->show(reportSquare(board, *picked, rulesInForce(), turn, remembered), !runFlag,
                    facesSomewhere(board[static_cast<std::size_t>(*picked)]));
    if (!wasShown) {
        panel->sideChanged();
    }
}

void View::toggleFollowing() {
    following = !following;
    followedFate.reset();
    if (inspector != nullptr) {
        inspector->showFollowing(following);
    }
    if (model != nullptr && picked) {
        model->watch(*picked, following);
    }
    inspect();
}

void View::watchedTurnShown() {
    assert(BoardAccess::held());
    if (!picked || model == nullptr || session == nullptr) {
        return;
    }
    std::optional<Model::WatchedTurn> turn = model->watchedTurn();
    if (!turn || turn->square != *picked) {
        return;
    }
    const std::int64_t generation = session->generation();
    if (turn->eggLaid) {
        eggOrigin = EggOrigin{generation, *turn->eggLaid};
    }
    if (auto begun = matingBegun(*turn, *picked, generation)) {
        matingOrigin = begun;
    }
    if (!following) {
        return;
    }
    const FollowStep step = followCreature(*turn, generation);
    if (step.square != *picked) {
        const bool ownTurn = turn->from == *picked;
        picked = step.square;
        markSquare(picked);
        forgetTurn();
        turnFresh = true;
        // Its turn is told on the square it went to.
        if (ownTurn) {
            turn->square = step.square;
            pastTurn = std::move(turn);
        }
        // A click on the square it left picks that square again; a large
        // board's one node stays selected, and picks at every click.
        if (selectionRoot != nullptr && selectionRoot->getNumSelected() == 1 &&
            !endsAtBoardShape(selectionRoot->getPath(0))) {
            selectionRoot->deselectAll();
        }
    }
    if (step.fate) {
        followedFate = step.fate;
        if (step.fate->event == FollowedFate::Event::kCaught) {
            following = false;
            inspector->showFollowing(false);
        }
    }
    model->watch(*picked, following);
}
