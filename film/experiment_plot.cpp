// An experiment's tally laid out as a plot: outcomes against one setting,
// or a grid of two, with their axes, legend and the runs behind each point.
#include "film/experiment_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <numeric>

#include <QCoreApplication>

#include "film/plot_canvas.h"
#include "looks/kind_colours.h"
#include "looks/square_look.h"

namespace {

// The plot's words, in the context Qt's lupdate files them under.
class Plot {
    Q_DECLARE_TR_FUNCTIONS(ExperimentPlot)
};

QString said(const char* source) { return QCoreApplication::translate("ExperimentPlot", source); }

using Pen = PlotCanvas::Pen;
using Align = PlotCanvas::Align;

const QColor kInk(0x22, 0x22, 0x22);
const QColor kFaint(0x66, 0x66, 0x66);
const QColor kRule(0xDD, 0xDD, 0xDD);
const QColor kPaper(Qt::white);
// For the lines that stand for no kind: none of the kinds' colours.
constexpr std::array<const char*, 6> kSeriesColours{"#000000", "#AA3377", "#777777", "#EE6677", "#444444", "#CC99BB"};

// What a setting means, to name an axis by.
QString meaningOf(std::size_t setting, bool squareSides) {
    static constexpr std::array<const char*, kSettingNames.size()> kMeanings{
        QT_TRANSLATE_NOOP("ExperimentPlot", "size (width x height)"),
        QT_TRANSLATE_NOOP("ExperimentPlot", "hatch (visits an egg takes to hatch)"),
        QT_TRANSLATE_NOOP("ExperimentPlot", "mating (visits a mating lasts)"),
        QT_TRANSLATE_NOOP("ExperimentPlot", "meal (visits a meal lasts)"),
        QT_TRANSLATE_NOOP("ExperimentPlot", "fill (% empty, brown, green, cats)")};
    if (setting == 0 && squareSides) {
        return Plot::tr("size: the side N of an N x N board");
    }
    return said(kMeanings[setting]);
}

QString nameOf(std::size_t setting) { return QString::fromUtf8(kSettingNames[setting].data()); }
QString text(const std::string& value) { return QString::fromStdString(value); }

bool wholeNumber(const std::string& value, double& number) {
    if (value.empty() || value.size() > 15 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    number = std::strtod(value.c_str(), nullptr);
    return true;
}

// Steps of 1, 2 or 5 times a power of ten, about `most` of them up to top.
std::vector<double> ticksUpTo(double top, int most) {
    top = std::max(top, 1.0);
    const double rough = top / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double times : {1.0, 2.0, 5.0, 10.0}) {
        step = times * power;
        if (step >= rough) {
            break;
        }
    }
    step = std::max(step, 1.0);
    std::vector<double> ticks;
    for (double tick = 0; tick < top + step * 0.999; tick += step) {
        ticks.push_back(tick);
    }
    return ticks;
}

QString percent(double share) { return QString::number(std::lround(share * 100)) + QStringLiteral(" %"); }

// Light to dark, yellow through green to blue, as people with the common
// colour deficiencies still read it in order.
QColor scaleColour(double share) {
    static constexpr std::array<std::array<int, 3>, 5> kStops{
        {{255, 255, 217}, {199, 233, 180}, {65, 182, 196}, {34, 94, 168}, {8, 29, 88}}};
    const double at = std::clamp(share, 0.0, 1.0) * (kStops.size() - 1);
    const auto below = std::min(static_cast<std::size_t>(at), kStops.size() - 2);
    const double part = at - static_cast<double>(below);
    std::array<int, 3> mixed{};
    for (std::size_t c = 0; c < 3; ++c) {
        mixed[c] = static_cast<int>(std::lround(kStops[below][c] + (kStops[below + 1][c] - kStops[below][c]) * part));
    }
    return {mixed[0], mixed[1], mixed[2]};
}

QColor inkOn(const QColor& ground) {
    const double light = 0.299 * ground.redF() + 0.587 * ground.greenF() + 0.114 * ground.blueF();
    return light < 0.55 ? QColor(Qt::white) : kInk;
}

std::string logLineOf(const Point& point, const std::vector<std::size_t>& varied) {
    std::string line;
    for (const std::size_t setting : varied) {
        line += std::string(kSettingNames[setting]) + "=" + point.settings[setting] + " ";
    }
    char shares[64];
    std::snprintf(shares, sizeof shares, " both=%.3f one=%.3f", point.both().value(), point.one().value());
    return line + "runs=" + std::to_string(point.runs) + shares;
}

// The sizes of a plot's letters and the room around its parts.
struct Letters {
    double body;
    double title;
    double small;
    double gap;
};

Letters lettersFor(const QRectF& area) {
    const double body = std::clamp(std::min(area.width(), area.height() * 1.5) / 60, 10.0, 20.0);
    return {body, body * 1.25, body * 0.85, body * 0.6};
}

// The title and the line under it that says what did not vary.
double drawHeading(PlotCanvas& canvas, const QRectF& area, const Letters& letters, const QString& title,
                   const QString& under) {
    // Long words, as some languages have, take smaller letters to fit.
    const double room = area.width() - 2 * letters.gap;
    const auto fitted = [&](const QString& words, double pixels, bool bold) {
        const double wide = PlotCanvas::widthOf(words, pixels, bold);
        return wide > room ? std::max(pixels * room / wide, letters.small * 0.7) : pixels;
    };
    double y = area.top() + letters.gap + letters.title / 2;
    canvas.text({area.center().x(), y}, title, fitted(title, letters.title, true), kInk, Align::kCentre, true);
    y += letters.title / 2 + letters.gap / 2 + letters.small / 2;
    canvas.text({area.center().x(), y}, under, fitted(under, letters.small, false), kFaint, Align::kCentre);
    return y + letters.small / 2 + letters.gap * 1.5;
}

QString fixedSettings(const ExperimentTally& tally, const std::vector<std::size_t>& varied) {
    QString fixed;
    const Point& first = tally.points().front();
    for (std::size_t setting = 0; setting < kSettingNames.size(); ++setting) {
        if (std::find(varied.begin(), varied.end(), setting) == varied.end()) {
            fixed += (fixed.isEmpty() ? QString() : QStringLiteral(", ")) + nameOf(setting) + QLatin1Char(' ') +
                     text(first.settings[setting]);
        }
    }
    const auto generations = static_cast<long long>(tally.generations());
    const QString runs = tally.runs() == 1 ? Plot::tr("1 run of %1 generations").arg(generations)
                                           : Plot::tr("%1 runs of %2 generations").arg(tally.runs()).arg(generations);
    return fixed.isEmpty() ? runs : Plot::tr("%1; fixed: %2").arg(runs, fixed);
}

// One line of a legend: its words, and how its line and marker look.
struct Key {
    QString words;
    QColor colour;
    bool dashed = false;
    bool square = false;
    bool band = false;
    // A note on the marks (bars, bands) rather than a line of its own.
    bool note = false;
};

// The legend's rows, centred under the plot; the height they take.
double legendHeight(const std::vector<Key>& keys, double width, const Letters& letters,
                    std::vector<std::vector<std::size_t>>* rows = nullptr) {
    const double sample = letters.body * 2.2;
    std::vector<std::vector<std::size_t>> laid(1);
    double used = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const double wide = sample + letters.gap + PlotCanvas::widthOf(keys[k].words, letters.small) + letters.body;
        if (!laid.back().empty() && used + wide > width) {
            laid.emplace_back();
            used = 0;
        }
        laid.back().push_back(k);
        used += wide;
    }
    if (rows != nullptr) {
        *rows = laid;
    }
    return keys.empty() ? 0 : static_cast<double>(laid.size()) * letters.body * 1.5;
}

