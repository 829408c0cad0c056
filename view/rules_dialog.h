#pragma once

#include <array>

#include <QCoreApplication>
#include <QDialog>

#include "model/rules.h"

class QLabel;
class QPushButton;
class QSpinBox;

// Shows and sets the rules that the next fill or clear brings: the board's
// size, the visits an egg, a mating and a meal take, and the fill's shares,
// which must sum to 100 before the rules can be taken.
class RulesDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(RulesDialog)

public:
    // `chosen` fills the fields; `inForce` is told beside them. Rows and
    // columns go up to `largestSide`.
    RulesDialog(QWidget* parent, const Rules& chosen, const Rules& inForce, int largestSide);

    // The rules as the fields give them.
    [[nodiscard]] Rules rules() const;

private:
    void fillFields(const Rules& rules);
    // The shares' sum, and whether the rules can be taken.
    void sharesChanged();

    QSpinBox* rows_;
    QSpinBox* columns_;
    QSpinBox* hatch_;
    QSpinBox* mating_;
    QSpinBox* meal_;
    std::array<QSpinBox*, 4> shares_{};
    QLabel* sum_;
    QPushButton* ok_;
};
