#pragma once

#include <array>

#include <QColor>
#include <QImage>

#include "film/film_format.h"
#include "film/kind_colours.h"
#include "film/tile_pictures.h"
#include "model/board.h"

// A board as the home view shows it, seen from above, drawn without
// OpenGL into a picture of a given size: x across from the left, y down
// from the top, each square its tile picture, turned as the window's
// texture mapping turns it, over the window's black start. Where a square
// would be narrower than kLeastPictureSide pixels, a board map instead:
// one colour for each kind, the palette's (film/kind_colours.h). The board
// lies in the middle, the rest of the picture black.
class BoardPainter {
public:
    static constexpr int kLeastPictureSide = 8;
    // The palette's colours, in SquareLook's order, and the black around
    // the board.
    static constexpr std::array<QRgb, kind_colours::kKinds.size()> kMapColours = [] {
        std::array<QRgb, kind_colours::kKinds.size()> colours{};
        for (std::size_t kind = 0; kind < colours.size(); ++kind) {
            colours[kind] = kind_colours::argbOf(kind_colours::kKinds[kind]);
        }
        return colours;
    }();
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

[[nodiscard]] QRgb mapColourOf(SquareLook look);