void marker(PlotCanvas& canvas, QPointF at, double radius, const QColor& colour, bool square) {
    if (square) {
        canvas.rectangle(QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius), colour);
    } else {
        canvas.disc(at, radius, colour);
    }
}

void drawLegend(PlotCanvas& canvas, const std::vector<Key>& keys, const QRectF& room, const Letters& letters) {
    std::vector<std::vector<std::size_t>> rows;
    legendHeight(keys, room.width(), letters, &rows);
    const double sample = letters.body * 2.2;
    double y = room.top() + letters.body * 0.75;
    for (const std::vector<std::size_t>& row : rows) {
        double wide = 0;
        for (const std::size_t k : row) {
            wide += sample + letters.gap + PlotCanvas::widthOf(keys[k].words, letters.small) + letters.body;
        }
        double x = room.center().x() - wide / 2;
        for (const std::size_t k : row) {
            const Key& key = keys[k];
            if (key.band) {
                QColor pale = key.colour;
                pale.setAlpha(60);
                canvas.rectangle(QRectF(x, y - letters.body * 0.4, sample, letters.body * 0.8), pale);
            }
            if (key.note && !key.band) {
                const double middle = x + sample / 2;
                const double half = letters.body * 0.5;
                const double cap = letters.body * 0.3;
                canvas.line({middle, y - half}, {middle, y + half}, Pen{key.colour, 1.2});
                canvas.line({middle - cap, y - half}, {middle + cap, y - half}, Pen{key.colour, 1.2});
                canvas.line({middle - cap, y + half}, {middle + cap, y + half}, Pen{key.colour, 1.2});
            } else if (!key.note) {
                canvas.line({x, y}, {x + sample, y}, Pen{key.colour, std::max(1.5, letters.body / 7), key.dashed});
                marker(canvas, {x + sample / 2, y}, letters.body * 0.28, key.colour, key.square);
            }
            x += sample + letters.gap;
            canvas.text({x, y}, key.words, letters.small, kInk, Align::kLeft);
            x += PlotCanvas::widthOf(key.words, letters.small) + letters.body;
        }
        y += letters.body * 1.5;
    }
}

