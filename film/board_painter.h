#pragma once

#include <array>

#include <QColor>
#include <QImage>

#include "film/film_format.h"
#include "looks/kind_colours.h"
#include "looks/tile_pictures.h"
#include "model/board.h"

// A board seen from above, as the home view shows it, drawn without
// OpenGL into a picture of a given size: x across from the left, y down
// from the top, each square its tile picture, turned as the window's
// texture mapping turns it, over the window's black start. Where a square
// would be narrower than kLeastPictureSideInFilms pixels (a wider side than
// the window's, looks/map_threshold.h says why), a board map instead: one
// colour for each kind, the palette's (looks/kind_colours.h). The board
// lies in the middle, the rest of the picture black.
class BoardPainter {
public:
    static constexpr QRgb kBackground = kind_colours::argbOf(kind_colours::kBorder);

    // For boards of this size in pictures of `size`; reads the tile
    // pictures, from the folders the window finds them in, when they are
    // to be drawn.
    BoardPainter(FilmSize size, int boardWidth, int boardHeight);

    // The board drawn, in QImage::Format_RGB888, valid until the next call.
    const QImage& paint(const Board& squares);

    [[nodiscard]] bool drawsPictures() const { return side_ > 0; }
    // How many of the tile pictures no folder had; their squares are drawn
    // as the board map draws them.
    [[nodiscard]] int missingPictures() const { return missing_; }
    // Where square (x, y)'s middle is in the picture, in pixels.
    [[nodiscard]] QPointF middleOf(int x, int y) const;

private:
    void paintPictures(const Board& squares);
    void paintMap(const Board& squares);

    FilmSize size_;
    int boardWidth_;
    int boardHeight_;
    // A square's side in pictures, 0 for a map, and the board's corner.
    int side_ = 0;
    double scale_ = 0.0;
    int left_ = 0;
    int top_ = 0;
    int missing_ = 0;
    std::array<QImage, kTilePictureCount> tiles_;
    QImage canvas_;
    QImage frame_;
};
