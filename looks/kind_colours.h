#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "looks/square_look.h"

// The one palette of the kinds, wherever a square is too small for its
// picture: the map a large board is drawn as from afar, in the window and
// in films, and the population chart's lines. Chosen so that every kind
// stays apart from every other, and the empty square from the black around
// the board, also as people with protanopia or deuteranopia see them
// (tests/palette_test.cpp measures it; docs/palette.md tells how): a brown
// and a teal for the brown and green lizards, a lighter ochre and mint for
// their eggs, and blue for the cats, the one hue that neither deficiency
// takes away.
namespace kind_colours {

// Each SquareLook's colour, in its order: the empty square, then the kinds
// in the order of the population chart's lines. As "#RRGGBB".
inline constexpr std::array<const char*, kSquareLooks> kKinds{"#333333", "#8C4E08", "#088780",
                                                              "#CA8D00", "#40D2AA", "#5050F0"};
[[nodiscard]] constexpr const char* colourOf(SquareLook look) { return kKinds[indexOf(look)]; }
// Around the board, in the window at its start and in films.
inline constexpr const char* kBorder = "#000000";

// The colour of the population chart's line `line`.
[[nodiscard]] constexpr const char* ofLine(std::size_t line) {
    return kKinds[indexOf(SquareLook::kBrownLizard) + line];
}

using Rgb = std::array<std::uint8_t, 3>;
// The red, green and blue of a "#RRGGBB".
[[nodiscard]] constexpr Rgb rgbOf(const char* hex) {
    const auto digit = [](char c) {
        return static_cast<std::uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    };
    const auto pair = [&](int at) { return static_cast<std::uint8_t>(digit(hex[at]) * 16 + digit(hex[at + 1])); };
    return {pair(1), pair(3), pair(5)};
}

// The same, opaque, as 0xAARRGGBB.
[[nodiscard]] constexpr std::uint32_t argbOf(const char* hex) {
    const Rgb rgb = rgbOf(hex);
    return 0xFF000000u | std::uint32_t{rgb[0]} << 16 | std::uint32_t{rgb[1]} << 8 | rgb[2];
}

// Every colour of a board map, as 0xAARRGGBB: the border first, then each
// SquareLook's in its order. A film's encoder takes it as its palette.
inline constexpr std::array<std::uint32_t, 1 + kSquareLooks> kMapPalette = [] {
    std::array<std::uint32_t, 1 + kSquareLooks> colours{argbOf(kBorder)};
    for (std::size_t look = 0; look < kSquareLooks; ++look) {
        colours[1 + look] = argbOf(kKinds[look]);
    }
    return colours;
}();
// A look's entry in it, read rather than worked out, as a map's every
// pixel asks.
[[nodiscard]] constexpr std::uint32_t argbOf(SquareLook look) { return kMapPalette[1 + indexOf(look)]; }

}  // namespace kind_colours