// A message in the middle, for a plot that has nothing to draw yet.
void drawMessage(PlotCanvas& canvas, const QRectF& area, const QString& message) {
    const Letters letters = lettersFor(area);
    canvas.text(area.center(), message, letters.body, kFaint, Align::kCentre);
}

// A value's label under the x axis, and the runs behind it.
struct Column {
    double place = 0;
    QString label;
    QString runs;
};

// Labels that would overlap the one before are left out: the first and
// then every one with room.
void drawColumns(PlotCanvas& canvas, const std::vector<Column>& columns, const std::function<double(double)>& xOf,
                 double top, const Letters& letters) {
    double freeFrom = -1e9;
    for (const Column& column : columns) {
        const double x = xOf(column.place);
        const double wide = std::max(PlotCanvas::widthOf(column.label, letters.body),
                                     PlotCanvas::widthOf(column.runs, letters.small));
        canvas.line({x, top}, {x, top + letters.gap * 0.7}, Pen{kInk, 1.0});
        if (x - wide / 2 < freeFrom) {
            continue;
        }
        canvas.text({x, top + letters.gap + letters.body / 2}, column.label, letters.body, kInk, Align::kCentre);
        canvas.text({x, top + letters.gap * 1.3 + letters.body + letters.small / 2}, column.runs, letters.small, kFaint,
                    Align::kCentre);
        freeFrom = x + wide / 2 + letters.gap;
    }
}

QString runsLabel(std::uint64_t least, std::uint64_t most) {
    if (least == most) {
        return QStringLiteral("n=%1").arg(least);
    }
    return QStringLiteral("n=%1-%2").arg(least).arg(most);
}

// One line of a plot against a setting: the points of one combination of
// the other varied settings, in the order of their places.
struct Series {
    QString name;
    std::vector<std::size_t> points;  // into tally.points(), by place
};

class AgainstPlot {
public:
    AgainstPlot(PlotCanvas& canvas, const QRectF& area, const ExperimentTally& tally, PlotShows shows,
                std::size_t setting, const std::vector<std::size_t>& varied)
        : canvas_(canvas), area_(area), tally_(tally), shows_(shows), setting_(setting), varied_(varied),
          letters_(lettersFor(area)) {}

    void draw(PlotDrawn& drawn);

private:
    void findSeries();
    std::vector<Key> keys() const;
    double top() const;
    void drawSurvival(PlotDrawn& drawn, const std::function<double(double)>& xOf,
                      const std::function<double(double)>& yOf);
    void drawPopulations(PlotDrawn& drawn, const std::function<double(double)>& xOf,
                         const std::function<double(double)>& yOf);
    void drawExtinction(PlotDrawn& drawn, const std::function<double(double)>& xOf,
                        const std::function<double(double)>& yOf);
    double shift(std::size_t line, std::size_t lines) const;
    void hit(PlotDrawn& drawn, QPointF at, std::size_t point) const;
    std::vector<Column> columns() const;

    PlotCanvas& canvas_;
    QRectF area_;
    const ExperimentTally& tally_;
    PlotShows shows_;
    std::size_t setting_;
    std::vector<std::size_t> varied_;
    Letters letters_;
    std::vector<std::string> values_;
    AxisPlaces places_;
    std::map<std::string, std::size_t> placeOf_;
    std::vector<Series> series_;
    // The x axis's pixels for each value.
    double room_ = 0;
};

void AgainstPlot::findSeries() {
    values_ = tally_.valuesOf(setting_);
    places_ = axisPlacesOf(values_);
    for (std::size_t v = 0; v < values_.size(); ++v) {
        placeOf_[values_[v]] = v;
    }
    std::map<QString, std::size_t> seriesOf;
    const std::vector<Point>& points = tally_.points();
    for (std::size_t p = 0; p < points.size(); ++p) {
        QString name;
        for (const std::size_t other : varied_) {
            if (other != setting_) {
                name += (name.isEmpty() ? QString() : QStringLiteral(", ")) + nameOf(other) + QLatin1Char('=') +
                        text(points[p].settings[other]);
            }
        }
        const auto [at, added] = seriesOf.emplace(name, series_.size());
        if (added) {
            series_.push_back({name, {}});
        }
        series_[at->second].points.push_back(p);
    }
    for (Series& series : series_) {
        std::stable_sort(series.points.begin(), series.points.end(), [&](std::size_t a, std::size_t b) {
            return places_.at[placeOf_.at(points[a].settings[setting_])] <
                   places_.at[placeOf_.at(points[b].settings[setting_])];
        });
    }
}

// The kinds' own colours for their populations: brown, green lizards, cats.
const char* kindColour(std::size_t kind) {
    static constexpr std::array<SquareLook, 3> kLooks{SquareLook::kBrownLizard, SquareLook::kGreenLizard,
                                                      SquareLook::kAnyCat};
    return kind_colours::colourOf(kLooks[kind]);
}

QColor seriesColour(std::size_t line) { return QColor(kSeriesColours[line % kSeriesColours.size()]); }

