// The experiment dialog: its fields, checked as they change, and the
// vivar-sim command line that runs the same experiment.
#include "view/experiment_dialog.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/system.h"
#include "view/language.h"
#include "view/user_folders.h"

namespace {

// The settings a row can vary, by the names --vary takes.
struct Choice {
    const char* name;
    const char* label;
};
constexpr std::array<Choice, 5> kChoices{{
    {"hatch", QT_TRANSLATE_NOOP("ExperimentDialog", "hatch: visits an egg takes")},
    {"mating", QT_TRANSLATE_NOOP("ExperimentDialog", "mating: visits a mating lasts")},
    {"meal", QT_TRANSLATE_NOOP("ExperimentDialog", "meal: visits a meal lasts")},
    {"fill", QT_TRANSLATE_NOOP("ExperimentDialog", "fill: the fill's shares E:B:G:C")},
    {"size", QT_TRANSLATE_NOOP("ExperimentDialog", "size: the board's side, N for NxN")},
}};

constexpr const char* kTableName = "vivar-experiment";
// More generations than a window's experiment can want; vivar-sim takes any.
constexpr int kMostGenerations = 1000000000;

QLabel* problemLine(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #c00000"));
    label->hide();
    return label;
}

void tell(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

}  // namespace

ExperimentFields ExperimentDialog::firstFields() {
    ExperimentFields fields;
    fields.settings = {"hatch", ""};
    fields.values = {"1:10:1", ""};
    // Numbers, not literals: MinGW's GCC 12 warns falsely of a short literal assigned.
    fields.firstSeed = std::to_string(1);
    fields.lastSeed = std::to_string(20);
    fields.generations = 100;
    fields.jobs = std::max(1U, platform::usableCores() - 1);
    return fields;
}

QString ExperimentDialog::freeTableName() {
    const QString folder = user_folders::offered(user_folders::Kind::kExperiments);
    for (int number = 1;; ++number) {
        const QString name = number == 1 ? QStringLiteral("%1.csv").arg(QLatin1String(kTableName))
                                         : QStringLiteral("%1-%2.csv").arg(QLatin1String(kTableName)).arg(number);
        const QString path = user_folders::inFolder(folder, name);
        if (!QFileInfo::exists(path)) {
            return path;
        }
    }
}

ExperimentDialog::ExperimentDialog(QWidget* parent, const Rules& base, const ExperimentFields& fields,
                                   const QString& table)
    : QDialog(parent),
      base_(base),
      firstSeed_(new QLineEdit(QString::fromStdString(fields.firstSeed), this)),
      lastSeed_(new QLineEdit(QString::fromStdString(fields.lastSeed), this)),
      seedsProblem_(problemLine(this)),
      generations_(new QSpinBox(this)),
      jobs_(new QSpinBox(this)),
      runs_(new QLabel(this)),
      table_(new QLineEdit(table, this)),
      tableSays_(new QLabel(this)),
      command_(new QLineEdit(this)) {
    setWindowTitle(tr("Experiment"));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);

    // What varies: one row, or two for a grid.
    for (std::size_t row = 0; row < settings_.size(); ++row) {
        settings_[row] = new QComboBox(this);
        if (row > 0) {
            settings_[row]->addItem(tr("nothing else"), QString());
        }
        for (const Choice& choice : kChoices) {
            settings_[row]->addItem(tr(choice.label), QString::fromLatin1(choice.name));
        }
        const int chosen = settings_[row]->findData(QString::fromStdString(fields.settings[row]));
        settings_[row]->setCurrentIndex(std::max(chosen, 0));
        values_[row] = new QLineEdit(QString::fromStdString(fields.values[row]), this);
        values_[row]->setToolTip(tr("A list, as 1,2,5, or a range FIRST:LAST:STEP, as 1:10:1"));
        values_[row]->setPlaceholderText(tr("1,2,5 or 1:10:1"));
        rowProblems_[row] = problemLine(this);
        auto* line = new QHBoxLayout;
        line->addWidget(settings_[row]);
        line->addWidget(values_[row], 1);
        form->addRow(row == 0 ? tr("Varies:") : tr("And:"), line);
        // Two fields in a row, which the row's label names for neither.
        settings_[row]->setAccessibleName(row == 0 ? tr("What varies") : tr("What else varies"));
        values_[row]->setAccessibleName(row == 0 ? tr("Its values") : tr("Their values"));
        form->addRow(QString(), rowProblems_[row]);
    }

    auto* seeds = new QHBoxLayout;
    seeds->addWidget(firstSeed_);
    seeds->addWidget(new QLabel(tr("to"), this));
    seeds->addWidget(lastSeed_);
    form->addRow(tr("Seeds:"), seeds);
    firstSeed_->setAccessibleName(tr("First seed"));
    lastSeed_->setAccessibleName(tr("Last seed"));
    form->addRow(QString(), seedsProblem_);
    generations_->setRange(0, kMostGenerations);
    generations_->setValue(static_cast<int>(std::min<std::int64_t>(fields.generations, kMostGenerations)));
    form->addRow(tr("Generations per run:"), generations_);
    jobs_->setRange(1, static_cast<int>(std::max(1U, platform::usableCores())));
    jobs_->setValue(static_cast<int>(fields.jobs));
    jobs_->setToolTip(tr("The cores the runs take; all but one leave the window smooth"));
    form->addRow(tr("Cores:"), jobs_);

