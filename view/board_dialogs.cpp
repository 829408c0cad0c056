// Ctrl+S and Ctrl+O: the board as a file, through the toolkit's dialogs.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QString>

#include "app/run_session.h"
#include "base/thread_flags.h"
#include "model/board.h"
#include "model/packed_board.h"
#include "model/board_file.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/system.h"
#include "platform/window.h"
#include "view/display_update.h"
#include "view/language.h"
#include "view/run_panel.h"
#include "view/user_folders.h"
#include "view/view.h"
#include "view/view_parts.h"

namespace {

// The dialogs offer board files first, by their usual ending, and start in
// the folder of the latest board saved or opened, at first the user's
// documents.
QString boardFilter() { return View::tr("vivar boards (*.vivar);;All files (*)"); }

// The comment a saved board starts with: where it stands in its run, which
// the file itself records, and how to go on.
std::string savedComment(const RunSession::Start& place, const std::string& fileName) {
    std::string comment = "Saved by vivar after generation " + std::to_string(place.generation);
    if (place.seed) {
        comment += " of seed " + std::to_string(*place.seed);
    } else if (!place.nextSeeds.empty()) {
        comment += ", with the recorded seeds of the " + std::to_string(place.nextSeeds.size()) + " that followed";
    } else {
        comment += ", its seeds from the clock";
    }
    return comment + ": continue with vivar --board " + fileName + " or vivar-sim --board " + fileName;
}

}  // namespace

QString View::continuationNotice(const board_file::RunPlace& place, const RunSession::Start& start) {
    const QString generation = language::number(start.generation);
    if (start.seed && place.seed && *start.seed != *place.seed) {
        return tr("The run goes on from generation %1 with seed %2 from --seed, not the board's seed %3")
            .arg(generation)
            .arg(*start.seed)
            .arg(*place.seed);
    }
    if (start.seed && place.seed) {
        return tr("The run goes on from generation %1 with the board's seed %2").arg(generation).arg(*start.seed);
    }
    if (start.seed) {
        return tr("The run goes on from generation %1 with seed %2 from --seed").arg(generation).arg(*start.seed);
    }
    if (!start.nextSeeds.empty()) {
        return tr("The run goes on from generation %1 with the recorded seeds of the %2 generations that followed it, "
                  "then the clock's")
            .arg(generation, language::number(static_cast<std::int64_t>(start.nextSeeds.size())));
    }
    return tr("The run goes on from generation %1 with seeds from the clock").arg(generation);
}

void View::saveBoard() {
    // The board as shown now, whatever the run does while the dialog is up,
    // which runs the event loop and so must not hold the access. Packed: a
    // copy of the largest board would be 96 MB.
    std::optional<PackedBoard> shown;
    Rules rules;
    RunSession::Start place;
    {
        const BoardAccess access;
        if (!access) {
            platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this] { saveBoard(); });
            return;
        }
        shown.emplace(board);
        rules = rulesInForce();
        place = session != nullptr ? session->place() : RunSession::Start{};
    }

    // The title says which generation is saved: while running, the one on
    // screen when the key was pressed. A name without an ending gets the
    // boards' own, so that Open lists it.
    QFileDialog dialog(topLevelWindow.load(), tr("Save the board at generation %1").arg(language::number(place.generation)),
                       user_folders::offered(user_folders::Kind::kBoards), boardFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vivar"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString name = dialog.selectedFiles().constFirst();
    // Qt leaves the ending off where a folder's name has a dot in it.
    if (QFileInfo(name).suffix().isEmpty()) {
        name += QStringLiteral(".vivar");
        if (QFileInfo::exists(name) &&
            QMessageBox::question(topLevelWindow.load(), QStringLiteral("vivar"),
                                  tr("%1 already exists. Do you want to replace it?").arg(QFileInfo(name).fileName())) !=
                QMessageBox::Yes) {
            return;
        }
    }
    user_folders::remember(user_folders::Kind::kBoards, name);
    if (const auto problem = board_file::save(platform::pathFromUtf8(name.toStdString()), *shown, rules,
                                              savedComment(place, QFileInfo(name).fileName().toStdString()), place)) {
        tellProblem(tr("the board was not saved: %1").arg(QString::fromStdString(*problem)));
    }
}

void View::openBoard() {
    if (runFlag) {
        if (panel != nullptr) {
            panel->notice(tr("A board opens only while stopped: stop the run first (Space)."));
        }
        return;
    }
    const QString name = QFileDialog::getOpenFileName(topLevelWindow.load(), tr("Open a board"),
                                                      user_folders::offered(user_folders::Kind::kBoards), boardFilter());
    if (name.isEmpty()) {
        return;
    }
    user_folders::remember(user_folders::Kind::kBoards, name);
    auto opened = std::make_shared<Board>();
    Rules rules;
    board_file::RunPlace place;
    if (const auto problem = board_file::load(platform::pathFromUtf8(name.toStdString()), *opened, rules, &place)) {
        tellProblem(tr("the board was not opened: %1").arg(QString::fromStdString(*problem)));
        return;
    }
    // The run goes on from the board one generation at least.
    if (const auto problem = board_file::noRoomToRun(place.generation, 1)) {
        tellProblem(tr("the board was not opened: %1").arg(name + QStringLiteral(" ") + QString::fromStdString(*problem)));
        return;
    }
    const RunSession::Start start = session != nullptr ? session->continuing(place) : place;
    replaceBoard(opened, rules, start, continuationNotice(place, start));
}

// In place of the board, as a fill is: while stopped, once no generation is
// finishing; the run goes on from the board's generation, by the board's
// rules, which a later fill or clear brings too.
void View::replaceBoard(const std::shared_ptr<Board>& squares, const Rules& rules, const RunSession::Start& start,
                        const QString& notice) {
    if (runFlag) {
        panel->notice(tr("The board was not opened: the run started again before it could be."));
        return;
    }
    const BoardAccess access;
    if (!access) {
        platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds,
                           [this, squares, rules, start, notice] { replaceBoard(squares, rules, start, notice); });
        return;
    }
    PackedBoard before(board);
    // A board of the same size is copied where the model looks at the
    // squares; one of another size is taken whole.
    const bool sameSize = squares->width() == board.width() && squares->height() == board.height();
    bringRules(rules, squares.get());
    if (sameSize) {
        std::copy(squares->begin(), squares->end(), board.begin());
    } else if (model == nullptr) {
        board = std::move(*squares);
    }
    doUpdates();
    trace::flush();
    navigator_.newRun(RunSession::Change::kOpen, std::move(before), start, notice);
}