std::vector<Key> AgainstPlot::keys() const {
    std::vector<Key> keys;
    const auto named = [&](const QString& words, const Series& series) {
        return series.name.isEmpty() ? words : words + QStringLiteral(" (") + series.name + QLatin1Char(')');
    };
    for (std::size_t s = 0; s < series_.size(); ++s) {
        const bool alone = series_.size() == 1;
        switch (shows_) {
            case PlotShows::kSurvival:
                keys.push_back({named(Plot::tr("both species survive"), series_[s]), seriesColour(alone ? 0 : s), false,
                                false, false});
                keys.push_back({named(Plot::tr("at least one species survives"), series_[s]),
                                seriesColour(alone ? 1 : s), true, true, false});
                break;
            case PlotShows::kPopulations: {
                static constexpr std::array<const char*, 3> kKinds{QT_TRANSLATE_NOOP("ExperimentPlot", "brown lizards"),
                                                                   QT_TRANSLATE_NOOP("ExperimentPlot", "green lizards"),
                                                                   QT_TRANSLATE_NOOP("ExperimentPlot", "cats")};
                for (std::size_t kind = 0; kind < kKinds.size(); ++kind) {
                    keys.push_back({named(said(kKinds[kind]), series_[s]), QColor(kindColour(kind)), s % 2 == 1,
                                    s % 3 == 2, true});
                }
                break;
            }
            case PlotShows::kExtinction:
                keys.push_back({named(Plot::tr("median"), series_[s]), seriesColour(s), false, false, false});
                break;
        }
    }
    switch (shows_) {
        case PlotShows::kSurvival:
            keys.push_back({Plot::tr("bars: 95 % interval (Wilson)"), kFaint, false, false, false, true});
            break;
        case PlotShows::kPopulations:
            keys.push_back({Plot::tr("line: median; band: quartiles"), kFaint, false, false, true, true});
            break;
        case PlotShows::kExtinction:
            keys.push_back(
                {Plot::tr("bars: quartiles; n: runs in which one died out"), kFaint, false, false, false, true});
            break;
    }
    return keys;
}

double AgainstPlot::shift(std::size_t line, std::size_t lines) const {
    // Apart enough to tell their bars apart, within half a value's room.
    const double step = std::min(letters_.body * 0.3, room_ * 0.5 / static_cast<double>(lines));
    return (static_cast<double>(line) - static_cast<double>(lines - 1) / 2) * step;
}

void AgainstPlot::hit(PlotDrawn& drawn, QPointF at, std::size_t point) const {
    const double half = letters_.body * 0.8;
    drawn.hits.push_back({QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half), point});
}

std::vector<Column> AgainstPlot::columns() const {
    std::vector<Column> columns;
    const std::vector<Point>& points = tally_.points();
    for (std::size_t v = 0; v < values_.size(); ++v) {
        std::uint64_t least = UINT64_MAX;
        std::uint64_t most = 0;
        std::uint64_t died = UINT64_MAX;
        std::uint64_t diedMost = 0;
        for (const Point& point : points) {
            if (point.settings[setting_] == values_[v]) {
                least = std::min(least, point.runs);
                most = std::max(most, point.runs);
                died = std::min(died, point.firstExtinction.count());
                diedMost = std::max(diedMost, point.firstExtinction.count());
            }
        }
        QString runs = runsLabel(least, most);
        if (shows_ == PlotShows::kExtinction) {
            runs = died == diedMost && least == most ? QStringLiteral("n=%1/%2").arg(died).arg(most)
                                                     : runsLabel(died, diedMost);
        }
        const QString label = places_.squareSides ? QString::number(places_.at[v]) : text(values_[v]);
        columns.push_back({places_.at[v], label, runs});
    }
    std::sort(columns.begin(), columns.end(), [](const Column& a, const Column& b) { return a.place < b.place; });
    return columns;
}

