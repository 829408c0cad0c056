// The picked square: the board marks it, the model watches it, and the
// inspector_ tells about it and the turn its creature took.

#include "view/picked_square.h"

#include <cassert>
#include <memory>
#include <optional>
#include <utility>

#include <Inventor/nodes/SoSelection.h>

#include "app/run_session.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/model.h"
#include "platform/window.h"
#include "view/board_sight.h"
#include "view/scene.h"
#include "view/run_panel.h"
#include "view/square_panel.h"
#include "view/square_report.h"
#include "view/view.h"
#include "view/view_parts.h"

bool facesSomewhere(const CellState& cell) {
    return cell.kind == kCat || (isLizard(cell.kind) && cell.juvenile != 1);
}

PickedSquare::PickedSquare(View& view) : view_(view) {}

PickedSquare::~PickedSquare() = default;

void PickedSquare::forgetTurn() {
    turnFresh_ = false;
    pastTurn_.reset();
    eggOrigin_.reset();
    matingOrigin_.reset();
    followedFate_.reset();
}

void PickedSquare::pick(std::optional<int> square) {
    Model* const model = view_.runModel();
    const RunSession* const session = view_.runSession();
    if (square == square_) {
        return;
    }
    square_ = square;
    markSquare(square);
    if (model != nullptr) {
        model->watch(square.value_or(-1), following_);
    }
    forgetTurn();
    // While stopped, the creature's turn in the generation on screen is
    // replayed for it, so that its life can be walked back; not on a board
    // edited since.
    if (square && session != nullptr && !runFlag && !session->edited() &&
        session->generation() > session->history().earliest()) {
        if (const BoardAccess access; access) {
            // Rebuilt where it is shown, into the same board.
            pastTurn_ = session->history().rebuildInto(session->generation(), board, *square);
        }
    }
    inspect();
}

void PickedSquare::step(int dx, int dy) {
    const Rules rules = view_.rulesInForce();
    const int across = rules.width;
    const int down = rules.height;
    if (across <= 0 || down <= 0) {
        return;
    }
    const std::optional<int> from = square_;
    // A click on the square left behind picks it again.
    if (selectionRoot != nullptr && selectionRoot->getNumSelected() > 0) {
        selectionRoot->deselectAll();
    }
    pick(from ? squareStepped(*from / down, *from % down, dx, dy, across, down) : middleSquare(across, down));
}

void PickedSquare::letGo() {
    square_.reset();
    if (view_.runModel() != nullptr) {
        view_.runModel()->watch(-1);
    }
    forgetTurn();
}

void PickedSquare::inspect() {
    if (inspector_ == nullptr) {
        return;
    }
    if (!square_) {
        if (inspector_->shown()) {
            inspector_->hide();
            view_.runPanel()->sideChanged();
        }
        return;
    }
    Model* const model = view_.runModel();
    const RunSession* const session = view_.runSession();
    const BoardAccess access;
    if (!access) {
        // A generation is being computed; it will be shown, and told, soon.
        return;
    }
    std::optional<Model::WatchedTurn> turn = pastTurn_;
    if (!turn && turnFresh_ && model != nullptr) {
        turn = model->watchedTurn();
    }
    Remembered remembered{session != nullptr ? session->generation() : 0, eggOrigin_, matingOrigin_, followedFate_};
    // A mating gone back to is told from its first generation on, as one
    // seen while running.
    if (turn && turn->square == *square_) {
        if (auto begun = matingBegun(*turn, *square_, remembered.generation)) {
            matingOrigin_ = remembered.mating = begun;
        }
    }
    const bool wasShown = inspector_->shown();
    sinceInspected_.start();
    inspector_->show(reportSquare(board, *square_, view_.rulesInForce(), turn, remembered), !runFlag,
                    facesSomewhere(board[static_cast<std::size_t>(*square_)]));
    if (!wasShown) {
        view_.runPanel()->sideChanged();
    }
}

QWidget* PickedSquare::makeInspector(platform::Window window, const std::vector<Inspector::Edit>& edits,
                                     const QString& followToolTip) {
    inspector_ = std::make_unique<Inspector>(window, edits, RunPanel::kNarrowestWidth,
                                             [this] { toggleFollowing(); }, followToolTip);
    platform::addShortcut(window, "F", [this] { toggleFollowing(); });
    return inspector_->widget();
}

void PickedSquare::generationShown() {
    assert(BoardAccess::held());
    turnFresh_ = true;
    pastTurn_.reset();
    // Every generation, however seldom the square is retold: the model
    // keeps only the latest turn.
    watchedTurnShown();
    // Retelling the square costs the window more than a generation at the
    // fastest paces, and nobody reads forty a second: as with the chart,
    // at most a few times a second, always with the latest generation.
    if (!sinceInspected_.isValid() || sinceInspected_.elapsed() >= kInspectIntervalMilliseconds) {
        inspect();
    } else if (!inspectPending_) {
        inspectPending_ = true;
        platform::runLater(view_.window(), kInspectIntervalMilliseconds, [this] {
            inspectPending_ = false;
            inspect();
        });
    }
}

void PickedSquare::wentTo(std::optional<Model::WatchedTurn> turn) {
    forgetTurn();
    pastTurn_ = std::move(turn);
}

void PickedSquare::toggleFollowing() {
    following_ = !following_;
    followedFate_.reset();
    if (inspector_ != nullptr) {
        inspector_->showFollowing(following_);
    }
    if (view_.runModel() != nullptr && square_) {
        view_.runModel()->watch(*square_, following_);
    }
    inspect();
}

void PickedSquare::watchedTurnShown() {
    Model* const model = view_.runModel();
    const RunSession* const session = view_.runSession();
    assert(BoardAccess::held());
    if (!square_ || model == nullptr || session == nullptr) {
        return;
    }
    std::optional<Model::WatchedTurn> turn = model->watchedTurn();
    if (!turn || turn->square != *square_) {
        return;
    }
    const std::int64_t generation = session->generation();
    if (turn->eggLaid) {
        eggOrigin_ = EggOrigin{generation, *turn->eggLaid};
    }
    if (auto begun = matingBegun(*turn, *square_, generation)) {
        matingOrigin_ = begun;
    }
    if (!following_) {
        return;
    }
    const FollowStep step = followCreature(*turn, generation);
    if (step.square != *square_) {
        const bool ownTurn = turn->from == *square_;
        square_ = step.square;
        markSquare(square_);
        forgetTurn();
        turnFresh_ = true;
        // Its turn is told on the square it went to.
        if (ownTurn) {
            turn->square = step.square;
            pastTurn_ = std::move(turn);
        }
        // A click on the square it left picks that square again; a large
        // board's one node stays selected, and picks at every click.
        if (selectionRoot != nullptr && selectionRoot->getNumSelected() == 1 &&
            !endsAtBoardShape(selectionRoot->getPath(0))) {
            selectionRoot->deselectAll();
        }
    }
    if (step.fate) {
        followedFate_ = step.fate;
        if (step.fate->event == FollowedFate::Event::kCaught) {
            following_ = false;
            inspector_->showFollowing(false);
        }
    }
    model->watch(*square_, following_);
}
