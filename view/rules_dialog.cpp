#include "view/rules_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

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

RulesDialog::RulesDialog(QWidget* parent, const Rules& chosen, const Rules& inForce, int largestSide)
    : QDialog(parent),
      rows_(spinBox(this, Rules::kLeastSide, largestSide)),
      columns_(spinBox(this, Rules::kLeastSide, largestSide)),
      hatch_(spinBox(this, Rules::kLeastVisits, Rules::kMostVisits)),
      mating_(spinBox(this, Rules::kLeastVisits, Rules::kMostVisits)),
      meal_(spinBox(this, Rules::kLeastVisits, Rules::kMostVisits)),
      sum_(new QLabel(this)),
      ok_(nullptr) {
    setWindowTitle(tr("Rules"));
    auto* column = new QVBoxLayout(this);
    const QString now = inForce.isStandard() ? tr("the standard rules") : QString::fromStdString(differences(inForce));
    column->addWidget(note(this, tr("The next fill or clear brings these rules; the board runs by %1 until then.")
                                     .arg(now)));

    // The notes go between the forms: a form lays out a wrapped line
    // shorter than its text.
    auto* size = new QFormLayout;
    size->addRow(tr("Rows:"), rows_);
    size->addRow(tr("Columns:"), columns_);
    column->addLayout(size);
    column->addWidget(note(this, tr("The home view shows the rows side by side: a board of R rows and C columns "
                                    "is R squares wide and C high. Up to %1 of each; vivar-sim runs larger boards.")
                                     .arg(largestSide)));
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
        connect(shares_[kind], qOverload<int>(&QSpinBox::valueChanged), this, [this] { sharesChanged(); });
    }
    column->addLayout(shares);
    sum_->setWordWrap(true);
    column->addWidget(sum_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    QPushButton* standard = buttons->addButton(tr("Standard rules"), QDialogButtonBox::ResetRole);
    connect(standard, &QPushButton::clicked, this, [this] { fillFields(Rules{}); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);

    fillFields(chosen);
    rows_->setFocus();
    rows_->selectAll();
}

void RulesDialog::fillFields(const Rules& rules) {
    rows_->setValue(rules.rows);
    columns_->setValue(rules.columns);
    hatch_->setValue(rules.hatch);
    mating_->setValue(rules.mating);
    meal_->setValue(rules.meal);
    for (std::size_t kind = 0; kind < shares_.size(); ++kind) {
        shares_[kind]->setValue(rules.fill[kind]);
    }
    sharesChanged();
}

void RulesDialog::sharesChanged() {
    int sum = 0;
    for (const QSpinBox* share : shares_) {
        sum += share->value();
    }
    const bool whole = sum == 100;
    sum_->setText(whole ? QString() : tr("The shares sum to %1 %; they must sum to 100 %.").arg(sum));
    sum_->setVisible(!whole);
    if (ok_ != nullptr) {
        ok_->setEnabled(whole);
    }
}

Rules RulesDialog::rules() const {
    Rules rules;
    rules.rows = rows_->value();
    rules.columns = columns_->value();
    rules.hatch = hatch_->value();
    rules.mating = mating_->value();
    rules.meal = meal_->value();
    for (std::size_t kind = 0; kind < shares_.size(); ++kind) {
        rules.fill[kind] = shares_[kind]->value();
    }
    return rules;
}