void AgainstPlot::draw(PlotDrawn& drawn) {
    findSeries();
    const QString subject =
        shows_ == PlotShows::kSurvival      ? Plot::tr("Share of runs in which the lizards survive, by %1")
        : shows_ == PlotShows::kPopulations ? Plot::tr("Populations after the last generation, by %1")
                                            : Plot::tr("Generation at which the first lizard species died out, by %1");
    const double headed = drawHeading(canvas_, area_, letters_, subject.arg(nameOf(setting_)),
                                      fixedSettings(tally_, varied_));

    // The y axis's top, from what is drawn.
    double top = 100;
    const std::vector<Point>& points = tally_.points();
    if (shows_ != PlotShows::kSurvival) {
        top = 1;
        for (const Point& point : points) {
            if (shows_ == PlotShows::kPopulations) {
                for (const Spread* spread : {&point.brownLizards, &point.greenLizards, &point.cats}) {
                    top = std::max(top, spread->quantile(0.75));
                }
            } else if (point.firstExtinction.count() > 0) {
                top = std::max(top, point.firstExtinction.quantile(0.75));
            }
        }
    }
    const std::vector<double> ticks =
        shows_ == PlotShows::kSurvival ? std::vector<double>{0, 20, 40, 60, 80, 100} : ticksUpTo(top, 5);
    top = ticks.back();
    const auto tickLabel = [&](double tick) {
        return shows_ == PlotShows::kSurvival ? QString::number(tick, 'f', 0) + QStringLiteral(" %")
                                              : QString::number(tick, 'f', 0);
    };
    double labelsWide = 0;
    for (const double tick : ticks) {
        labelsWide = std::max(labelsWide, PlotCanvas::widthOf(tickLabel(tick), letters_.body));
    }

    const std::vector<Key> legend = keys();
    const double legendTall = legendHeight(legend, area_.width() - 2 * letters_.gap, letters_);
    const double below = letters_.gap * 2.3 + letters_.body + letters_.small + letters_.gap + letters_.body * 1.2;
    QRectF plot(area_.left() + letters_.gap + letters_.body * 1.6 + labelsWide + letters_.gap, headed, 0, 0);
    plot.setRight(area_.right() - letters_.body * 1.5);
    plot.setBottom(area_.bottom() - letters_.gap - legendTall - below);
    if (plot.width() < letters_.body * 4 || plot.height() < letters_.body * 3) {
        drawMessage(canvas_, area_, Plot::tr("Too small to draw"));
        return;
    }

    // The x axis: the values' places, with room on either side.
    double low = *std::min_element(places_.at.begin(), places_.at.end());
    double high = *std::max_element(places_.at.begin(), places_.at.end());
    double pad = places_.ordinal ? 0.5 : (high - low) * 0.06;
    if (high == low) {
        pad = places_.ordinal ? 0.5 : std::max(1.0, std::abs(low) * 0.1);
    }
    low -= pad;
    high += pad;
    const auto xOf = [&](double place) { return plot.left() + (place - low) / (high - low) * plot.width(); };
    room_ = plot.width() / static_cast<double>(std::max<std::size_t>(values_.size(), 1));
    // Room above the top tick, so that a mark at 100 % stays whole.
    const double headroom = letters_.body * 0.7;
    const auto yOf = [&](double value) { return plot.bottom() - value / top * (plot.height() - headroom); };

    for (const double tick : ticks) {
        const double y = yOf(tick);
        canvas_.line({plot.left(), y}, {plot.right(), y}, Pen{kRule, 1.0});
        canvas_.text({plot.left() - letters_.gap, y}, tickLabel(tick), letters_.body, kInk, Align::kRight);
    }
    const QString yTitle = shows_ == PlotShows::kSurvival      ? Plot::tr("% of runs")
                           : shows_ == PlotShows::kPopulations ? Plot::tr("animals after the last generation")
                                                               : Plot::tr("generation");
    canvas_.text({area_.left() + letters_.gap + letters_.body * 0.6, plot.center().y()}, yTitle, letters_.body, kInk,
                 Align::kCentre, false, true);
    canvas_.outline(plot, Pen{kInk, 1.0});
    drawColumns(canvas_, columns(), xOf, plot.bottom(), letters_);
    const double titleY = plot.bottom() + letters_.gap * 2.3 + letters_.body + letters_.small + letters_.body * 0.6;
    canvas_.text({plot.center().x(), titleY}, meaningOf(setting_, places_.squareSides), letters_.body, kInk,
                 Align::kCentre);
    drawLegend(canvas_, legend,
               QRectF(area_.left() + letters_.gap, titleY + letters_.body * 0.6, area_.width() - 2 * letters_.gap,
                      legendTall),
               letters_);

    switch (shows_) {
        case PlotShows::kSurvival:
            drawSurvival(drawn, xOf, yOf);
            break;
        case PlotShows::kPopulations:
            drawPopulations(drawn, xOf, yOf);
            break;
        case PlotShows::kExtinction:
            drawExtinction(drawn, xOf, yOf);
            break;
    }
}

void AgainstPlot::drawSurvival(PlotDrawn& drawn, const std::function<double(double)>& xOf,
                               const std::function<double(double)>& yOf) {
    const std::vector<Point>& points = tally_.points();
    const std::size_t lines = series_.size() * 2;
    const double cap = letters_.body * 0.3;
    const double width = std::max(1.5, letters_.body / 7);
    for (std::size_t s = 0; s < series_.size(); ++s) {
        for (std::size_t outcome = 0; outcome < 2; ++outcome) {
            const std::size_t line = s * 2 + outcome;
            const QColor colour = seriesColour(series_.size() == 1 ? outcome : s);
            std::vector<QPointF> through;
            for (const std::size_t p : series_[s].points) {
                const Share share = outcome == 0 ? points[p].both() : points[p].one();
                const double x = xOf(places_.at[placeOf_.at(points[p].settings[setting_])]) + shift(line, lines);
                const auto [lowest, highest] = share.interval();
                canvas_.line({x, yOf(lowest * 100)}, {x, yOf(highest * 100)}, Pen{colour, 1.2});
                canvas_.line({x - cap, yOf(lowest * 100)}, {x + cap, yOf(lowest * 100)}, Pen{colour, 1.2});
                canvas_.line({x - cap, yOf(highest * 100)}, {x + cap, yOf(highest * 100)}, Pen{colour, 1.2});
                through.emplace_back(x, yOf(share.value() * 100));
            }
            canvas_.lines(through, Pen{colour, width, outcome == 1});
            for (std::size_t k = 0; k < through.size(); ++k) {
                marker(canvas_, through[k], letters_.body * 0.28, colour, outcome == 1);
                hit(drawn, through[k], series_[s].points[k]);
            }
        }
    }
}

