#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include <QRgb>

// A board map in a video: VP8 keeps one colour (chroma) for each block of
// 2 x 2 pixels and a brightness (luma) for each pixel, so where a map's
// squares are a pixel or two wide, the usual average of a block's colours
// turns a brown lizard beside a green one into two grey ones. For a block
// whose four pixels are all colours of the map's palette, not all one, this
// chooses the block's colour and each pixel's brightness so that each
// pixel, decoded, lies nearest its own palette colour, safely so where it
// can, and otherwise as close to it as it can: each square keeps its kind.
// Other blocks are left as they were converted.
class MapChroma {
public:
    // At most kMostColours colours, the background's among them.
    static constexpr std::size_t kMostColours = 8;
    explicit MapChroma(std::span<const QRgb> palette);

    // Rewrites the blocks of a YUV 4:2:0 picture (BT.601, limited range)
    // made from `rgb` (RGB888 rows) whose four pixels are all in the palette.
    void apply(const std::uint8_t* rgb, int rgbStride, int width, int height, std::uint8_t* y, int yStride,
               std::uint8_t* u, int uStride, std::uint8_t* v, int vStride);

private:
    struct Block {
        std::array<std::uint8_t, 4> luma{};
        std::uint8_t u = 128;
        std::uint8_t v = 128;
        bool known = false;
    };
    // A pixel of one colour under one chroma: its best brightness, and how
    // far inside its colour's region that puts it.
    struct Depth {
        std::uint8_t luma = 16;
        double margin = 0;
        // The squared distance of the colour shown from the pixel's own.
        double error = 0;
    };
    [[nodiscard]] int colourOf(const std::uint8_t* pixel) const;
    [[nodiscard]] double marginOf(const std::array<double, 3>& colour, std::size_t target) const;
    const Block& blockOf(const std::array<int, 4>& colours);

    std::vector<std::array<int, 3>> palette_;
    std::vector<Block> blocks_;
    std::vector<Depth> best_;
};
