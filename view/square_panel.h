#pragma once

#include <functional>
#include <vector>

#include <QString>

#include "view/line_log.h"
#include "view/square_report.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;

// The panel that tells about the picked square, with the buttons that edit
// it. Lives on the view thread, in the side column above the chart.
class Inspector {
public:
    // An edit button: its label, its tooltip (naming its keys), what it
    // does, and whether it needs a creature that faces somewhere (a turn).
    struct Edit {
        QString label;
        QString toolTip;
        std::function<void()> act;
        bool turnsCreature = false;
    };

    // With VIVAR_INSPECTOR_LOG set to a file name, every text the panel
    // shows is also written there, followed by an empty line: the window's
    // tests read it. The edit buttons are laid out to fit `narrowestWidth`.
    // The check box that follows the creature calls `toggleFollowing`,
    // whose tooltip `followToolTip` names its key.
    Inspector(QWidget* parent, const std::vector<Edit>& edits, int narrowestWidth,
              const std::function<void()>& toggleFollowing, const QString& followToolTip);
    ~Inspector();
    Inspector(const Inspector&) = delete;
    Inspector& operator=(const Inspector&) = delete;

    [[nodiscard]] QWidget* widget() const { return panel_; }
    // Shows the report; the edit buttons work only when `editable`, the
    // turns only where there is a creature to turn.
    void show(const SquareReport& report, bool editable, bool turnable);
    void hide();
    [[nodiscard]] bool shown() const;
    // Whether the check box shows that the inspector follows the creature.
    void showFollowing(bool following);
    // Its controls in the order Tab reaches them.
    [[nodiscard]] std::vector<QWidget*> tabOrder() const;

private:
    QWidget* panel_;
    QLabel* summary_;
    QCheckBox* follow_;
    QLabel* turnTitle_;
    QLabel* turnStory_;
    QToolButton* linesToggle_;
    QPlainTextEdit* turnLines_;
    QLabel* editHint_;
    std::vector<QPushButton*> editButtons_;
    std::vector<bool> turnsCreature_;
    // Lets the window's tests read what the user reads.
    LineLog log_{"VIVAR_INSPECTOR_LOG"};
};
