#include "view/run_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QLocale>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QPen>
#include <QVector>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "platform/window.h"
#include "film/kind_colours.h"
#include "view/language.h"

using QtCharts::QChart;
using QtCharts::QChartView;
using QtCharts::QLineSeries;
using QtCharts::QValueAxis;

namespace {

// The axis never shrinks below this many generations, so the first few
// points do not stretch across the whole chart.
constexpr int kLeastGenerations = 20;
// Nor below this many squares.
constexpr int kLeastSquares = 10;
constexpr qint64 kChartIntervalMilliseconds = 200;
// An axis is marked at most this many times past 0.
constexpr double kMostSteps = 5.0;
// Each axis starts this share of its length before 0.
constexpr double kAxisMargin = 0.03;
// How long a notice stays at the end of the status line.
constexpr int kNoticeMilliseconds = 5000;

// Each line in its kind's colour from the map's palette. Lines often run
// together: both species' and both kinds of eggs' at 0 once the lizards
// are gone, the species' wherever their numbers are equal. None may hide
// another, so a line drawn later is narrower than those beneath it, or
// leaves gaps as long as its dashes: the brown species wide, the green one
// narrow on top of it, each species' eggs dashed over its adults, and the
// cats dash-dotted over all.
struct LineLook {
    const char* name;
    double width;
    Qt::PenStyle style;
    // As the legend draws a short stretch of the line.
    const char* mark;
};
constexpr double kWide = 4.0;
constexpr double kNarrow = 1.5;
constexpr std::array<LineLook, PopulationHistory::kLineCount> kLines{{
    {QT_TRANSLATE_NOOP("RunPanel", "brown lizards"), kWide, Qt::SolidLine, "&#9473;&#9473;"},
    {QT_TRANSLATE_NOOP("RunPanel", "green lizards"), kNarrow, Qt::SolidLine, "&#9472;&#9472;"},
    {QT_TRANSLATE_NOOP("RunPanel", "brown eggs"), kWide, Qt::DashLine, "&#9477;&#9477;"},
    {QT_TRANSLATE_NOOP("RunPanel", "green eggs"), kNarrow, Qt::DashLine, "&#9476;&#9476;"},
    {QT_TRANSLATE_NOOP("RunPanel", "cats"), kNarrow, Qt::DashDotLine, "&#9472;&#183;&#9472;"},
}};
constexpr std::array<PopulationHistory::Line, PopulationHistory::kLineCount> kDrawingOrder{
    PopulationHistory::kLizards1, PopulationHistory::kEggs1, PopulationHistory::kLizards2, PopulationHistory::kEggs2,
    PopulationHistory::kCats};
// The palette lists the lines' kinds in the lines' order, after the empty
// square.
static_assert(kind_colours::kBrownLizards + PopulationHistory::kEggs2 == kind_colours::kGreenEggs &&
              kind_colours::kBrownLizards + PopulationHistory::kCats == kind_colours::kCats);

QPen penOf(std::size_t line) {
    QPen pen{QColor(kind_colours::ofLine(line))};
    pen.setWidthF(kLines[line].width);
    if (kLines[line].style == Qt::DashLine) {
        // Gaps as long as the dashes, in widths of the pen.
        pen.setDashPattern({3.0, 3.0});
    } else {
        pen.setStyle(kLines[line].style);
    }
    return pen;
}

// Qt Charts lays the marks out again at each change, and without end for a
// step of 0: of the step and the range, the change that leaves fewer marks
// goes first.
void showSpan(QValueAxis& axis, const AxisSpan& span) {
    axis.setTickAnchor(0.0);
    if (span.step >= axis.tickInterval()) {
        axis.setTickInterval(span.step);
        axis.setRange(span.low, span.top);
    } else {
        axis.setRange(span.low, span.top);
        axis.setTickInterval(span.step);
    }
}

// The chart's own legend cuts names short in a narrow panel; this one
// wraps.
QString legendText() {
    QString text;
    for (std::size_t line = 0; line < kLines.size(); ++line) {
        text += QString("<span style=\"color:%1; font-weight:bold\">%2</span>&nbsp;%3 &nbsp; ")
                    .arg(kind_colours::ofLine(line), kLines[line].mark,
                         RunPanel::tr(kLines[line].name).toHtmlEscaped().replace(" ", "&nbsp;"));
    }
    return text;
}

// The status line's text. Its items are held together by no-break spaces,
// so a narrow window wraps the line only between them; its counts are
// grouped as the window's language groups digits.
QString statusText(const Census& census, const PopulationHistory* history, const RunPanel::Status& status) {
    // Looked up once for the line's dozen numbers.
    const QLocale locale = language::numbers();
    const auto number = [&locale](std::int64_t value) { return locale.toString(static_cast<qlonglong>(value)); };
    QStringList items;
    items << (status.latest > status.generation
                  ? RunPanel::tr("Generation %1 of %2").arg(number(status.generation), number(status.latest))
                  : RunPanel::tr("Generation %1").arg(number(status.generation)));
    if (status.edited) {
        items << RunPanel::tr("edited, not yet run on");
    }
    items << (status.running ? RunPanel::tr("running") : RunPanel::tr("stopped"));
    if (status.filmFrames) {
        items << RunPanel::tr("● recording, frame %1").arg(number(*status.filmFrames));
    }
    items << RunPanel::tr("brown lizards %1, eggs %2").arg(number(census.lizards[0]), number(census.eggs[0]))
          << RunPanel::tr("green lizards %1, eggs %2").arg(number(census.lizards[1]), number(census.eggs[1]))
          << RunPanel::tr("cats %1 (%2 eating)").arg(number(census.cats), number(census.eatingCats));
    if (status.earliest > 0) {
        items << RunPanel::tr("history from generation %1").arg(number(status.earliest));
    }
    // Only what has happened by the generation shown: going back, a later
    // extinction is still to come.
    const auto diedOut = [&](std::size_t species) -> std::optional<std::int64_t> {
        const auto generation = history != nullptr ? history->diedOutAt(species) : std::nullopt;
        return generation && *generation <= status.generation ? generation : std::nullopt;
    };
    if (const auto generation = diedOut(0)) {
        items << RunPanel::tr("brown lizards died out at generation %1").arg(number(*generation));
    }
    if (const auto generation = diedOut(1)) {
        items << RunPanel::tr("green lizards died out at generation %1").arg(number(*generation));
    }
    items << RunPanel::tr("pace %1 ms").arg(number(status.paceMilliseconds));
    if (status.seed) {
        // A seed is a name to type again, not an amount: never grouped.
        items << RunPanel::tr("seed %1").arg(*status.seed);
    }
    if (!status.rules.empty()) {
        // As --size and --rule write them, to be typed again.
        items << RunPanel::tr("rules %1").arg(QString::fromStdString(status.rules));
    }
    const QChar noBreak(0x00A0);
    for (QString& item : items) {
        item.replace(QLatin1Char(' '), noBreak);
    }
    if (!status.problem.empty()) {
        items << QString::fromStdString(status.problem);
    }
    return items.join(QString(noBreak) + QStringLiteral("· "));
}

// The side column asks for the width the window gave it; the viewer takes
// the rest.
class SideColumn : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    [[nodiscard]] QSize sizeHint() const override { return {width_, QScrollArea::sizeHint().height()}; }
    void setPreferredWidth(int width) {
        width_ = width;
        updateGeometry();
    }

private:
    int width_ = RunPanel::kWidth;
};

