// The dialog that sets up an experiment: what varies and its values, the
// seeds, generations and cores, the table's file, and the vivar-sim command
// that runs the same.
#pragma once

#include <array>
#include <filesystem>

#include <QCoreApplication>
#include <QDialog>
#include <QString>

#include "model/rules.h"
#include "studies/experiment_run.h"
#include "view/experiment_setup.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class ExperimentDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ExperimentDialog)

public:
    // `base` is what does not vary: the window's rules and size. `fields`
    // and `table` fill the dialog, as the latest experiment left them.
    ExperimentDialog(QWidget* parent, const Rules& base, const ExperimentFields& fields, const QString& table);

    // Once accepted: the experiment and its table.
    [[nodiscard]] const ExperimentSetup& setup() const { return *check_.setup; }
    [[nodiscard]] QString table() const;
    [[nodiscard]] ExperimentFields fields() const;

    // The fields a first experiment starts with: hatch 1 to 10, seeds 1 to
    // 20, 100 generations, every core but one.
    [[nodiscard]] static ExperimentFields firstFields();
    // The first name of vivar-experiment.csv, vivar-experiment-2.csv, ...
    // that no file has, in the folder offered for experiments.
    [[nodiscard]] static QString freeTableName();

private:
    void changed();
    void chooseFile();

    Rules base_;
    std::array<QComboBox*, 2> settings_{};
    std::array<QLineEdit*, 2> values_{};
    std::array<QLabel*, 2> rowProblems_{};
    QLineEdit* firstSeed_;
    QLineEdit* lastSeed_;
    QLabel* seedsProblem_;
    QSpinBox* generations_;
    QSpinBox* jobs_;
    QLabel* runs_;
    QLineEdit* table_;
    QLabel* tableSays_;
    QLineEdit* command_;
    QPushButton* ok_ = nullptr;
    ExperimentCheck check_;
};
