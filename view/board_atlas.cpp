#include "view/board_atlas.h"

#include <cstddef>

#include <Inventor/SbVec2s.h>
#include <Inventor/nodes/SoTexture2.h>

#include "looks/kind_colours.h"
#include "looks/tile_pictures.h"

namespace board_atlas {

namespace {

// A picture's texels as red, green, blue and alpha, from the rows up, as
// OpenGL takes them and Coin keeps them; scaled to a cell when the picture
// is of another size.
void placePicture(const SoTexture2& picture, int index, std::vector<std::uint8_t>& atlas) {
    SbVec2s size;
    int components = 0;
    const unsigned char* pixels = picture.image.getValue(size, components);
    if (pixels == nullptr || size[0] <= 0 || size[1] <= 0 || components < 1 || components > 4) {
        return;
    }
    const int cellX = index % kCellsAcross * kCell;
    const int cellY = index / kCellsAcross * kCell;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const int fromX = x * size[0] / kCell;
            const int fromY = y * size[1] / kCell;
            const unsigned char* from = pixels + (static_cast<std::ptrdiff_t>(fromY) * size[0] + fromX) * components;
            std::uint8_t* to = atlas.data() + (static_cast<std::ptrdiff_t>(cellY + y) * kAtlasSide + cellX + x) * 4;
            const bool grey = components <= 2;
            to[0] = from[0];
            to[1] = grey ? from[0] : from[1];
            to[2] = grey ? from[0] : from[2];
            to[3] = components == 2 ? from[1] : components == 4 ? from[3] : 255;
        }
    }
}

}  // namespace

const std::array<Texel, kTilePictureCount>& mapColours() {
    static const std::array<Texel, kTilePictureCount> colours = [] {
        std::array<Texel, kTilePictureCount> byPicture{};
        for (int picture = 0; picture < kTilePictureCount; ++picture) {
            const kind_colours::Rgb rgb = kind_colours::rgbOf(kind_colours::colourOf(lookOfPicture(picture)));
            byPicture[static_cast<std::size_t>(picture)] = Texel{rgb[0], rgb[1], rgb[2], 255};
        }
        return byPicture;
    }();
    return colours;
}

std::vector<std::uint8_t> atlasTexels(const std::array<SoTexture2*, kTilePictureCount>& pictures) {
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(kAtlasSide) * kAtlasSide * 4, 0);
    for (int picture = 0; picture < kTilePictureCount; ++picture) {
        if (const SoTexture2* node = pictures[static_cast<std::size_t>(picture)]; node != nullptr) {
            placePicture(*node, picture, texels);
        }
    }
    return texels;
}

// The next smaller level of detail: each texel the mean of four, weighted
// by how opaque they are, so that a transparent texel's colour does not
// darken the edge of a creature. The cells are whole texels at every level
// down to one texel, so no level mixes two pictures until then.
std::vector<std::uint8_t> halved(const std::vector<std::uint8_t>& texels, int side) {
    const int half = side / 2;
    std::vector<std::uint8_t> smaller(static_cast<std::size_t>(half) * half * 4);
    for (int y = 0; y < half; ++y) {
        for (int x = 0; x < half; ++x) {
            std::array<int, 3> colour{};
            int alpha = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const std::uint8_t* from = texels.data() + (static_cast<std::ptrdiff_t>(2 * y + dy) * side + 2 * x + dx) * 4;
                    for (std::size_t c = 0; c < colour.size(); ++c) {
                        colour[c] += from[c] * from[3];
                    }
                    alpha += from[3];
                }
            }
            std::uint8_t* to = smaller.data() + (static_cast<std::ptrdiff_t>(y) * half + x) * 4;
            for (std::size_t c = 0; c < colour.size(); ++c) {
                to[c] = static_cast<std::uint8_t>(alpha > 0 ? colour[c] / alpha : 0);
            }
            to[3] = static_cast<std::uint8_t>(alpha / 4);
        }
    }
    return smaller;
}

}  // namespace board_atlas
