// A plot's shapes and texts on Qt's painter, and as SVG text.
#include "film/plot_canvas.h"

#include <cmath>
#include <cstdio>

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

namespace {

QFont lettersOf(double pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// From a text's middle height down to its baseline.
double middleToBaseline(double pixels, bool bold) {
    const QFontMetricsF metrics(lettersOf(pixels, bold));
    return (metrics.ascent() - metrics.descent()) / 2;
}

double startOf(double x, double width, PlotCanvas::Align align) {
    switch (align) {
        case PlotCanvas::Align::kLeft:
            return x;
        case PlotCanvas::Align::kCentre:
            return x - width / 2;
        case PlotCanvas::Align::kRight:
            return x - width;
    }
    return x;
}

QPen penOf(const PlotCanvas::Pen& pen) {
    QPen qt(pen.colour, pen.width);
    qt.setCapStyle(Qt::FlatCap);
    qt.setJoinStyle(Qt::RoundJoin);
    if (pen.dashed) {
        qt.setDashPattern({4.0, 3.0});
    }
    return qt;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string written = text;
    while (written.back() == '0') {
        written.pop_back();
    }
    if (written.back() == '.') {
        written.pop_back();
    }
    return written == "-0" ? "0" : written;
}

std::string colourOf(const QColor& colour) {
    return colour.name(QColor::HexRgb).toStdString();
}

// The colour, and its opacity where it is not opaque.
std::string paintOf(const char* what, const QColor& colour) {
    std::string written = std::string(what) + "=\"" + colourOf(colour) + "\"";
    if (colour.alpha() < 255) {
        written += std::string(" ") + what + "-opacity=\"" + number(colour.alphaF()) + "\"";
    }
    return written;
}

std::string strokeOf(const PlotCanvas::Pen& pen) {
    std::string written = paintOf("stroke", pen.colour) + " stroke-width=\"" + number(pen.width) + "\"";
    if (pen.dashed) {
        written += " stroke-dasharray=\"" + number(4 * pen.width) + " " + number(3 * pen.width) + "\"";
    }
    return written;
}

std::string escaped(const QString& words) {
    std::string written;
    for (const char c : words.toStdString()) {
        switch (c) {
            case '&':
                written += "&amp;";
                break;
            case '<':
                written += "&lt;";
                break;
            case '>':
                written += "&gt;";
                break;
            case '"':
                written += "&quot;";
                break;
            default:
                written += c;
        }
    }
    return written;
}

std::string pointsOf(const std::vector<QPointF>& through) {
    std::string written;
    for (const QPointF& point : through) {
        if (!written.empty()) {
            written += ' ';
        }
        written += number(point.x()) + "," + number(point.y());
    }
    return written;
}

}  // namespace

double PlotCanvas::widthOf(const QString& words, double pixels, bool bold) {
    return QFontMetricsF(lettersOf(pixels, bold)).horizontalAdvance(words);
}

void PainterCanvas::rectangle(const QRectF& area, const QColor& fill) { painter_.fillRect(area, fill); }

void PainterCanvas::outline(const QRectF& area, const Pen& pen) {
    painter_.setPen(penOf(pen));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(area);
}

void PainterCanvas::lines(const std::vector<QPointF>& through, const Pen& pen) {
    painter_.setPen(penOf(pen));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(through.data(), static_cast<int>(through.size()));
}

void PainterCanvas::shape(const std::vector<QPointF>& corners, const QColor& fill) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(fill);
    painter_.drawPolygon(corners.data(), static_cast<int>(corners.size()));
}

void PainterCanvas::disc(QPointF centre, double radius, const QColor& fill) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(fill);
    painter_.drawEllipse(centre, radius, radius);
}

void PainterCanvas::text(QPointF at, const QString& words, double pixels, const QColor& colour, Align align,
                         bool bold, bool upright) {
    painter_.save();
    painter_.setFont(lettersOf(pixels, bold));
    painter_.setPen(colour);
    painter_.translate(at);
    if (upright) {
        painter_.rotate(-90);
    }
    painter_.drawText(QPointF(startOf(0, widthOf(words, pixels, bold), align), middleToBaseline(pixels, bold)), words);
    painter_.restore();
}

SvgCanvas::SvgCanvas(int width, int height) : width_(width), height_(height) {}

void SvgCanvas::rectangle(const QRectF& area, const QColor& fill) {
    body_ += "<rect x=\"" + number(area.x()) + "\" y=\"" + number(area.y()) + "\" width=\"" + number(area.width()) +
             "\" height=\"" + number(area.height()) + "\" " + paintOf("fill", fill) + "/>\n";
}

void SvgCanvas::outline(const QRectF& area, const Pen& pen) {
    body_ += "<rect x=\"" + number(area.x()) + "\" y=\"" + number(area.y()) + "\" width=\"" + number(area.width()) +
             "\" height=\"" + number(area.height()) + "\" fill=\"none\" " + strokeOf(pen) + "/>\n";
}

void SvgCanvas::lines(const std::vector<QPointF>& through, const Pen& pen) {
    body_ += "<polyline points=\"" + pointsOf(through) + "\" fill=\"none\" " + strokeOf(pen) +
             " stroke-linejoin=\"round\"/>\n";
}

void SvgCanvas::shape(const std::vector<QPointF>& corners, const QColor& fill) {
    body_ += "<polygon points=\"" + pointsOf(corners) + "\" " + paintOf("fill", fill) + "/>\n";
}

void SvgCanvas::disc(QPointF centre, double radius, const QColor& fill) {
    body_ += "<circle cx=\"" + number(centre.x()) + "\" cy=\"" + number(centre.y()) + "\" r=\"" + number(radius) +
             "\" " + paintOf("fill", fill) + "/>\n";
}

void SvgCanvas::text(QPointF at, const QString& words, double pixels, const QColor& colour, Align align, bool bold,
                     bool upright) {
    const double x = startOf(0, widthOf(words, pixels, bold), align);
    std::string place = "transform=\"translate(" + number(at.x()) + "," + number(at.y()) + ")" +
                        (upright ? " rotate(-90)" : "") + "\"";
    body_ += "<text " + place + " x=\"" + number(x) + "\" y=\"" + number(middleToBaseline(pixels, bold)) +
             "\" font-size=\"" + std::to_string(std::lround(pixels)) + "\"" + (bold ? " font-weight=\"bold\"" : "") + " " +
             paintOf("fill", colour) + ">" + escaped(words) + "</text>\n";
}

std::string SvgCanvas::document() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(width_) + "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
           std::to_string(width_) + " " + std::to_string(height_) +
           "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n" + body_ + "</svg>\n";
}
