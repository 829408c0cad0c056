#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "view/scene.h"

class SoTexture2;

// The texels BoardShape draws with: all the tile pictures in one texture,
// the atlas, and the colour of each picture's kind on the map.
namespace board_atlas {

// The atlas holds the pictures in cells of their own size, eight to a row,
// in a texture as large as the plainest OpenGL takes.
inline constexpr int kCell = 128;
inline constexpr int kCellsAcross = 8;
inline constexpr int kAtlasSide = kCell * kCellsAcross;
static_assert(kCellsAcross * kCellsAcross >= kTilePictureCount);

struct AtlasCell {
    float left;
    float bottom;
    float right;
    float top;
};

// Where a picture lies in the atlas, half a texel in from its cell's edge
// so that filtering does not reach into the next picture.
[[nodiscard]] constexpr AtlasCell cellOf(int picture) {
    constexpr float kTexel = 1.0f / kAtlasSide;
    const float left = static_cast<float>(picture % kCellsAcross * kCell) * kTexel;
    const float bottom = static_cast<float>(picture / kCellsAcross * kCell) * kTexel;
    const float side = static_cast<float>(kCell) * kTexel;
    return {left + 0.5f * kTexel, bottom + 0.5f * kTexel, left + side - 0.5f * kTexel, bottom + side - 0.5f * kTexel};
}

using Texel = std::array<std::uint8_t, 4>;
// The map's colour for each picture, by texture index: its occupant's kind.
[[nodiscard]] const std::array<Texel, kTilePictureCount>& mapColours();

// The atlas's texels as OpenGL takes them, red, green, blue and alpha from
// the rows up, each picture in its cell; a missing one leaves its cell clear.
[[nodiscard]] std::vector<std::uint8_t> atlasTexels(const std::array<SoTexture2*, kTilePictureCount>& pictures);
// The next smaller level of detail of square texels `side` a side.
[[nodiscard]] std::vector<std::uint8_t> halved(const std::vector<std::uint8_t>& texels, int side);

}  // namespace board_atlas
