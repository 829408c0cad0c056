#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QRgb>

#include "film/film_format.h"

// An animated GIF made frame by frame, smaller than a GIF of whole frames:
// each frame after the first holds only the rectangle that changed, its
// unchanged pixels transparent where that packs better, and its codes are
// as few bits as the palette needs (a board map's seven colours take 3).
// Every frame is a whole image of its own, so a film cut short plays up to
// its last one; the same frames give the same bytes.
class GifEncoder {
public:
    // Frames of `size` at `rate` a second, drawn in `palette`, of at most
    // kMostColours colours: one more entry is the transparent one.
    static constexpr std::size_t kMostColours = 255;
    GifEncoder(FilmSize size, int rate, std::span<const QRgb> palette);

    // The file's start: its header, palette, and that it plays in a loop.
    [[nodiscard]] std::vector<std::uint8_t> start() const;
    // The bytes of the next frame, given as palette indices, row by row.
    [[nodiscard]] std::vector<std::uint8_t> frame(std::span<const std::uint8_t> indices);
    // The file's last byte.
    static constexpr std::uint8_t kTrailer = 0x3B;

private:
    struct Rectangle {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
    };
    void encode(std::span<const std::uint8_t> indices, Rectangle area, bool transparent,
                std::vector<std::uint8_t>& out) const;

    FilmSize size_;
    int rate_;
    std::vector<QRgb> palette_;
    int bits_ = 1;
    std::uint8_t transparent_ = 0;
    std::int64_t frames_ = 0;
    // The picture as a player shows it after the last frame.
    std::vector<std::uint8_t> shown_;
};
