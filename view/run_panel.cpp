#include "view/run_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QLabel>
#include <QResizeEvent>
#include <QSizePolicy>
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
#include "looks/chart_lines.h"
#include "looks/kind_colours.h"
#include "view/language.h"

using QtCharts::QChart;
using QtCharts::QChartView;
using QtCharts::QLineSeries;
using QtCharts::QValueAxis;

namespace {

// The axes never shrink below these, so the first few points do not
// stretch across the whole chart.
constexpr auto kLeastGenerations = static_cast<std::int64_t>(chart_lines::kLeastGenerations);
constexpr auto kLeastSquares = static_cast<int>(chart_lines::kLeastSquares);
constexpr qint64 kChartIntervalMilliseconds = 200;
// How long a notice stays at the end of the status line; the timer that
// takes it away may come this much early.
constexpr int kNoticeMilliseconds = 5000;
constexpr int kNoticeTimerSlackMilliseconds = 50;
// The generations shown a second are counted over about this long, and
// never over fewer than the latest two.
constexpr qint64 kRateSpanMilliseconds = 1000;
constexpr double kWholeRatesFrom = 10.0;

// Each line in its kind's colour from the map's palette. Lines often run
// together: both species' and both kinds of eggs' at 0 once the lizards
// are gone, the species' wherever their numbers are equal. None may hide
// another, so a line drawn later is narrower than those beneath it, or
// leaves gaps as long as its dashes: the brown species wide, the green one
// narrow on top of it, each species' eggs dashed over its adults, and the
// cats dash-dotted over all.
struct LineLook {
    const char* name;
    // As the legend draws a short stretch of the line.
    const char* mark;
};
constexpr std::array<LineLook, PopulationHistory::kLineCount> kLines{{
    {QT_TRANSLATE_NOOP("RunPanel", "brown lizards"), "&#9473;&#9473;"},
    {QT_TRANSLATE_NOOP("RunPanel", "green lizards"), "&#9472;&#9472;"},
    {QT_TRANSLATE_NOOP("RunPanel", "brown eggs"), "&#9477;&#9477;"},
    {QT_TRANSLATE_NOOP("RunPanel", "green eggs"), "&#9476;&#9476;"},
    {QT_TRANSLATE_NOOP("RunPanel", "cats"), "&#9472;&#183;&#9472;"},
}};
// The palette lists the lines' kinds in the lines' order, after the empty
// square, and so do the lines' looks.
static_assert(indexOf(SquareLook::kBrownLizard) + PopulationHistory::kEggs2 == indexOf(SquareLook::kGreenEgg) &&
              indexOf(SquareLook::kBrownLizard) + PopulationHistory::kCats == indexOf(SquareLook::kAnyCat));
static_assert(chart_lines::kLooks.size() == PopulationHistory::kLineCount);

// Qt Charts lays the marks out again at each change, and without end for a
// step of 0: of the step and the range, the change that leaves fewer marks
// goes first.
void showSpan(QValueAxis& axis, const chart_lines::AxisSpan& span) {
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

// The status line's items, and its urgent ones: a problem with an output.
// Each item's words are held together by no-break spaces, so that a line
// breaks only between items; its counts are grouped as the window's
// language groups digits.
struct StatusItems {
    QStringList items;
    QStringList urgent;
};

StatusItems statusItems(const Census& census, const PopulationHistory* history, const RunPanel::Status& status,
                        std::optional<double> shownPerSecond) {
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
    if (shownPerSecond) {
        // Whole ones from ten a second on; a large board's few, to a tenth.
        const int decimals = *shownPerSecond < kWholeRatesFrom ? 1 : 0;
        items << RunPanel::tr("%1 generations a second").arg(locale.toString(*shownPerSecond, 'f', decimals));
    }
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
    StatusItems told{items, {}};
    if (!status.problem.empty()) {
        told.urgent << QString::fromStdString(status.problem);
    }
    return told;
}

// The populations as the status line tells them, for a screen reader.
QString populationsSaid(const Census& census) {
    const QLocale locale = language::numbers();
    const auto number = [&locale](std::int64_t value) { return locale.toString(static_cast<qlonglong>(value)); };
    return QStringList{RunPanel::tr("brown lizards %1, eggs %2").arg(number(census.lizards[0]), number(census.eggs[0])),
                       RunPanel::tr("green lizards %1, eggs %2").arg(number(census.lizards[1]), number(census.eggs[1])),
                       RunPanel::tr("cats %1 (%2 eating)").arg(number(census.cats), number(census.eatingCats))}
        .join(QStringLiteral("; "));
}

// Between the status line's items.
const QString kItemSeparator = QStringLiteral("\u00A0· ");

// `text` cut short with an ellipsis where it is wider than `width`.
QString elided(const QString& text, int width, const std::function<int(const QString&)>& measure) {
    if (measure(text) <= width) {
        return text;
    }
    const QString ellipsis(QChar(0x2026));
    // The longest start of the text that fits with the ellipsis.
    int fits = 0;
    int fitsNot = static_cast<int>(text.size());
    while (fitsNot - fits > 1) {
        const int middle = (fits + fitsNot) / 2;
        (measure(text.left(middle) + ellipsis) <= width ? fits : fitsNot) = middle;
    }
    QString start = text.left(fits);
    while (!start.isEmpty() && (start.back().isSpace() || start.back() == QChar(0x00B7))) {
        start.chop(1);
    }
    return start + ellipsis;
}

}  // namespace

QStringList statusLines(const QStringList& items, const QStringList& urgent, int width, int lines,
                        const QString& separator, const std::function<int(const QString&)>& measure) {
    // Whole items a line; the items left over after the last line's start
    // go on it, cut short.
    const auto fit = [&](const QStringList& all, int most) {
        QStringList laid;
        for (const QString& item : all) {
            if (!laid.isEmpty() && (static_cast<int>(laid.size()) == most ||
                                    measure(laid.back() + separator + item) <= width)) {
                laid.back() += separator + item;
            } else {
                laid << item;
            }
        }
        for (QString& line : laid) {
            line = elided(line, width, measure);
        }
        return laid;
    };
    const QStringList all = items + urgent;
    if (width <= 0 || lines <= 1 || urgent.isEmpty()) {
        return fit(all, std::max(lines, 1));
    }
    QStringList laid = fit(all, lines + 1);
    if (static_cast<int>(laid.size()) <= lines && !laid.back().endsWith(QChar(0x2026))) {
        return laid;
    }
    return fit(items, lines - 1) + fit(urgent, 1);
}

void ShownRate::shown(qint64 milliseconds) {
    times_.push_back(milliseconds);
    while (times_.size() > 2 && milliseconds - times_.front() > kRateSpanMilliseconds) {
        times_.pop_front();
    }
}

std::optional<double> ShownRate::perSecond() const {
    if (times_.size() < 2 || times_.back() <= times_.front()) {
        return std::nullopt;
    }
    return static_cast<double>(times_.size() - 1) * 1000.0 / static_cast<double>(times_.back() - times_.front());
}

namespace {

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

// The status line: its items laid out anew in its lines whenever it is
// given others or its width changes; its height stays that of
// RunPanel::kStatusLines lines. The whole text is its tooltip.
class StatusLabel : public QLabel {
public:
    explicit StatusLabel(QWidget* parent) : QLabel(parent) {
        setTextFormat(Qt::PlainText);
        setWordWrap(false);
        setContentsMargins(8, 0, 8, 0);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // Its width is what the row leaves it; its text never widens the window.
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setMinimumWidth(1);
        setFixedHeight(fontMetrics().lineSpacing() * RunPanel::kStatusLines + 2);
    }

