// The window's experiments: E sets one up or shows the one under way, a
// point's run is put in the terrarium to watch, and a close ends the table
// at a row boundary.
#include <memory>
#include <string>

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "model/board.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/system.h"
#include "view/experiment_dialog.h"
#include "view/experiment_window.h"
#include "view/language.h"
#include "view/run_panel.h"
#include "view/view.h"
#include "view/view_parts.h"

void View::chooseExperiment() {
    if (experiments_ != nullptr) {
        experiments_->show();
        experiments_->raise();
        experiments_->activateWindow();
        return;
    }
    setUpExperiment();
}

void View::setUpExperiment() {
    if (experiments_ != nullptr && experiments_->busy()) {
        QMessageBox::information(experiments_, tr("vivar experiment"),
                                 tr("An experiment is under way: stop it first to set up another."));
        return;
    }
    const bool before = experiments_ != nullptr && experiments_->lastFields().has_value();
    const ExperimentFields fields = before ? *experiments_->lastFields() : ExperimentDialog::firstFields();
    const QString table = before ? experiments_->lastTable() : ExperimentDialog::freeTableName();
    QWidget* over = experiments_ != nullptr && experiments_->isVisible() ? static_cast<QWidget*>(experiments_)
                                                                          : topLevelWindow.load();
    ExperimentDialog dialog(over, rulesInForce(), fields, table);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::string problem;
    std::unique_ptr<ExperimentRun> run =
        ExperimentRun::start(dialog.setup(), platform::pathFromUtf8(dialog.table().toStdString()), problem);
    if (!run) {
        QMessageBox::warning(over, tr("vivar experiment"),
                             tr("The experiment did not start: %1").arg(QString::fromStdString(problem)));
        return;
    }
    if (experiments_ == nullptr) {
        experiments_ = new ExperimentWindow(
            topLevelWindow.load(),
            {[this](const Rules& rules, std::uint64_t seed) { watchRun(rules, seed); }, [this] { setUpExperiment(); }});
        // Beside the terrarium where the screen has room, else over its
        // right edge: the board stays in sight either way.
        const QWidget* main = topLevelWindow.load();
        const QRect frame = main->frameGeometry();
        const QScreen* shown = QGuiApplication::screenAt(frame.center());
        const QRect screen = shown != nullptr ? shown->availableGeometry() : frame;
        const int width = experiments_->width();
        const int x = frame.right() + width < screen.right() ? frame.right() + 1 : screen.right() - width;
        experiments_->move(x, frame.top());
    }
    experiments_->follow(std::move(run), dialog.fields(), dialog.table());
    experiments_->show();
    experiments_->raise();
}

void View::watchRun(const Rules& rules, std::uint64_t seed) {
    if (session == nullptr || model == nullptr) {
        return;
    }
    if (runFlag) {
        platform::sendMessage(topLevelWindow, platform::kCommandMessage, platform::commandParameter(kStop), 0);
    }
    // The board is the one vivar-sim --seed fills, and generation k is
    // seeded with seed + k, as there.
    trace::Sink silent;
    SeededRun run(rules, &silent);
    run.start(seed);
    auto squares = std::make_shared<Board>(run.squares());
    RunSession::Start start;
    start.seed = static_cast<std::uint32_t>(seed);
    replaceBoard(squares, rules, start,
                 tr("Seed %1 with %2, at generation 0: play (Space) to watch it")
                     .arg(seed)
                     .arg(rules.isStandard() ? tr("the standard rules") : QString::fromStdString(differences(rules))));
    topLevelWindow.load()->activateWindow();
}

void View::endExperimentForClose() {
    if (experiments_ != nullptr && experiments_->endForClose()) {
        leftRunsUnderWay_ = true;
    }
}