    const std::string kept = differences(base);
    auto* fixed = new QLabel(tr("What does not vary is the window's current rules and size: %1.")
                                 .arg(kept.empty() ? tr("the standard rules, 20x20")
                                                   : QString::fromStdString(kept)),
                             this);
    fixed->setWordWrap(true);
    column->addWidget(fixed);
    column->addWidget(runs_);

    // The table: where the rows go as they finish.
    auto* file = new QHBoxLayout;
    file->addWidget(table_, 1);
    auto* choose = new QPushButton(tr("Choose…"), this);
    file->addWidget(choose);
    table_->setToolTip(tr("The table the rows go to as the runs finish, flushed every second; by default in your "
                          "documents folder. A table of this experiment cut short is gone on with."));
    auto* tableForm = new QFormLayout;
    tableForm->addRow(tr("Table:"), file);
    table_->setAccessibleName(tr("Table"));
    column->addLayout(tableForm);
    tableSays_->setWordWrap(true);
    column->addWidget(tableSays_);

    // The same experiment without the window.
    auto* command = new QHBoxLayout;
    command_->setReadOnly(true);
    command_->setToolTip(tr("The vivar-sim command that writes the same table, to run it without the window"));
    command->addWidget(command_, 1);
    auto* copy = new QPushButton(tr("Copy"), this);
    command->addWidget(copy);
    auto* commandForm = new QFormLayout;
    commandForm->addRow(tr("vivar-sim:"), command);
    command_->setAccessibleName(tr("vivar-sim command"));
    column->addLayout(commandForm);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(tr("Run"));
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choose, &QPushButton::clicked, this, [this] { chooseFile(); });
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(command_->text()); });
    for (std::size_t row = 0; row < settings_.size(); ++row) {
        connect(settings_[row], qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { changed(); });
        connect(values_[row], &QLineEdit::textChanged, this, [this] { changed(); });
    }
    for (QLineEdit* field : {firstSeed_, lastSeed_, table_}) {
        connect(field, &QLineEdit::textChanged, this, [this] { changed(); });
    }
    for (QSpinBox* box : {generations_, jobs_}) {
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this, [this] { changed(); });
    }
    // Tab goes down the dialog as it reads, whatever order the fields were
    // made in.
    const std::array<QWidget*, 13> order{settings_[0], values_[0], settings_[1], values_[1], firstSeed_, lastSeed_,
                                         generations_, jobs_, table_, choose, command_, copy, ok_};
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    setMinimumWidth(560);
    values_[0]->setFocus();
    values_[0]->selectAll();
    changed();
}

QString ExperimentDialog::table() const { return table_->text(); }

ExperimentFields ExperimentDialog::fields() const {
    ExperimentFields fields;
    for (std::size_t row = 0; row < settings_.size(); ++row) {
        fields.settings[row] = settings_[row]->currentData().toString().toStdString();
        fields.values[row] = values_[row]->text().trimmed().toStdString();
    }
    fields.firstSeed = firstSeed_->text().trimmed().toStdString();
    fields.lastSeed = lastSeed_->text().trimmed().toStdString();
    fields.generations = generations_->value();
    fields.jobs = static_cast<unsigned>(jobs_->value());
    return fields;
}

void ExperimentDialog::changed() {
    check_ = checkExperiment(base_, fields());
    values_[1]->setEnabled(settings_[1]->currentIndex() > 0);
    for (std::size_t row = 0; row < rowProblems_.size(); ++row) {
        tell(rowProblems_[row], check_.rows[row]);
    }
    tell(seedsProblem_, check_.seeds);
    bool fine = check_.setup.has_value();
    if (!check_.runs.isEmpty()) {
        runs_->setStyleSheet(QStringLiteral("color: #c00000"));
        runs_->setText(check_.runs);
    } else {
        runs_->setStyleSheet(QString());
        runs_->setText(fine ? tr("%1 runs in all.").arg(language::number(static_cast<std::int64_t>(check_.runCount)))
                            : QString());
    }
    const QString name = table_->text().trimmed();
    tableSays_->setStyleSheet(QString());
    if (name.isEmpty()) {
        tableSays_->setStyleSheet(QStringLiteral("color: #c00000"));
        tableSays_->setText(tr("Name the file the table goes to."));
        fine = false;
    } else if (fine) {
        const TableFound found = examineTable(platform::pathFromUtf8(name.toStdString()), *check_.setup);
        if (!found.problem.isEmpty()) {
            tableSays_->setStyleSheet(QStringLiteral("color: #c00000"));
            tableSays_->setText(found.problem);
            fine = false;
        } else if (found.runs >= check_.runCount) {
            tableSays_->setText(tr("The file holds this experiment whole: running draws its plot."));
        } else if (found.runs > 0) {
            tableSays_->setText(tr("Running continues the %1 runs already in the file.")
                                    .arg(language::number(static_cast<std::int64_t>(found.runs))));
        } else {
            tableSays_->setText(tr("A new table."));
        }
    } else {
        tableSays_->clear();
    }
    command_->setText(fine ? QString::fromStdString(
                                 simCommandLine(*check_.setup, platform::pathFromUtf8(name.toStdString())))
                           : QString());
    ok_->setEnabled(fine);
}

void ExperimentDialog::chooseFile() {
    const QString name = QFileDialog::getSaveFileName(
        this, tr("The experiment's table"),
        table_->text().isEmpty() ? user_folders::offered(user_folders::Kind::kExperiments) : table_->text(),
        tr("Tables (*.csv);;All files (*)"), nullptr, QFileDialog::DontConfirmOverwrite);
    if (!name.isEmpty()) {
        user_folders::remember(user_folders::Kind::kExperiments, name);
        table_->setText(QDir::toNativeSeparators(name));
    }
}