void AgainstPlot::drawPopulations(PlotDrawn& drawn, const std::function<double(double)>& xOf,
                                  const std::function<double(double)>& yOf) {
    const std::vector<Point>& points = tally_.points();
    const double width = std::max(1.5, letters_.body / 7);
    const std::size_t lines = series_.size() * 3;
    for (std::size_t s = 0; s < series_.size(); ++s) {
        for (std::size_t kind = 0; kind < 3; ++kind) {
            const QColor colour(kindColour(kind));
            QColor pale = colour;
            pale.setAlpha(50);
            const auto spreadOf = [&](const Point& point) -> const Spread& {
                return kind == 0 ? point.brownLizards : kind == 1 ? point.greenLizards : point.cats;
            };
            std::vector<QPointF> medians;
            std::vector<QPointF> upper;
            std::vector<QPointF> lower;
            for (const std::size_t p : series_[s].points) {
                const double x =
                    xOf(places_.at[placeOf_.at(points[p].settings[setting_])]) + shift(s * 3 + kind, lines);
                const Spread& spread = spreadOf(points[p]);
                medians.emplace_back(x, yOf(spread.quantile(0.5)));
                upper.emplace_back(x, yOf(spread.quantile(0.75)));
                lower.emplace_back(x, yOf(spread.quantile(0.25)));
            }
            if (medians.size() == 1) {
                // One value: its quartiles as a bar, as a band needs two.
                const double half = letters_.body * 0.25;
                canvas_.rectangle(QRectF(QPointF(upper[0].x() - half, upper[0].y()),
                                         QPointF(lower[0].x() + half, lower[0].y())),
                                  pale);
            } else {
                std::vector<QPointF> band = upper;
                band.insert(band.end(), lower.rbegin(), lower.rend());
                canvas_.shape(band, pale);
            }
            canvas_.lines(medians, Pen{colour, width, s % 2 == 1});
            for (std::size_t k = 0; k < medians.size(); ++k) {
                marker(canvas_, medians[k], letters_.body * 0.25, colour, s % 3 == 2);
                hit(drawn, medians[k], series_[s].points[k]);
            }
        }
    }
}

void AgainstPlot::drawExtinction(PlotDrawn& drawn, const std::function<double(double)>& xOf,
                                 const std::function<double(double)>& yOf) {
    const std::vector<Point>& points = tally_.points();
    const double cap = letters_.body * 0.3;
    const double width = std::max(1.5, letters_.body / 7);
    for (std::size_t s = 0; s < series_.size(); ++s) {
        const QColor colour = seriesColour(s);
        std::vector<QPointF> through;
        std::vector<std::size_t> shown;
        for (const std::size_t p : series_[s].points) {
            const double x = xOf(places_.at[placeOf_.at(points[p].settings[setting_])]) + shift(s, series_.size());
            const Spread& died = points[p].firstExtinction;
            if (died.count() == 0) {
                // No run died out here: said on the axis, clickable still.
                const QPointF at(x, yOf(0) - letters_.small);
                canvas_.text(at, Plot::tr("none"), letters_.small, kFaint, Align::kCentre);
                hit(drawn, at, p);
                continue;
            }
            const double q1 = yOf(died.quantile(0.25));
            const double q3 = yOf(died.quantile(0.75));
            canvas_.line({x, q1}, {x, q3}, Pen{colour, 1.2});
            canvas_.line({x - cap, q1}, {x + cap, q1}, Pen{colour, 1.2});
            canvas_.line({x - cap, q3}, {x + cap, q3}, Pen{colour, 1.2});
            through.emplace_back(x, yOf(died.quantile(0.5)));
            shown.push_back(p);
        }
        canvas_.lines(through, Pen{colour, width});
        for (std::size_t k = 0; k < through.size(); ++k) {
            marker(canvas_, through[k], letters_.body * 0.28, colour, false);
            hit(drawn, through[k], shown[k]);
        }
    }
}

