// The experiment's plot in the window: drawn by the same code as vivar-sim's
// pictures, redrawn as runs come in, and clicked, or walked with the arrows,
// to pick a point's runs.
#include "view/experiment_plot_view.h"

#include <algorithm>
#include <string>
#include <utility>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ExperimentPlotView::ExperimentPlotView(QWidget* parent, Clicked clicked)
    : QWidget(parent), clicked_(std::move(clicked)) {
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
}

void ExperimentPlotView::showTally(ExperimentTally tally) {
    tally_ = std::move(tally);
    update();
}

void ExperimentPlotView::choose(const PlotChoice& choice) {
    choice_ = choice;
    choiceLogged_ = false;
    update();
}

void ExperimentPlotView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    drawn_ = drawExperimentPlot(painter, QRectF(rect()), tally_, choice_);
    if (hasFocus() && current_ < drawn_.hits.size()) {
        QPen ring(palette().color(QPalette::Highlight));
        ring.setWidth(3);
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(drawn_.hits[current_].area.adjusted(-3, -3, 3, 3));
    }
    describeCurrent();
    if (drawn_.lines.empty() || (tally_.runs() == logged_ && choiceLogged_)) {
        return;
    }
    logged_ = tally_.runs();
    choiceLogged_ = true;
    log_.write("plot runs=" + std::to_string(tally_.runs()));
    for (const std::string& line : drawn_.lines) {
        log_.write(line);
    }
    for (const PlotDrawn::Hit& hit : drawn_.hits) {
        const QPoint centre = mapTo(window(), hit.area.center().toPoint());
        log_.write("point " + std::to_string(hit.point) + " at " + std::to_string(centre.x()) + "," +
                   std::to_string(centre.y()));
    }
}

void ExperimentPlotView::mousePressEvent(QMouseEvent* event) {
    for (const PlotDrawn::Hit& hit : drawn_.hits) {
        if (hit.area.contains(event->pos())) {
            clicked_(hit.point, event->globalPos());
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void ExperimentPlotView::keyPressEvent(QKeyEvent* event) {
    const std::size_t count = drawn_.hits.size();
    if (count == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            current_ = (current_ + 1) % count;
            update();
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
            current_ = (current_ + count - 1) % count;
            update();
            return;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const PlotDrawn::Hit& hit = drawn_.hits[std::min(current_, count - 1)];
            clicked_(hit.point, mapToGlobal(hit.area.center().toPoint()));
            return;
        }
        default:
            QWidget::keyPressEvent(event);
    }
}

void ExperimentPlotView::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void ExperimentPlotView::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

// A screen reader hears the point the arrows are on, as vivar-sim's plot
// tells it.
void ExperimentPlotView::describeCurrent() {
    if (current_ >= drawn_.hits.size()) {
        current_ = 0;
    }
    const QString said = current_ < drawn_.lines.size() && drawn_.lines.size() == drawn_.hits.size()
                             ? QString::fromStdString(drawn_.lines[current_])
                             : QString();
    if (said != accessibleDescription()) {
        setAccessibleDescription(said);
    }
}
