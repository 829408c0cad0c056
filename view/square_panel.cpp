#include "view/square_panel.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The edit buttons sit in up to this many columns: fewer where a
// language's longer words would not fit, rather than be cut short.
constexpr int kMostEditColumns = 4;
constexpr int kLeastEditColumns = 2;
constexpr int kButtonSpacing = 2;
constexpr int kButtonPadding = 4;  // the least room beside a label, both sides together
// The panel keeps one height whatever it tells, so that a generation's new
// text never makes the window lay itself out, and the chart redraw, again:
// room for the longest summary and the longest turn.
constexpr int kSummaryLines = 6;
constexpr int kTitleLines = 3;
constexpr int kTurnLines = 16;

}  // namespace

Inspector::Inspector(QWidget* parent, const std::vector<Edit>& edits, int width)
    : panel_(new QWidget(parent)),
      summary_(new QLabel(panel_)),
      turnTitle_(new QLabel(panel_)),
      turnLines_(new QLabel(panel_)),
      editHint_(new QLabel(panel_)) {
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(8, 8, 8, 4);
    for (QLabel* label : {summary_, turnTitle_, editHint_}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QFont bold = summary_->font();
    bold.setBold(true);
    turnTitle_->setFont(bold);
    // The trace's lines as the console shows them, in a smaller fixed font.
    turnLines_->setTextFormat(Qt::PlainText);
    turnLines_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(fixed.pointSizeF() * 0.85);
    turnLines_->setFont(fixed);
    turnLines_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    summary_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    turnTitle_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(kButtonSpacing);
    int widestLabel = 0;
    for (const Edit& edit : edits) {
        widestLabel = std::max(widestLabel, summary_->fontMetrics().horizontalAdvance(edit.label));
    }
    const int room = width - column->contentsMargins().left() - column->contentsMargins().right();
    int columns = kMostEditColumns;
    while (columns > kLeastEditColumns &&
           columns * (widestLabel + kButtonPadding) + (columns - 1) * kButtonSpacing > room) {
        --columns;
    }
    for (std::size_t i = 0; i < edits.size(); ++i) {
        auto* button = new QPushButton(edits[i].label, panel_);
        button->setToolTip(edits[i].toolTip);
        // Focus stays with the viewer, as for the other buttons.
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QPushButton::clicked, button, edits[i].act);
        buttons->addWidget(button, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
        editButtons_.push_back(button);
    }
    column->addWidget(summary_);
    column->addLayout(buttons);
    column->addWidget(editHint_);
    column->addWidget(turnTitle_);
    column->addWidget(turnLines_);
    const auto fixLines = [](QLabel* label, int lines) {
        label->setFixedHeight(label->fontMetrics().lineSpacing() * lines + 2);
    };
    fixLines(summary_, kSummaryLines);
    fixLines(turnTitle_, kTitleLines);
    fixLines(turnLines_, kTurnLines);
    fixLines(editHint_, 1);

    if (const char* log = std::getenv("VIVAR_INSPECTOR_LOG"); log != nullptr && *log != '\0') {
        log_ = std::fopen(log, "w");
    }
    panel_->hide();
}

void Inspector::show(const SquareReport& report, bool editable) {
    std::string summary = report.place + "\n" + report.occupant;
    for (const std::string* part : {&report.heading, &report.timer, &report.sight}) {
        if (!part->empty()) {
            summary += "\n" + *part;
        }
    }
    summary_->setText(QString::fromStdString(summary));
    turnTitle_->setText(QString::fromStdString(report.turnTitle));
    std::string lines = report.turnLines;
    if (!lines.empty() && lines.back() == '\n') {
        lines.pop_back();
    }
    turnLines_->setText(QString::fromStdString(lines));
    for (QPushButton* button : editButtons_) {
        button->setEnabled(editable);
    }
    editHint_->setText(editable ? QString() : QCoreApplication::translate("Inspector", "Stop the run to edit the square."));
    panel_->show();
    if (log_ != nullptr) {
        std::fprintf(log_, "%s\n", plainText(report).c_str());
        std::fflush(log_);
    }
}

Inspector::~Inspector() {
    if (log_ != nullptr) {
        std::fclose(log_);
    }
}

void Inspector::hide() { panel_->hide(); }

bool Inspector::shown() const { return !panel_->isHidden(); }