    void setItems(const QStringList& items, const QStringList& urgent) {
        items_ = items;
        urgent_ = urgent;
        setToolTip((items + urgent).join(QStringLiteral(" · ")));
        layOut();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        layOut();
    }

private:
    void layOut() {
        const QFontMetrics metrics = fontMetrics();
        setText(statusLines(items_, urgent_, contentsRect().width(), RunPanel::kStatusLines, kItemSeparator,
                            [&metrics](const QString& text) { return metrics.horizontalAdvance(text); })
                    .join(QLatin1Char('\n')));
    }

    QStringList items_;
    QStringList urgent_;
};

RunPanel::RunPanel(QWidget* window)
    : window_(window),
      bottomRow_(new QWidget(window)),
      controls_(new QHBoxLayout),
      statusLine_(new StatusLabel(bottomRow_)),
      side_(new SideColumn(window)),
      sideContents_(new QWidget(side_)),
      chartBox_(new QWidget(sideContents_)),
      chartView_(new QChartView(chartBox_)),
      marker_(new QLineSeries),
      generations_(new QValueAxis),
      squares_(new QValueAxis),
      chartTimer_(new QTimer(side_)) {
    // The controls, then the status line, which breaks between its items
    // rather than make the window wider than the screen, and keeps its
    // height, so that the view above never jumps.
    auto* row = new QHBoxLayout(bottomRow_);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    controls_->setSpacing(0);
    row->addLayout(controls_);
    row->addWidget(statusLine_, 1);
    statusLine_->setAccessibleName(tr("Status line"));
    platform::placeBelowViewer(window, bottomRow_);
    clock_.start();

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
        showSpan(*axis, chart_lines::axisSpan(chart_lines::kLeastGenerations));
        axis->setTickType(QValueAxis::TicksDynamic);
    }
    chart->addAxis(generations_, Qt::AlignBottom);
    chart->addAxis(squares_, Qt::AlignLeft);
    for (const std::size_t line : chart_lines::kDrawingOrder) {
        auto* series = new QLineSeries;
        series->setName(tr(kLines[line].name));
        series->setPen(chart_lines::penOf(line));
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
    // Reached by Tab for what a screen reader says of it; a click on it
    // leaves the keys with the board.
    chartView_->setFocusPolicy(Qt::TabFocus);
    chartView_->setAccessibleName(tr("Population chart"));

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
    shownRate_.shown(clock_.elapsed());
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
             chart_lines::axisSpan(static_cast<double>(std::max<std::int64_t>(kLeastGenerations, points.back().generation))));
    showSpan(*squares_, chart_lines::axisSpan(std::max(highest_, kLeastSquares)));
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
    // Only while running as fast as the window draws.
    if (!status.running || status.paceMilliseconds != 0) {
        shownRate_.clear();
    }
    describe(status);
    StatusItems told = statusItems(census_, populations_, status, shownRate_.perSecond());
    if (!notice_.isEmpty() && sinceNotice_.isValid() &&
        !sinceNotice_.hasExpired(kNoticeMilliseconds - kNoticeTimerSlackMilliseconds)) {
        told.urgent << notice_;
    } else {
        notice_.clear();
    }
    const QString text = (told.items + told.urgent).join(kItemSeparator);
    if (text == statusShown_) {
        return;
    }
    statusShown_ = text;
    statusLine_->setItems(told.items, told.urgent);
    statusLine_->setAccessibleDescription(QString(text).replace(QChar(0x00A0), QLatin1Char(' ')));
    statusLog_.write(text.toStdString());
}

void RunPanel::notice(const QString& text) {
    notice_ = text;
    sinceNotice_.start();
    showStatus(status_);
    // Even a precise timer may come a little early, and leave the notice
    // standing while nothing else retells the line.
    QTimer::singleShot(kNoticeMilliseconds, Qt::PreciseTimer, statusLine_, [this] { showStatus(status_); });
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

void RunPanel::addControl(QWidget* button) {
    controls_->addWidget(button);
    controlList_.push_back(button);
}

QWidget* RunPanel::chart() const { return chartView_; }

void RunPanel::describeBoard(QWidget* boardArea) {
    board_ = boardArea;
    boardSaid_.clear();
    describe(status_);
}

void RunPanel::describe(const Status& status) {
    const QString populations = populationsSaid(census_);
    if (populations != chartSaid_) {
        chartSaid_ = populations;
        chartView_->setAccessibleDescription(tr("Now: %1").arg(populations));
    }
    if (board_ == nullptr) {
        return;
    }
    const QLocale locale = language::numbers();
    const QString said = tr("%1 by %2 squares, generation %3; %4")
                             .arg(locale.toString(status.across), locale.toString(status.down),
                                  locale.toString(static_cast<qlonglong>(status.generation)), populations);
    if (said != boardSaid_) {
        boardSaid_ = said;
        board_->setAccessibleDescription(said);
    }
}
