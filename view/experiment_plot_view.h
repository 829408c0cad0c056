// The widget that draws an experiment's plot, answers clicks on its points,
// and logs what it drew for the end-to-end tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include <QPoint>
#include <QWidget>

#include "film/experiment_plot.h"
#include "studies/experiment_tally.h"
#include "view/line_log.h"

class ExperimentPlotView : public QWidget {
public:
    using Clicked = std::function<void(std::size_t point, const QPoint& where)>;
    ExperimentPlotView(QWidget* parent, Clicked clicked);

    void showTally(ExperimentTally tally);
    void choose(const PlotChoice& choice);
    [[nodiscard]] const ExperimentTally& tally() const { return tally_; }
    // A table refused, in the log: "problem: what".
    void logProblem(const std::string& line) { log_.write("problem: " + line); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // From the keyboard: the arrows go from point to point, Space or Enter
    // picks the point as a click does.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Clicked clicked_;
    ExperimentTally tally_;
    PlotChoice choice_;
    PlotDrawn drawn_;
    // With VIVAR_PLOT_LOG set to a file name, each drawing with runs not
    // drawn before writes its lines, then where each point can be clicked
    // in the window: "point I at X,Y".
    LineLog log_{"VIVAR_PLOT_LOG"};
    std::uint64_t logged_ = 0;
    // The point the arrows are on, into drawn_.hits.
    std::size_t current_ = 0;
    void describeCurrent();
    bool choiceLogged_ = true;
};
