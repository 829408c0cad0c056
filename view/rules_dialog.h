#pragma once

#include <array>

#include <QCoreApplication>
#include <QDialog>

#include "model/rules.h"

class QLabel;
class QPushButton;
class QSpinBox;

// Shows and sets the rules that the next fill or clear brings: the board's
// size, the visits an egg, a mating and a meal take, and the fill's shares.
// A value it cannot take is told beside the fields, never silently changed,
// and the rules are taken only when every value can be.
class RulesDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(RulesDialog)

public:
    // `chosen` fills the fields; `inForce` is told beside them.
    RulesDialog(QWidget* parent, const Rules& chosen, const Rules& inForce);

    // The rules as the fields give them.
    [[nodiscard]] Rules rules() const;

private:
    void fillFields(const Rules& rules);
    // What is wrong with the values, if anything, and whether the rules can
    // be taken.
    void valuesChanged();

    QSpinBox* width_;
    QSpinBox* height_;
    QSpinBox* hatch_;
    QSpinBox* mating_;
    QSpinBox* meal_;
    std::array<QSpinBox*, 4> shares_{};
    QLabel* problem_;
    QPushButton* ok_;
};