// A click in the chart's plot area names the generation under it.
class ChartClicks : public QObject {
public:
    ChartClicks(QChartView* view, std::function<void(std::int64_t)> act)
        : QObject(view), view_(view), act_(std::move(act)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            QChart* chart = view_->chart();
            const QPointF at = chart->mapFromScene(view_->mapToScene(static_cast<QMouseEvent*>(event)->pos()));
            if (chart->plotArea().contains(at)) {
                // The margin before generation 0 counts as generation 0.
                act_(std::max<std::int64_t>(0, std::llround(chart->mapToValue(at).x())));
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QChartView* view_;
    std::function<void(std::int64_t)> act_;
};

}  // namespace

AxisSpan axisSpan(double highest) {
    // The smallest step of 1, 2 or 5 times a power of ten that reaches the
    // highest value in at most kMostSteps.
    const double least = std::max(highest, 1.0) / kMostSteps;
    double step = std::pow(10.0, std::floor(std::log10(least)));
    for (const double times : {1.0, 2.0, 5.0, 10.0}) {
        if (times * step >= least * (1.0 - 1e-9)) {
            step *= times;
            break;
        }
    }
    // Generations and squares are whole numbers, and so are their marks.
    step = std::max(step, 1.0);
    const double top = std::ceil(std::max(highest, 1.0) / step - 1e-9) * step;
    return {-kAxisMargin * top, top, step};
}

RunPanel::RunPanel(QWidget* window)
    : window_(window),
      bottomRow_(new QWidget(window)),
      controls_(new QHBoxLayout),
      statusLine_(new QLabel(bottomRow_)),
      side_(new SideColumn(window)),
      sideContents_(new QWidget(side_)),
      chartBox_(new QWidget(sideContents_)),
      chartView_(new QChartView(chartBox_)),
      marker_(new QLineSeries),
      generations_(new QValueAxis),
      squares_(new QValueAxis),
      chartTimer_(new QTimer(side_)) {
    // The controls, then the status line, which wraps between its items
    // rather than make the window wider than the screen.
    auto* row = new QHBoxLayout(bottomRow_);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    controls_->setSpacing(0);
    row->addLayout(controls_);
    row->addWidget(statusLine_, 1);
    statusLine_->setContentsMargins(8, 0, 8, 0);
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setWordWrap(true);
    statusLine_->setMinimumWidth(1);
    platform::placeBelowViewer(window, bottomRow_);

    auto* chart = new QChart;
    chart->setTitle(tr("Populations"));
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    // The axes write their whole numbers as the status line does; Qt Charts
    // localises only a format with a precision.
    chart->setLocalizeNumbers(true);
    chart->setLocale(language::numbers());
    generations_->setLabelFormat("%.0f");
    generations_->setTitleText(tr("generation"));
    squares_->setLabelFormat("%.0f");
    squares_->setTitleText(tr("squares"));
    // Marked from 0 on, every step, rather than at a count of ticks that
    // Qt's nice numbers carry over from one range to the next.
    for (QValueAxis* axis : {generations_, squares_}) {
        showSpan(*axis, axisSpan(kLeastGenerations));
        axis->setTickType(QValueAxis::TicksDynamic);
    }
    chart->addAxis(generations_, Qt::AlignBottom);
    chart->addAxis(squares_, Qt::AlignLeft);
    for (const PopulationHistory::Line line : kDrawingOrder) {
        auto* series = new QLineSeries;
        series->setName(tr(kLines[line].name));
        series->setPen(penOf(line));
        chart->addSeries(series);
        series->attachAxis(generations_);
        series->attachAxis(squares_);
        series_[line] = series;
    }
    QPen markerPen{QColor("#555555")};
    markerPen.setWidthF(1.5);
    markerPen.setStyle(Qt::DotLine);
    marker_->setPen(markerPen);
    chart->addSeries(marker_);
    marker_->attachAxis(generations_);
    marker_->attachAxis(squares_);
    marker_->hide();
    chartView_->setChart(chart);
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setFocusPolicy(Qt::NoFocus);

    auto* legend = new QLabel(legendText(), chartBox_);
    legend->setWordWrap(true);
    legend->setContentsMargins(8, 0, 8, 8);
    auto* chartColumn = new QVBoxLayout(chartBox_);
    chartColumn->setContentsMargins(0, 0, 0, 0);
    chartColumn->addWidget(chartView_, 1);
    chartColumn->addWidget(legend);
    // The column scrolls where the window is too short for the inspector
    // and a readable chart; it never scrolls sideways, its texts wrap.
    chartView_->setMinimumHeight(kLeastChartHeight);
    auto* column = new QVBoxLayout(sideContents_);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(chartBox_, 1);
    side_->setWidget(sideContents_);
    side_->setWidgetResizable(true);
    side_->setFrameShape(QFrame::NoFrame);
    side_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    side_->setFocusPolicy(Qt::NoFocus);
    side_->setMinimumWidth(kNarrowestWidth);
    side_->setMaximumWidth(kWidth);
    platform::placeBesideViewer(window, side_);

    chartTimer_->setSingleShot(true);
    QObject::connect(chartTimer_, &QTimer::timeout, chartView_, [this] { updateChart(); });
}

void RunPanel::restart(const PopulationHistory& populations, const Census& census, const Status& status) {
    notice_.clear();
    populationsChanged(populations, census, status);
}

void RunPanel::populationsChanged(const PopulationHistory& populations, const Census& census, const Status& status) {
    populations_ = &populations;
    charted_ = 0;
    census_ = census;
    showStatus(status);
    updateChart();
}

void RunPanel::generationShown(const PopulationHistory& populations, const Census& census, const Status& status) {
    populations_ = &populations;
    census_ = census;
    showStatus(status);
    // Drawing the chart costs more than a generation at the fastest paces;
    // it catches up a few times a second instead of at every generation.
    if (!chartTimer_->isActive()) {
        const qint64 since = sinceChartUpdate_.isValid() ? sinceChartUpdate_.elapsed() : kChartIntervalMilliseconds;
        chartTimer_->start(static_cast<int>(std::max<qint64>(0, kChartIntervalMilliseconds - since)));
    }
}

void RunPanel::updateChart() {
    sinceChartUpdate_.start();
    if (populations_ == nullptr || populations_->points().empty()) {
        return;
    }
    if (populations_->reshapes() != chartedShape_) {
        chartedShape_ = populations_->reshapes();
        charted_ = 0;
    }
    const auto& points = populations_->points();
    if (charted_ == 0) {
        highest_ = 0;
    }
    for (std::size_t i = charted_; i < points.size(); ++i) {
        highest_ = std::max(highest_, *std::max_element(points[i].counts.begin(), points[i].counts.end()));
    }
    for (std::size_t line = 0; line < series_.size(); ++line) {
        QVector<QPointF> added;
        added.reserve(static_cast<int>(points.size() - charted_));
        for (std::size_t i = charted_; i < points.size(); ++i) {
            added.append(QPointF(static_cast<qreal>(points[i].generation), points[i].counts[line]));
        }
        if (charted_ == 0) {
            series_[line]->replace(added);
        } else {
            series_[line]->append(added.toList());
        }
    }
    charted_ = points.size();
    // A line needs two points; the filled board's populations show as dots
    // until the first generation.
    if (const bool dots = points.size() == 1; series_[0]->pointsVisible() != dots) {
        for (QLineSeries* series : series_) {
            series->setPointsVisible(dots);
        }
        // A wide line's dots reach past the bounds of the line that
        // follows them, and only those are drawn again.
        chartView_->viewport()->update();
    }
    showSpan(*generations_,
             axisSpan(static_cast<double>(std::max<std::int64_t>(kLeastGenerations, points.back().generation))));
    showSpan(*squares_, axisSpan(std::max(highest_, kLeastSquares)));
    showMarker();
}

void RunPanel::showMarker() {
    const bool past = status_.latest > status_.generation;
    if (past) {
        const auto x = static_cast<qreal>(status_.generation);
        marker_->replace(QVector<QPointF>{{x, squares_->min()}, {x, squares_->max()}});
    }
    marker_->setVisible(past);
}

void RunPanel::wentTo(const Census& census, const Status& status) {
    census_ = census;
    showStatus(status);
    showMarker();
}

void RunPanel::whenChartClicked(std::function<void(std::int64_t)> act) {
    auto* filter = new ChartClicks(chartView_, std::move(act));
    chartView_->viewport()->installEventFilter(filter);
}

void RunPanel::statusChanged(const Status& status) { showStatus(status); }

void RunPanel::showStatus(const Status& status) {
    status_ = status;
    QString text = statusText(census_, populations_, status);
    if (!notice_.isEmpty() && sinceNotice_.isValid() && sinceNotice_.elapsed() < kNoticeMilliseconds) {
        text += QStringLiteral("\u00A0· ") + notice_;
    } else {
        notice_.clear();
    }
    if (text == statusLine_->text()) {
        return;
    }
    statusLine_->setText(text);
    statusLog_.write(text.toStdString());
}

void RunPanel::notice(const QString& text) {
    notice_ = text;
    sinceNotice_.start();
    showStatus(status_);
    QTimer::singleShot(kNoticeMilliseconds, statusLine_, [this] { showStatus(status_); });
}

void RunPanel::toggleChart() {
    chartBox_->setVisible(chartBox_->isHidden());
    sideChanged();
}

void RunPanel::addInspector(QWidget* inspector) {
    inspector_ = inspector;
    static_cast<QVBoxLayout*>(sideContents_->layout())->insertWidget(0, inspector);
}

void RunPanel::sideChanged() {
    const bool inspecting = inspector_ != nullptr && !inspector_->isHidden();
    platform::showBesideViewer(window_, side_, !chartBox_->isHidden() || inspecting);
}

int RunPanel::bottomRowHeight(int width) const {
    return bottomRow_->hasHeightForWidth() ? bottomRow_->heightForWidth(width) : bottomRow_->sizeHint().height();
}

void RunPanel::setSideWidth(int width) { static_cast<SideColumn*>(side_)->setPreferredWidth(width); }

void RunPanel::addControl(QWidget* button) { controls_->addWidget(button); }
