#include "film/film_page.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "looks/chart_lines.h"

namespace {

// The chart takes this share of the frame's width, the caption this share
// of its height, within bounds that keep its letters readable.
constexpr double kChartShare = 0.4;
constexpr double kCaptionShare = 0.06;
constexpr int kLeastCaption = 14;
constexpr int kMostCaption = 72;
// The caption's letters fill this share of its strip.
constexpr double kCaptionLetters = 0.6;
constexpr int kLeastLetters = 6;
// The window's chart in its light theme.
constexpr QRgb kChartBackground = 0xFFFFFFFF;
constexpr QRgb kChartText = 0xFF404040;
constexpr QRgb kGrid = 0xFFE0E0E0;
constexpr QRgb kAxisLine = 0xFF909090;
constexpr QRgb kMarker = 0xFF555555;
constexpr QRgb kCaptionText = 0xFFFFFFFF;

// The lines' names, in the populations' order.
constexpr std::array<const char*, kPopulationLines> kNames{
    QT_TRANSLATE_NOOP("FilmPage", "brown lizards"), QT_TRANSLATE_NOOP("FilmPage", "green lizards"),
    QT_TRANSLATE_NOOP("FilmPage", "brown eggs"), QT_TRANSLATE_NOOP("FilmPage", "green eggs"),
    QT_TRANSLATE_NOOP("FilmPage", "cats")};
static_assert(chart_lines::kLooks.size() == kPopulationLines);
// The window's chart's letters, to which its lines' widths belong.
constexpr double kWindowLetters = 12.0;

// A line's pen, its width in proportion to the chart's letters.
QPen penOf(std::size_t line, double letters) {
    return chart_lines::penOf(line, std::max(1.0, letters / kWindowLetters));
}

QFont lettersOf(double pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(kLeastLetters, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

}  // namespace

FilmPage::FilmPage(FilmSize size, FilmExtras extras, const QLocale& numbers)
    : size_(size), extras_(extras), numbers_(numbers), board_(size) {
    if (extras.caption) {
        captionHeight_ = std::clamp(static_cast<int>(std::lround(size.height * kCaptionShare)), kLeastCaption,
                                    kMostCaption);
        captionHeight_ = std::min(captionHeight_, size.height / 3);
    }
    if (extras.chart) {
        chartWidth_ = static_cast<int>(std::lround(size.width * kChartShare));
    }
    board_ = {std::max(1, size.width - chartWidth_), std::max(1, size.height - captionHeight_)};
}

QString FilmPage::caption(const Point& shown) const {
    const auto number = [this](std::int64_t value) { return numbers_.toString(static_cast<qlonglong>(value)); };
    const auto& counts = shown.counts;
    return QStringList{tr("Generation %1").arg(number(shown.generation)),
                       tr("brown lizards %1, eggs %2").arg(number(counts[0]), number(counts[2])),
                       tr("green lizards %1, eggs %2").arg(number(counts[1]), number(counts[3])),
                       tr("cats %1").arg(number(counts[4]))}
        .join(QStringLiteral("  ·  "));
}

QImage FilmPage::compose(const QImage& board, const Point& shown, std::span<const Point> points) const {
    if (boardAlone()) {
        return board;
    }
    QImage frame(size_.width, size_.height, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    painter.drawImage(0, 0, board);
    if (extras_.caption) {
        // As large as the strip allows, smaller where the line is long.
        const QString line = caption(shown);
        const QRectF strip(0, board_.height, size_.width, captionHeight_);
        const double room = size_.width - captionHeight_;
        QFont font = lettersOf(captionHeight_ * kCaptionLetters);
        const double wide = QFontMetricsF(font).horizontalAdvance(line);
        if (wide > room) {
            font = lettersOf(font.pixelSize() * room / wide);
        }
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(kCaptionText));
        painter.drawText(strip, Qt::AlignCenter, QFontMetricsF(font).elidedText(line, Qt::ElideRight, room));
    }
    painter.end();
    if (extras_.chart) {
        drawChart(frame, shown, points);
    }
    return frame;
}

void FilmPage::drawChart(QImage& frame, const Point& shown, std::span<const Point> points) const {
    const QRectF area(board_.width, 0, chartWidth_, board_.height);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, QColor::fromRgb(kChartBackground));
    const double letters = std::clamp(std::min(area.width(), area.height()) / 28.0, 8.0, 28.0);
    const double gap = letters / 2;
    const QFont plain = lettersOf(letters);
    const QFontMetricsF metrics(plain);

    // The title on top, the legend below, wrapping between its entries.
    painter.setPen(QColor::fromRgb(kChartText));
    painter.setFont(lettersOf(letters * 1.2, true));
    const QRectF title(area.left(), area.top() + gap, area.width(), QFontMetricsF(painter.font()).height());
    painter.drawText(title, Qt::AlignCenter, tr("Populations"));
    const double mark = 2.2 * letters;
    struct Entry {
        QString name;
        double width;
    };
    std::vector<Entry> entries;
    for (const char* line : kNames) {
        const QString name = tr(line);
        entries.push_back({name, mark + gap / 2 + metrics.horizontalAdvance(name) + 1.5 * letters});
    }
    std::vector<std::vector<std::size_t>> rows(1);
    double used = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (used > 0 && used + entries[i].width > area.width() - 2 * gap) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += entries[i].width;
    }
    const double legendTop = area.bottom() - gap - static_cast<double>(rows.size()) * metrics.height();
    painter.setFont(plain);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        double x = area.left() + gap;
        const double y = legendTop + static_cast<double>(row) * metrics.height();
        for (const std::size_t i : rows[row]) {
            painter.setPen(penOf(i, letters));
            painter.drawLine(QPointF(x, y + metrics.height() / 2), QPointF(x + mark, y + metrics.height() / 2));
            painter.setPen(QColor::fromRgb(kChartText));
            painter.drawText(QPointF(x + mark + gap / 2, y + metrics.ascent()), entries[i].name);
            x += entries[i].width;
        }
    }

    // The axes follow the highest values charted, as the window's do.
    int highest = 0;
    for (const Point& point : points) {
        highest = std::max(highest, *std::max_element(point.counts.begin(), point.counts.end()));
    }
    const std::int64_t last = points.empty() ? shown.generation : points.back().generation;
    const chart_lines::AxisSpan across = chart_lines::axisSpan(std::max(chart_lines::kLeastGenerations, static_cast<double>(last)));
    const chart_lines::AxisSpan up = chart_lines::axisSpan(std::max(chart_lines::kLeastSquares, static_cast<double>(highest)));
    const auto label = [this](double value) { return numbers_.toString(static_cast<qlonglong>(std::llround(value))); };
    double labelWidth = 0;
    for (double value = 0; value <= up.top + 1e-9; value += up.step) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label(value)));
    }
    const double axisTitle = metrics.height();
    const QRectF plot(QPointF(area.left() + gap + axisTitle + gap + labelWidth + gap, title.bottom() + gap),
                      QPointF(area.right() - gap - metrics.horizontalAdvance(label(across.top)) / 2,
                              legendTop - gap - axisTitle - metrics.height() - gap));
    if (plot.width() < 2 * letters || plot.height() < 2 * letters) {
        return;
    }
    const auto xOf = [&](double generation) {
        return plot.left() + (generation - across.low) / (across.top - across.low) * plot.width();
    };
    const auto yOf = [&](double squares) {
        return plot.bottom() - (squares - up.low) / (up.top - up.low) * plot.height();
    };
    painter.setFont(plain);
    for (double value = 0; value <= across.top + 1e-9; value += across.step) {
        painter.setPen(QPen(QColor::fromRgb(kGrid), 1));
        painter.drawLine(QPointF(xOf(value), plot.top()), QPointF(xOf(value), plot.bottom()));
        painter.setPen(QColor::fromRgb(kChartText));
        painter.drawText(QRectF(xOf(value) - 4 * letters, plot.bottom() + gap / 2, 8 * letters, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, label(value));
    }
    for (double value = 0; value <= up.top + 1e-9; value += up.step) {
        painter.setPen(QPen(QColor::fromRgb(kGrid), 1));
        painter.drawLine(QPointF(plot.left(), yOf(value)), QPointF(plot.right(), yOf(value)));
        painter.setPen(QColor::fromRgb(kChartText));
        painter.drawText(QRectF(plot.left() - gap - labelWidth, yOf(value) - metrics.height() / 2, labelWidth,
                                metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label(value));
    }
    painter.setPen(QPen(QColor::fromRgb(kAxisLine), 1));
    painter.drawRect(plot);
    painter.setPen(QColor::fromRgb(kChartText));
    painter.drawText(QRectF(plot.left(), plot.bottom() + gap / 2 + metrics.height(), plot.width(), axisTitle),
                     Qt::AlignCenter, tr("generation"));
    painter.save();
    painter.translate(area.left() + gap + axisTitle / 2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -axisTitle / 2, plot.height(), axisTitle), Qt::AlignCenter,
                     tr("squares"));
    painter.restore();

    // The lines, in the window's order, the last drawn on top; a single
    // point shows as a dot.
    painter.setClipRect(plot);
    for (const std::size_t line : chart_lines::kDrawingOrder) {
        const QPen pen = penOf(line, letters);
        painter.setPen(pen);
        if (points.size() == 1) {
            painter.setBrush(pen.color());
            painter.drawEllipse(QPointF(xOf(static_cast<double>(points[0].generation)), yOf(points[0].counts[line])),
                                pen.widthF(), pen.widthF());
            painter.setBrush(Qt::NoBrush);
            continue;
        }
        QPainterPath path;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QPointF at(xOf(static_cast<double>(points[i].generation)), yOf(points[i].counts[line]));
            if (i == 0) {
                path.moveTo(at);
            } else {
                path.lineTo(at);
            }
        }
        painter.drawPath(path);
    }
    // Gone back in the run: the generation shown is marked, as in the window.
    if (shown.generation < last) {
        QPen pen(QColor::fromRgb(kMarker), 1.5 * std::max(1.0, letters / kWindowLetters), Qt::DotLine);
        painter.setPen(pen);
        const double x = xOf(static_cast<double>(shown.generation));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}
