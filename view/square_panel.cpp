#include "view/square_panel.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/fonts.h"

namespace {

// The edit buttons sit in up to this many columns: fewer where a
// language's longer words would not fit, rather than be cut short.
constexpr int kMostEditColumns = 4;
constexpr int kButtonSpacing = 2;
// The least room each text keeps whatever it tells, so that most new texts
// fit without the column laying itself out again (and the chart below
// redrawing); a longer text takes more.
constexpr int kSummaryLines = 5;
constexpr int kTitleLines = 2;
constexpr int kStoryLines = 2;
// The trace lines scroll within this height when shown.
constexpr int kTraceLines = 12;

struct Words {
    Q_DECLARE_TR_FUNCTIONS(Inspector)
};

QLabel* wrappingLabel(QWidget* parent, int leastLines) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * leastLines + 2);
    return label;
}

}  // namespace

Inspector::Inspector(QWidget* parent, const std::vector<Edit>& edits, int narrowestWidth,
                     const std::function<void()>& toggleFollowing, const QString& followToolTip)
    : panel_(new QWidget(parent)),
      summary_(wrappingLabel(panel_, kSummaryLines)),
      follow_(new QCheckBox(Words::tr("Follow the creature"), panel_)),
      turnTitle_(wrappingLabel(panel_, kTitleLines)),
      turnStory_(wrappingLabel(panel_, kStoryLines)),
      linesToggle_(new QToolButton(panel_)),
      turnLines_(new QPlainTextEdit(panel_)),
      editHint_(wrappingLabel(panel_, 1)) {
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(8, 8, 8, 4);
    QFont bold = summary_->font();
    bold.setBold(true);
    turnTitle_->setFont(bold);

    // The trace's lines as the console shows them, under the story, folded
    // away until asked for; long lines wrap rather than run off the edge.
    linesToggle_->setText(Words::tr("Trace lines"));
    linesToggle_->setToolTip(Words::tr("Show or hide this turn's lines of the console's trace"));
    linesToggle_->setCheckable(true);
    linesToggle_->setAutoRaise(true);
    linesToggle_->setArrowType(Qt::RightArrow);
    linesToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Reached by Tab, never by a click, which leaves the keys with the board.
    linesToggle_->setFocusPolicy(Qt::TabFocus);
    turnLines_->setReadOnly(true);
    turnLines_->setFocusPolicy(Qt::TabFocus);
    turnLines_->setTabChangesFocus(true);
    turnLines_->setAccessibleName(Words::tr("Trace lines"));
    panel_->setAccessibleName(Words::tr("Inspector"));
    turnLines_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    turnLines_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont fixed = platform::fixedFont();
    fixed.setPointSizeF(fixed.pointSizeF() * 0.85);
    turnLines_->setFont(fixed);
    turnLines_->setFixedHeight(QFontMetrics(fixed).lineSpacing() * kTraceLines + 8);
    turnLines_->hide();
    QObject::connect(linesToggle_, &QToolButton::toggled, turnLines_, [this](bool shown) {
        linesToggle_->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
        turnLines_->setVisible(shown);
    });

    // The box only says whether the inspector follows; the view decides,
    // as it does for the key.
    follow_->setToolTip(followToolTip);
    follow_->setFocusPolicy(Qt::TabFocus);
    QObject::connect(follow_, &QCheckBox::clicked, follow_, [this, toggleFollowing] {
        follow_->setChecked(!follow_->isChecked());
        toggleFollowing();
    });

    // As many columns as the widest button fits at the narrowest the column
    // gets, so that no label is cut.
    auto* buttons = new QGridLayout;
    buttons->setSpacing(kButtonSpacing);
    for (const Edit& edit : edits) {
        auto* button = new QPushButton(edit.label, panel_);
        button->setToolTip(edit.toolTip);
        button->setFocusPolicy(Qt::TabFocus);
        QObject::connect(button, &QPushButton::clicked, button, edit.act);
        editButtons_.push_back(button);
        turnsCreature_.push_back(edit.turnsCreature);
    }
    int widest = 0;
    for (const QPushButton* button : editButtons_) {
        widest = std::max(widest, button->sizeHint().width());
    }
    const int room = narrowestWidth - column->contentsMargins().left() - column->contentsMargins().right();
    int columns = kMostEditColumns;
    while (columns > 1 && columns * widest + (columns - 1) * kButtonSpacing > room) {
        --columns;
    }
    for (std::size_t i = 0; i < editButtons_.size(); ++i) {
        buttons->addWidget(editButtons_[i], static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }
    column->addWidget(summary_);
    column->addWidget(follow_);
    column->addLayout(buttons);
    column->addWidget(editHint_);
    column->addWidget(turnTitle_);
    column->addWidget(turnStory_);
    column->addWidget(linesToggle_);
    column->addWidget(turnLines_);

    panel_->hide();
}

void Inspector::show(const SquareReport& report, bool editable, bool turnable) {
    std::string summary = report.place + "\n" + report.occupant;
    for (const std::string* part :
         {&report.fate, &report.origin, &report.mating, &report.heading, &report.timer, &report.sight}) {
        if (!part->empty()) {
            summary += "\n" + *part;
        }
    }
    summary_->setText(QString::fromStdString(summary));
    turnTitle_->setText(QString::fromStdString(report.turnTitle));
    turnStory_->setText(QString::fromStdString(report.turnStory));
    std::string lines = report.turnLines;
    if (!lines.empty() && lines.back() == '\n') {
        lines.pop_back();
    }
    turnLines_->setPlainText(QString::fromStdString(lines));
    linesToggle_->setEnabled(!lines.empty());
    for (std::size_t i = 0; i < editButtons_.size(); ++i) {
        editButtons_[i]->setEnabled(editable && (turnable || !turnsCreature_[i]));
    }
    editHint_->setText(editable ? QString() : Words::tr("Stop the run to edit the square."));
    panel_->show();
    log_.write(plainText(report));
}

Inspector::~Inspector() = default;

void Inspector::hide() { panel_->hide(); }

void Inspector::showFollowing(bool following) { follow_->setChecked(following); }

std::vector<QWidget*> Inspector::tabOrder() const {
    std::vector<QWidget*> order{follow_};
    order.insert(order.end(), editButtons_.begin(), editButtons_.end());
    order.push_back(linesToggle_);
    order.push_back(turnLines_);
    return order;
}

bool Inspector::shown() const { return !panel_->isHidden(); }
