// What a plot is drawn on: a few shapes and texts, with two back ends, Qt's
// painter (pictures, the window) and an SVG text of our own, since the
// Windows Qt has no QtSvg. The same calls give the same picture in both.
#pragma once

#include <string>
#include <vector>

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

class PlotCanvas {
public:
    enum class Align { kLeft, kCentre, kRight };
    struct Pen {
        QColor colour;
        double width = 1.0;
        bool dashed = false;
    };

    virtual ~PlotCanvas() = default;
    virtual void rectangle(const QRectF& area, const QColor& fill) = 0;
    virtual void outline(const QRectF& area, const Pen& pen) = 0;
    virtual void lines(const std::vector<QPointF>& through, const Pen& pen) = 0;
    // A closed shape filled, without a stroke (a band of quartiles).
    virtual void shape(const std::vector<QPointF>& corners, const QColor& fill) = 0;
    virtual void disc(QPointF centre, double radius, const QColor& fill) = 0;
    // Text whose middle height is at `at`.y, aligned at `at`.x; `upright`
    // turns it a quarter to read upwards, as a y axis's title does.
    virtual void text(QPointF at, const QString& words, double pixels, const QColor& colour, Align align,
                      bool bold = false, bool upright = false) = 0;
    // The width of a text in pixels, the same for both back ends, so that
    // layouts agree.
    [[nodiscard]] static double widthOf(const QString& words, double pixels, bool bold = false);

    void line(QPointF from, QPointF to, const Pen& pen) { lines({from, to}, pen); }
};

class PainterCanvas final : public PlotCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
    void rectangle(const QRectF& area, const QColor& fill) override;
    void outline(const QRectF& area, const Pen& pen) override;
    void lines(const std::vector<QPointF>& through, const Pen& pen) override;
    void shape(const std::vector<QPointF>& corners, const QColor& fill) override;
    void disc(QPointF centre, double radius, const QColor& fill) override;
    void text(QPointF at, const QString& words, double pixels, const QColor& colour, Align align, bool bold,
              bool upright) override;

private:
    QPainter& painter_;
};

class SvgCanvas final : public PlotCanvas {
public:
    SvgCanvas(int width, int height);
    void rectangle(const QRectF& area, const QColor& fill) override;
    void outline(const QRectF& area, const Pen& pen) override;
    void lines(const std::vector<QPointF>& through, const Pen& pen) override;
    void shape(const std::vector<QPointF>& corners, const QColor& fill) override;
    void disc(QPointF centre, double radius, const QColor& fill) override;
    void text(QPointF at, const QString& words, double pixels, const QColor& colour, Align align, bool bold,
              bool upright) override;
    // The whole document, closed.
    [[nodiscard]] std::string document() const;

private:
    std::string body_;
    int width_;
    int height_;
};
