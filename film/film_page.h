#pragma once

#include <span>

#include <QCoreApplication>
#include <QImage>
#include <QLocale>

#include "film/film_format.h"

// A frame or a picture laid out: the board, and where asked, a caption
// under it with the generation and the populations, and the population
// chart beside it, drawn as the window's chart is, in the same colours and
// line styles. Its words are the window's language where the program has a
// translation, English otherwise (vivar-sim). Without extras the board is
// the whole frame, as it always was.
class FilmPage {
    Q_DECLARE_TR_FUNCTIONS(FilmPage)

public:
    using Point = PopulationPoint;

    FilmPage(FilmSize size, FilmExtras extras, const QLocale& numbers);

    // The part of the frame the board is drawn into.
    [[nodiscard]] FilmSize boardSize() const { return board_; }
    [[nodiscard]] bool boardAlone() const { return !extras_.caption && !extras_.chart; }

    // The frame of `board`, a picture of boardSize(): `shown` the generation
    // it shows and `points` the chart's, oldest first. With no extras, the
    // board itself.
    [[nodiscard]] QImage compose(const QImage& board, const Point& shown, std::span<const Point> points) const;

    // The caption's line for a generation.
    [[nodiscard]] QString caption(const Point& shown) const;

private:
    void drawChart(QImage& frame, const Point& shown, std::span<const Point> points) const;

    FilmSize size_;
    FilmExtras extras_;
    QLocale numbers_;
    FilmSize board_;
    int captionHeight_ = 0;
    int chartWidth_ = 0;
};
