// The window beside the terrarium that follows an experiment: its progress,
// pause and stop, and its plot as the runs come in; or a table opened again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include "film/experiment_plot.h"
#include "model/rules.h"
#include "studies/experiment_run.h"
#include "studies/experiment_tally.h"
#include "view/experiment_setup.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class ExperimentPlotView;

class ExperimentWindow : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(ExperimentWindow)

public:
    // What the window asks of the terrarium: a run to show at generation
    // 0, and a new experiment to set up.
    struct Asks {
        std::function<void(const Rules& rules, std::uint64_t seed)> watch;
        std::function<void()> setUp;
    };
    ExperimentWindow(QWidget* parent, Asks asks);
    ~ExperimentWindow() override;

    // Follows a run just started, in place of what the window showed.
    void follow(std::unique_ptr<ExperimentRun> run, const ExperimentFields& fields, const QString& table);
    // Whether an experiment runs or is paused.
    [[nodiscard]] bool busy() const;
    // The fields and table of the latest experiment, for the dialog.
    [[nodiscard]] const std::optional<ExperimentFields>& lastFields() const { return fields_; }
    [[nodiscard]] const QString& lastTable() const { return table_; }
    // The window closes: the table ends at a row boundary without waiting.
    // Returns whether runs were left under way.
    bool endForClose();

private:
    void tick();
    void openTable();
    void choiceChanged();
    void pointClicked(std::size_t point, const QPoint& where);
    void showTally(ExperimentTally tally);
    // Says in one red line, and in the plot's log, why a table is not
    // drawn; nothing clears it.
    void tellProblem(const QString& text);

    Asks asks_;
    std::unique_ptr<ExperimentRun> run_;
    std::optional<ExperimentFields> fields_;
    QString table_;
    std::optional<SeedRange> seeds_;
    QLabel* title_;
    QLabel* problem_;
    QProgressBar* progress_;
    QLabel* times_;
    QPushButton* pause_;
    QPushButton* stop_;
    QComboBox* shows_;
    QComboBox* against_;
    ExperimentPlotView* plot_;
    QTimer* timer_;
};
