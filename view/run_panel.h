#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include "app/population_history.h"
#include "model/census.h"
#include "view/line_log.h"

class QHBoxLayout;
class QLabel;
class StatusLabel;
class QScrollArea;
class QTimer;
class QWidget;
namespace QtCharts {
class QChartView;
class QLineSeries;
class QValueAxis;
}  // namespace QtCharts

// The status line's items laid out in at most `lines` lines of `width`,
// as widths `measure` gives: each line as many whole items as fit, joined
// by `separator`, so that the line's height never changes with what it
// says. What does not fit ends the last line cut short with an ellipsis;
// then the urgent items (a problem, a notice) take the last line on their
// own, so that they are read first.
[[nodiscard]] QStringList statusLines(const QStringList& items, const QStringList& urgent, int width, int lines,
                                      const QString& separator, const std::function<int(const QString&)>& measure);

// The generations shown a second, over about the last second: from the
// times they were shown, in milliseconds of one clock.
class ShownRate {
public:
    void shown(qint64 milliseconds);
    void clear() { times_.clear(); }
    // None until two generations have been shown.
    [[nodiscard]] std::optional<double> perSecond() const;

private:
    std::deque<qint64> times_;
};

// What the window tells about the run: a status line along the bottom, after
// the controls of pace and step, and a chart of the populations beside the
// board. Lives on the view thread.
class RunPanel {
    Q_DECLARE_TR_FUNCTIONS(RunPanel)

public:
    struct Status {
        std::int64_t generation = 0;
        bool running = false;
        int paceMilliseconds = 0;
        std::optional<std::uint32_t> seed;
        std::string problem;  // an output that could not be written
        std::string rules;    // how the rules differ from the standard ones, short
        std::int64_t latest = 0;    // the latest generation the run has reached
        std::int64_t earliest = 0;  // the earliest the run can go back to
        bool edited = false;        // edited in the past, the run not gone on from it
        std::optional<std::int64_t> filmFrames;  // the frames of the film being recorded, while one is
        int across = 0;  // the board's size, for what a screen reader says of it
        int down = 0;
    };

    // The status line always takes this many lines of text, the height of
    // the controls beside it, whatever it says.
    static constexpr int kStatusLines = 2;
    // The side column is this wide where the screen has room, and as narrow
    // as this in a small window; the chart is never shorter than this.
    static constexpr int kWidth = 420;
    static constexpr int kNarrowestWidth = 300;
    static constexpr int kLeastChartHeight = 200;

    // Places the status line and the chart in the window. With
    // VIVAR_STATUS_LOG set to a file name, every text the status line takes
    // is also written to that file, a line each.
    explicit RunPanel(QWidget* window);

    // The run's populations are drawn from `populations`, which must live
    // until the next of these calls. A new run, or another one brought back:
    // the chart is drawn anew, and a notice about the run before goes.
    void restart(const PopulationHistory& populations, const Census& census, const Status& status);
    void generationShown(const PopulationHistory& populations, const Census& census, const Status& status);
    // The board was edited between generations: the status line and the
    // chart show the populations as they are now.
    void populationsChanged(const PopulationHistory& populations, const Census& census, const Status& status);
    // Play, stop or the pace changed; the board did not.
    void statusChanged(const Status& status);
    // Says something at the end of the status line for a few seconds: why
    // a key did nothing.
    void notice(const QString& text);
    void toggleChart();
    // Puts the inspector at the top of the side column; the column shows
    // while the chart or the inspector does.
    void addInspector(QWidget* inspector);
    void sideChanged();
    // The board shown is an earlier or later generation of the run, which
    // the chart already holds: its marker shows which.
    void wentTo(const Census& census, const Status& status);
    // A click on the chart asks for the generation under it.
    void whenChartClicked(std::function<void(std::int64_t)> act);

    // The height of the controls and the status line in a window this wide.
    [[nodiscard]] int bottomRowHeight(int width) const;
    // How wide the side column asks to be.
    void setSideWidth(int width);
    // Puts a control at the start of the status line's row.
    void addControl(QWidget* button);
    // The controls in the status line's row, left to right, and the chart.
    [[nodiscard]] const std::vector<QWidget*>& controls() const { return controlList_; }
    [[nodiscard]] QWidget* chart() const;
    // The board's widget, whose description for screen readers says its
    // size, the generation and the populations as the status line does.
    void describeBoard(QWidget* boardArea);

private:
    void showStatus(const Status& status);
    // What the board's and the chart's descriptions say, when it changed.
    void describe(const Status& status);
    std::vector<QWidget*> controlList_;
    QWidget* board_ = nullptr;
    QString boardSaid_;
    QString chartSaid_;
    // Adds the points not charted yet, or all of them after a thinning.
    void updateChart();

    QWidget* window_;
    QWidget* bottomRow_;  // the controls and the status line
    QHBoxLayout* controls_;
    StatusLabel* statusLine_;
    QScrollArea* side_;  // the scrolling column of the inspector, the chart and its legend
    QWidget* sideContents_;
    QWidget* chartBox_;  // the chart and its legend
    QWidget* inspector_ = nullptr;
    QtCharts::QChartView* chartView_;
    std::array<QtCharts::QLineSeries*, PopulationHistory::kLineCount> series_{};
    // Across the chart at the generation shown, while it is not the latest.
    QtCharts::QLineSeries* marker_;
    void showMarker();
    QtCharts::QValueAxis* generations_;
    QtCharts::QValueAxis* squares_;
    QTimer* chartTimer_;
    QElapsedTimer sinceChartUpdate_;
    const PopulationHistory* populations_ = nullptr;
    std::size_t charted_ = 0;  // how many of the points the chart has
    std::uint64_t chartedShape_ = 0;  // and of which shape of them
    Census census_;
    int highest_ = 0;
    LineLog statusLog_{"VIVAR_STATUS_LOG"};
    QString statusShown_;  // the whole text, as the log has it
    Status status_;
    // At pace 0, how fast the generations come while running.
    QElapsedTimer clock_;
    ShownRate shownRate_;
    QString notice_;
    QElapsedTimer sinceNotice_;
};