// Two settings at once: a cell for each combination, coloured by the share
// of runs in which both species survive.
void drawGrid(PlotCanvas& canvas, const QRectF& area, const ExperimentTally& tally,
              const std::vector<std::size_t>& varied, PlotDrawn& drawn) {
    const Letters letters = lettersFor(area);
    const std::size_t across = varied[0];
    const std::size_t up = varied[1];
    const double headed = drawHeading(
        canvas, area, letters,
        Plot::tr("Share of runs in which both lizard species survive, by %1 and %2").arg(nameOf(across), nameOf(up)),
        fixedSettings(tally, varied));

    // Each axis's values in the order of their places.
    const auto ordered = [&](std::size_t setting) {
        std::vector<std::string> values = tally.valuesOf(setting);
        const AxisPlaces places = axisPlacesOf(values);
        std::vector<std::size_t> order(values.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return places.at[a] < places.at[b]; });
        std::vector<std::string> sorted;
        for (const std::size_t v : order) {
            sorted.push_back(values[v]);
        }
        return sorted;
    };
    const std::vector<std::string> columns = ordered(across);
    const std::vector<std::string> rows = ordered(up);

    double rowLabelsWide = 0;
    for (const std::string& row : rows) {
        rowLabelsWide = std::max(rowLabelsWide, PlotCanvas::widthOf(text(row), letters.body));
    }
    const QString scaleTitle = Plot::tr("both survive");
    const double scaleWide =
        std::max(letters.body * 1.5 + letters.gap * 1.5 + PlotCanvas::widthOf(QStringLiteral("100 %"), letters.small),
                 PlotCanvas::widthOf(scaleTitle, letters.small));
    QRectF grid(area.left() + letters.gap + letters.body * 1.6 + rowLabelsWide + letters.gap, headed, 0, 0);
    grid.setRight(area.right() - letters.gap * 3 - scaleWide);
    grid.setBottom(area.bottom() - letters.gap * 2 - letters.body * 2.8);
    if (grid.width() < letters.body * 4 || grid.height() < letters.body * 3) {
        drawMessage(canvas, area, Plot::tr("Too small to draw"));
        return;
    }
    const double cellWide = grid.width() / static_cast<double>(columns.size());
    const double cellTall = grid.height() / static_cast<double>(rows.size());

    std::map<std::pair<std::string, std::string>, std::size_t> pointAt;
    const std::vector<Point>& points = tally.points();
    for (std::size_t p = 0; p < points.size(); ++p) {
        pointAt.emplace(std::make_pair(points[p].settings[across], points[p].settings[up]), p);
    }
    // The cell's words shrink, then go, as cells get smaller.
    const double share = std::clamp(std::min(cellWide / 5, cellTall / 2.8), letters.small * 0.8, letters.title);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const QRectF cell(grid.left() + static_cast<double>(c) * cellWide,
                              grid.bottom() - static_cast<double>(r + 1) * cellTall, cellWide, cellTall);
            const auto found = pointAt.find({columns[c], rows[r]});
            if (found == pointAt.end()) {
                canvas.rectangle(cell, QColor(0xF2, 0xF2, 0xF2));
                canvas.text(cell.center(), QStringLiteral("-"), share, kFaint, Align::kCentre);
                continue;
            }
            const Point& point = points[found->second];
            const QColor ground = scaleColour(point.both().value());
            canvas.rectangle(cell, ground);
            const QString value = percent(point.both().value());
            const QString runs = QStringLiteral("n=%1").arg(point.runs);
            const double small = std::max(share * 0.7, letters.small * 0.85);
            const bool bothFit = cellTall > share + small + letters.gap &&
                                 PlotCanvas::widthOf(value, share, true) < cellWide - 4 &&
                                 PlotCanvas::widthOf(runs, small) < cellWide - 4;
            if (bothFit) {
                const double middle = cell.center().y() - small / 2;
                canvas.text({cell.center().x(), middle - letters.gap / 4}, value, share, inkOn(ground), Align::kCentre,
                            true);
                canvas.text({cell.center().x(), middle + share / 2 + small / 2 + letters.gap / 4}, runs, small,
                            inkOn(ground), Align::kCentre);
            } else if (PlotCanvas::widthOf(value, share, true) < cellWide - 2) {
                canvas.text(cell.center(), value, share, inkOn(ground), Align::kCentre, true);
            }
            drawn.hits.push_back({cell, found->second});
        }
    }
    canvas.outline(grid, Pen{kInk, 1.0});

    const auto labelled = [&](const std::vector<std::string>& values, bool squareSides, std::size_t v) {
        if (!squareSides) {
            return text(values[v]);
        }
        return text(values[v].substr(0, values[v].find('x')));
    };
    const bool columnSides = axisPlacesOf(columns).squareSides;
    const bool rowSides = axisPlacesOf(rows).squareSides;
    double freeFrom = -1e9;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double x = grid.left() + (static_cast<double>(c) + 0.5) * cellWide;
        const QString label = labelled(columns, columnSides, c);
        const double wide = PlotCanvas::widthOf(label, letters.body);
        if (x - wide / 2 >= freeFrom) {
            canvas.text({x, grid.bottom() + letters.gap + letters.body / 2}, label, letters.body, kInk, Align::kCentre);
            freeFrom = x + wide / 2 + letters.gap;
        }
    }
    const double rowEvery = std::ceil(letters.body * 1.2 / cellTall);
    for (std::size_t r = 0; r < rows.size(); r += static_cast<std::size_t>(std::max(1.0, rowEvery))) {
        const double y = grid.bottom() - (static_cast<double>(r) + 0.5) * cellTall;
        canvas.text({grid.left() - letters.gap, y}, labelled(rows, rowSides, r), letters.body, kInk, Align::kRight);
    }
    canvas.text({grid.center().x(), grid.bottom() + letters.gap * 1.8 + letters.body * 1.6},
                meaningOf(across, columnSides), letters.body, kInk, Align::kCentre);
    canvas.text({area.left() + letters.gap + letters.body * 0.6, grid.center().y()}, meaningOf(up, rowSides),
                letters.body, kInk, Align::kCentre, false, true);

    // The colour scale, with its shares.
    const double column = grid.right() + letters.gap * 2;
    const QRectF scale(column + (scaleWide - letters.body * 1.5 - letters.gap * 1.5 -
                                 PlotCanvas::widthOf(QStringLiteral("100 %"), letters.small)) /
                                    2,
                       grid.top() + grid.height() * 0.1, letters.body * 1.5, grid.height() * 0.8);
    constexpr int kSteps = 40;
    for (int step = 0; step < kSteps; ++step) {
        const double from = static_cast<double>(step) / kSteps;
        canvas.rectangle(QRectF(scale.left(), scale.bottom() - (from + 1.0 / kSteps) * scale.height(), scale.width(),
                                scale.height() / kSteps + 0.5),
                         scaleColour(from + 0.5 / kSteps));
    }
    canvas.outline(scale, Pen{kInk, 1.0});
    for (int tick = 0; tick <= 4; ++tick) {
        const double y = scale.bottom() - tick / 4.0 * scale.height();
        canvas.line({scale.right(), y}, {scale.right() + letters.gap / 2, y}, Pen{kInk, 1.0});
        canvas.text({scale.right() + letters.gap, y}, percent(tick / 4.0), letters.small, kInk, Align::kLeft);
    }
    canvas.text({column + scaleWide / 2, scale.top() - letters.gap - letters.small / 2}, scaleTitle, letters.small,
                kInk, Align::kCentre);
}

}  // namespace

