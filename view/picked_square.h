#pragma once

// The picked square and what the window keeps about it: the board marks it,
// the model watches it, and the inspector tells about it and the turn its
// creature took, following the creature where asked.

#include <memory>
#include <optional>
#include <vector>

#include <QElapsedTimer>
#include <QString>

#include "model/model.h"
#include "platform/window.h"
#include "view/square_panel.h"
#include "view/square_report.h"

class View;

class PickedSquare {
public:
    explicit PickedSquare(View& view);
    ~PickedSquare();
    PickedSquare(const PickedSquare&) = delete;
    PickedSquare& operator=(const PickedSquare&) = delete;

    [[nodiscard]] std::optional<int> square() const { return square_; }
    // The board marks it, the inspector tells about it and the model keeps
    // its creature's turns.
    void pick(std::optional<int> square);
    // Lets go of it without retelling anything, as the board changes size.
    void letGo();
    // An arrow key: the square next to it across or down, round the torus;
    // the board's middle square when none is picked.
    void step(int dx, int dy);
    // Retells the picked square; not while a generation is being computed,
    // which is told once it is shown.
    void inspect();
    // The inspector's panel in `window`, with its edit buttons; F and its
    // check box follow the creature.
    [[nodiscard]] QWidget* makeInspector(platform::Window window, const std::vector<Inspector::Edit>& edits,
                                         const QString& followToolTip);
    // The inspector's controls in the order Tab reaches them.
    [[nodiscard]] std::vector<QWidget*> tabOrder() const {
        return inspector_ != nullptr ? inspector_->tabOrder() : std::vector<QWidget*>{};
    }
    // F or the inspector's check box: the picked square moves with its
    // creature, generation by generation, until a cat catches it.
    void toggleFollowing();
    // The generation the model handed off is on the board; within its
    // BoardAccess.
    void generationShown();
    // The board is the history's, gone back or forth to: `turn` is the
    // picked square's turn in it, replayed.
    void wentTo(std::optional<Model::WatchedTurn> turn);
    // The board changed other than by a generation: no turn told belongs to
    // it any more.
    void forgetTurn();

private:
    // Each generation shown, however seldom the square is retold: keeps
    // what the model's turn for the picked square tells of later ones, and
    // moves the square with the creature followed.
    void watchedTurnShown();

    View& view_;
    // Its widgets belong to the window; this is the rest of it.
    std::unique_ptr<Inspector> inspector_;
    std::optional<int> square_;
    // Whether the model's watched turn belongs to the board as shown.
    bool turnFresh_ = false;
    // The picked square's turn in the generation gone back to, replayed.
    std::optional<Model::WatchedTurn> pastTurn_;
    // An egg laid on the picked square since it was picked, a mating of
    // its lizard, and what became of the creature followed to it.
    std::optional<EggOrigin> eggOrigin_;
    std::optional<MatingOrigin> matingOrigin_;
    std::optional<FollowedFate> followedFate_;
    bool following_ = false;
    QElapsedTimer sinceInspected_;
    bool inspectPending_ = false;
};
