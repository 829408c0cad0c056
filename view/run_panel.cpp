#include "view/run_panel.h"

#include <algorithm>
#include <string>

#include <QLabel>
#include <QVBoxLayout>
#include <QPen>
#include <QVector>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "platform/window.h"

using QtCharts::QChart;
using QtCharts::QChartView;
using QtCharts::QLineSeries;
using QtCharts::QValueAxis;

namespace {

// The axis never shrinks below this many generations, so the first few
// points do not stretch across the whole chart.
constexpr int kLeastGenerations = 20;

// The pictures' colours: brown and green lizards, paler for their eggs,
// orange cats.
struct LineLook {
    const char* name;
    const char* colour;
    Qt::PenStyle style;
};
constexpr std::array<LineLook, PopulationHistory::kLineCount> kLines{{
    {"brown lizards", "#9A6532", Qt::SolidLine},
    {"green lizards", "#3C9A2A", Qt::SolidLine},
    {"brown eggs", "#C99A5E", Qt::DashLine},
    {"green eggs", "#8CCB5A", Qt::DashLine},
    {"cats", "#EE922F", Qt::SolidLine},
}};

// The chart's own legend cuts names short in a narrow panel; this one
// wraps.
QString legendText() {
    QString text;
    for (const LineLook& line : kLines) {
        const char* mark = line.style == Qt::DashLine ? "&#9476;&#9476;" : "&#9473;&#9473;";
        text += QString("<span style=\"color:%1; font-weight:bold\">%2</span>&nbsp;%3 &nbsp; ")
                    .arg(line.colour, mark, QString(line.name).replace(" ", "&nbsp;"));
    }
    return text;
}

}  // namespace

std::string statusText(const Census& census, const RunPanel::Status& status) {
    std::string text = "Generation " + std::to_string(status.generation) + (status.running ? "  ·  running" : "  ·  stopped");
    text += "  ·  brown lizards " + std::to_string(census.lizards[0]) + ", eggs " + std::to_string(census.eggs[0]);
    text += "  ·  green lizards " + std::to_string(census.lizards[1]) + ", eggs " + std::to_string(census.eggs[1]);
    text += "  ·  cats " + std::to_string(census.cats) + " (" + std::to_string(census.eatingCats) + " eating)";
    text += "  ·  pace " + std::to_string(status.paceMilliseconds) + " ms";
    if (status.seed) {
        text += "  ·  seed " + std::to_string(*status.seed);
    }
    return text;
}

RunPanel::RunPanel(QWidget* window)
    : statusLine_(new QLabel(window)),
      side_(new QWidget(window)),
      chartView_(new QChartView(side_)),
      generations_(new QValueAxis),
      squares_(new QValueAxis) {
    statusLine_->setContentsMargins(8, 3, 8, 3);
    statusLine_->setTextFormat(Qt::PlainText);
    // A long line must not make the window wider than the screen.
    statusLine_->setMinimumWidth(1);
    platform::placeBelowViewer(window, statusLine_);

    auto* chart = new QChart;
    chart->setTitle("Populations");
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    generations_->setLabelFormat("%d");
    generations_->setTitleText("generation");
    squares_->setLabelFormat("%d");
    squares_->setTitleText("squares");
    chart->addAxis(generations_, Qt::AlignBottom);
    chart->addAxis(squares_, Qt::AlignLeft);
    for (std::size_t line = 0; line < kLines.size(); ++line) {
        auto* series = new QLineSeries;
        series->setName(kLines[line].name);
        QPen pen{QColor(kLines[line].colour)};
        pen.setWidthF(2.0);
        pen.setStyle(kLines[line].style);
        series->setPen(pen);
        chart->addSeries(series);
        series->attachAxis(generations_);
        series->attachAxis(squares_);
        series_[line] = series;
    }
    chartView_->setChart(chart);
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setFocusPolicy(Qt::NoFocus);

    auto* legend = new QLabel(legendText(), side_);
    legend->setWordWrap(true);
    legend->setContentsMargins(8, 0, 8, 8);
    auto* column = new QVBoxLayout(side_);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(chartView_, 1);
    column->addWidget(legend);
    side_->setFixedWidth(kWidth);
    platform::placeBesideViewer(window, side_);
    restart(Census{}, Status{});
}

void RunPanel::restart(const Census& census, const Status& status) {
    history_.clear();
    highest_ = 0;
    generationShown(census, status);
    redrawChart();
}

void RunPanel::generationShown(const Census& census, const Status& status) {
    census_ = census;
    const bool thinned = history_.add(status.generation, census);
    const PopulationHistory::Point& point = history_.points().back();
    highest_ = std::max(highest_, *std::max_element(point.counts.begin(), point.counts.end()));
    if (thinned) {
        redrawChart();
    } else {
        for (std::size_t line = 0; line < series_.size(); ++line) {
            series_[line]->append(static_cast<qreal>(point.generation), point.counts[line]);
        }
    }
    generations_->setRange(0, static_cast<qreal>(std::max<std::int64_t>(kLeastGenerations, status.generation)));
    generations_->applyNiceNumbers();
    squares_->setRange(0, std::max(highest_, 10));
    squares_->applyNiceNumbers();
    showStatus(status);
}

void RunPanel::statusChanged(const Status& status) { showStatus(status); }

void RunPanel::showStatus(const Status& status) {
    statusLine_->setText(QString::fromStdString(statusText(census_, status)));
}

void RunPanel::redrawChart() {
    for (std::size_t line = 0; line < series_.size(); ++line) {
        QVector<QPointF> points;
        points.reserve(static_cast<int>(history_.points().size()));
        for (const PopulationHistory::Point& point : history_.points()) {
            points.append(QPointF(static_cast<qreal>(point.generation), point.counts[line]));
        }
        series_[line]->replace(points);
    }
}

void RunPanel::toggleChart() { side_->setVisible(!side_->isVisible()); }

bool RunPanel::chartShown() const { return side_->isVisible(); }

int RunPanel::statusLineHeight() const { return statusLine_->sizeHint().height(); }