AxisPlaces axisPlacesOf(const std::vector<std::string>& values) {
    AxisPlaces places;
    bool numbers = !values.empty();
    bool sides = !values.empty();
    std::vector<double> asNumbers;
    std::vector<double> asSides;
    for (const std::string& value : values) {
        double number = 0;
        numbers = numbers && wholeNumber(value, number);
        asNumbers.push_back(number);
        const auto x = value.find('x');
        double wide = 0;
        double high = 0;
        sides = sides && x != std::string::npos && wholeNumber(value.substr(0, x), wide) &&
                wholeNumber(value.substr(x + 1), high) && wide == high;
        asSides.push_back(wide);
    }
    if (numbers) {
        places.at = asNumbers;
    } else if (sides) {
        places.at = asSides;
        places.squareSides = true;
    } else {
        places.ordinal = true;
        for (std::size_t v = 0; v < values.size(); ++v) {
            places.at.push_back(static_cast<double>(v));
        }
    }
    return places;
}

PlotDrawn drawExperimentPlot(PlotCanvas& canvas, const QRectF& area, const ExperimentTally& tally,
                             const PlotChoice& choice) {
    PlotDrawn drawn;
    canvas.rectangle(area, kPaper);
    const std::vector<std::size_t> varied = tally.varied();
    for (const Point& point : tally.points()) {
        drawn.lines.push_back(logLineOf(point, varied));
    }
    if (tally.points().empty()) {
        drawn.problem = Plot::tr("No runs yet").toStdString();
        drawMessage(canvas, area, Plot::tr("No runs yet"));
        return drawn;
    }
    if (choice.against && std::find(varied.begin(), varied.end(), *choice.against) == varied.end()) {
        drawn.problem = Plot::tr("the table does not vary %1").arg(nameOf(*choice.against)).toStdString();
        drawMessage(canvas, area, QString::fromStdString(*drawn.problem));
        return drawn;
    }
    if (!choice.against && varied.size() == 2 && choice.shows == PlotShows::kSurvival) {
        drawGrid(canvas, area, tally, varied, drawn);
        return drawn;
    }
    // Nothing varied yet (a first point): the plot stands at its size.
    const std::size_t setting = choice.against ? *choice.against : varied.empty() ? 0 : varied.front();
    AgainstPlot(canvas, area, tally, choice.shows, setting, varied).draw(drawn);
    return drawn;
}

PlotDrawn drawExperimentPlot(QPainter& painter, const QRectF& area, const ExperimentTally& tally,
                             const PlotChoice& choice) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PainterCanvas canvas(painter);
    PlotDrawn drawn = drawExperimentPlot(canvas, area, tally, choice);
    painter.restore();
    return drawn;
}
