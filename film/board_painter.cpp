#include "film/board_painter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include <QPainter>
#include <QString>

#include "looks/map_threshold.h"
#include "looks/picture_search.h"
#include "platform/system.h"

namespace {

// The window's texture mapping puts a picture's top edge on the tile's
// right side and its left edge on the tile's bottom (pictures/README.md):
// the picture turned over its other diagonal.
QImage asOnTheTile(const QImage& picture) {
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage turned(source.height(), source.width(), QImage::Format_ARGB32_Premultiplied);
    const int last = source.width() - 1;
    const int lastRow = source.height() - 1;
    for (int y = 0; y < turned.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(turned.scanLine(y));
        for (int x = 0; x < turned.width(); ++x) {
            row[x] = source.pixel(last - y, lastRow - x);
        }
    }
    return turned;
}

}  // namespace

BoardPainter::BoardPainter(FilmSize size, int boardWidth, int boardHeight)
    : size_(size), boardWidth_(std::max(boardWidth, 1)), boardHeight_(std::max(boardHeight, 1)) {
    const int side = std::min(size.width / boardWidth_, size.height / boardHeight_);
    if (side >= kLeastPictureSideInFilms) {
        side_ = side;
        scale_ = side;
        left_ = (size.width - side * boardWidth_) / 2;
        top_ = (size.height - side * boardHeight_) / 2;
        for (std::size_t index = 0; index < tiles_.size(); ++index) {
            const std::optional<std::filesystem::path> file = findPicture(kTilePictureFiles[index], pictureFolders());
            QImage picture;
            if (!file || !picture.load(QString::fromStdString(platform::utf8Name(*file)))) {
                ++missing_;
                continue;
            }
            tiles_[index] =
                asOnTheTile(picture).scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    } else {
        scale_ = std::min(static_cast<double>(size.width) / boardWidth_, static_cast<double>(size.height) / boardHeight_);
        left_ = static_cast<int>(std::lround((size.width - scale_ * boardWidth_) / 2.0));
        top_ = static_cast<int>(std::lround((size.height - scale_ * boardHeight_) / 2.0));
    }
    canvas_ = QImage(size.width, size.height, QImage::Format_RGB32);
    canvas_.fill(kBackground);
}

QPointF BoardPainter::middleOf(int x, int y) const {
    return {left_ + (x + 0.5) * scale_, top_ + (y + 0.5) * scale_};
}

const QImage& BoardPainter::paint(const Board& squares) {
    if (drawsPictures()) {
        paintPictures(squares);
    } else {
        paintMap(squares);
    }
    frame_ = canvas_.convertToFormat(QImage::Format_RGB888);
    return frame_;
}

void BoardPainter::paintPictures(const Board& squares) {
    QPainter painter(&canvas_);
    const int across = std::min(boardWidth_, squares.width());
    const int down = std::min(boardHeight_, squares.height());
    for (int x = 0; x < across; ++x) {
        for (int y = 0; y < down; ++y) {
            const CellState& cell = squares[squares.indexOf(x, y)];
            const QRect square(left_ + x * side_, top_ + y * side_, side_, side_);
            // The picture's transparent parts show the squares's black.
            painter.fillRect(square, QColor::fromRgb(kBackground));
            const QImage& tile = tiles_[static_cast<std::size_t>(tilePictureOf(cell).value_or(0))];
            if (tile.isNull()) {
                if (cell.kind != kEmpty) {
                    painter.fillRect(square, QColor::fromRgb(kind_colours::argbOf(squareLookOf(cell))));
                }
            } else {
                painter.drawImage(square.topLeft(), tile);
            }
        }
    }
}

void BoardPainter::paintMap(const Board& squares) {
    const int across = std::min(boardWidth_, squares.width());
    const int down = std::min(boardHeight_, squares.height());
    const int right = std::min(size_.width, left_ + static_cast<int>(std::lround(scale_ * boardWidth_)));
    const int bottom = std::min(size_.height, top_ + static_cast<int>(std::lround(scale_ * boardHeight_)));
    // Each pixel shows the square under its middle.
    std::vector<int> columns(static_cast<std::size_t>(std::max(right - left_, 0)));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns[i] = std::min(across - 1, static_cast<int>((static_cast<double>(i) + 0.5) / scale_));
    }
    for (int py = top_; py < bottom; ++py) {
        const int y = std::min(down - 1, static_cast<int>((py - top_ + 0.5) / scale_));
        auto* row = reinterpret_cast<QRgb*>(canvas_.scanLine(py));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            row[left_ + static_cast<int>(i)] =
                kind_colours::argbOf(squareLookOf(squares[squares.indexOf(columns[i], y)]));
        }
    }
}
