#include "view/rules_dialog.h"

#include <cstdint>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

#include "view/language.h"

namespace {

// The most a size box takes as typed: a side no board reaches, so that a
// size too large is told rather than cut to its first digits.
constexpr int kLargestTyped = 2 * static_cast<int>(Rules::kMostSquares);

// The fill's shares, in the order the rules keep them.
constexpr std::array<const char*, 4> kShareNames{
    QT_TRANSLATE_NOOP("RulesDialog", "Empty squares:"),
    QT_TRANSLATE_NOOP("RulesDialog", "Brown lizards:"),
    QT_TRANSLATE_NOOP("RulesDialog", "Green lizards:"),
    QT_TRANSLATE_NOOP("RulesDialog", "Cats:"),
};

QSpinBox* spinBox(QWidget* parent, int least, int most, const QString& suffix = {}) {
    auto* box = new QSpinBox(parent);
    box->setRange(least, most);
    box->setSuffix(suffix);
    return box;
}

// A line of explanation that wraps with the dialog.
QLabel* note(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

RulesDialog::RulesDialog(QWidget* parent, const Rules& chosen, const Rules& inForce)
    : QDialog(parent),
      width_(spinBox(this, Rules::kLeastSide, kLargestTyped)),
      height_(spinBox(this, Rules::kLeastSide, kLargestTyped)),
      hatch_(spinBox(this, Rules::kLeastVisits, Rules::kMostVisits)),
      mating_(spinBox(this, Rules::kLeastVisits, Rules::kMostVisits)),
      meal_(spinBox(this, Rules::kLeastVisits, Rules::kMostVisits)),
      problem_(new QLabel(this)),
      ok_(nullptr) {
    setWindowTitle(tr("Rules"));
    auto* column = new QVBoxLayout(this);
    const QString now = inForce.isStandard() ? tr("the standard rules") : QString::fromStdString(differences(inForce));
    column->addWidget(note(this, tr("The next fill or clear brings these rules; the board runs by %1 until then.")
                                     .arg(now)));

    // The notes go between the forms: a form lays out a wrapped line
    // shorter than its text.
    auto* size = new QFormLayout;
    size->addRow(tr("Width:"), width_);
    size->addRow(tr("Height:"), height_);
    column->addLayout(size);
    column->addWidget(note(this, tr("Squares across and down, as the home view shows the board: at least %1 each, "
                                    "at most %2 squares in all.")
                                     .arg(Rules::kLeastSide)
                                     .arg(language::number(Rules::kMostSquares))));
    auto* visits = new QFormLayout;
    visits->addRow(tr("An egg hatches on visit:"), hatch_);
    visits->addRow(tr("A mating ends on visit:"), mating_);
    visits->addRow(tr("A meal ends on visit:"), meal_);
    column->addLayout(visits);
    column->addWidget(note(this, tr("A fill's shares of the squares:")));
    auto* shares = new QFormLayout;
    for (std::size_t kind = 0; kind < shares_.size(); ++kind) {
        shares_[kind] = spinBox(this, 0, 100, QStringLiteral(" %"));
        shares->addRow(tr(kShareNames[kind]), shares_[kind]);
    }
    column->addLayout(shares);
    for (QSpinBox* box : {width_, height_, shares_[0], shares_[1], shares_[2], shares_[3]}) {
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this, [this] { valuesChanged(); });
    }
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00020"));
    column->addWidget(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    QPushButton* standard = buttons->addButton(tr("Standard rules"), QDialogButtonBox::ResetRole);
    connect(standard, &QPushButton::clicked, this, [this] { fillFields(Rules{}); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);

    fillFields(chosen);
    width_->setFocus();
    width_->selectAll();
}

void RulesDialog::fillFields(const Rules& rules) {
    width_->setValue(rules.width);
    height_->setValue(rules.height);
    hatch_->setValue(rules.hatch);
    mating_->setValue(rules.mating);
    meal_->setValue(rules.meal);
    for (std::size_t kind = 0; kind < shares_.size(); ++kind) {
        shares_[kind]->setValue(rules.fill[kind]);
    }
    valuesChanged();
}

void RulesDialog::valuesChanged() {
    QStringList problems;
    if (const std::int64_t squares = std::int64_t{width_->value()} * height_->value();
        squares > Rules::kMostSquares) {
        problems << tr("A board has at most %1 squares, not %2.")
                        .arg(language::number(Rules::kMostSquares))
                        .arg(language::number(squares));
    }
    int sum = 0;
    for (const QSpinBox* share : shares_) {
        sum += share->value();
    }
    if (sum != 100) {
        problems << tr("The shares sum to %1 %; they must sum to 100 %.").arg(sum);
    }
    problem_->setText(problems.join(QLatin1Char('\n')));
    problem_->setVisible(!problems.isEmpty());
    if (ok_ != nullptr) {
        ok_->setEnabled(problems.isEmpty());
    }
}

Rules RulesDialog::rules() const {
    Rules rules;
    rules.width = width_->value();
    rules.height = height_->value();
    rules.hatch = hatch_->value();
    rules.mating = mating_->value();
    rules.meal = meal_->value();
    for (std::size_t kind = 0; kind < shares_.size(); ++kind) {
        rules.fill[kind] = shares_[kind]->value();
    }
    return rules;
}
