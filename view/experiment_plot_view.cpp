// The experiment's plot in the window: drawn by the same code as vivar-sim's
// pictures, redrawn as runs come in, and clicked to pick a point's runs.
#include "view/experiment_plot_view.h"

#include <string>
#include <utility>

#include <QMouseEvent>
#include <QPainter>

ExperimentPlotView::ExperimentPlotView(QWidget* parent, Clicked clicked)
    : QWidget(parent), clicked_(std::move(clicked)) {
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
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
