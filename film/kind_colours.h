#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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

// What the map shows of a square, in SquareLook's order: the empty square,
// then the kinds in the order of PopulationHistory's lines. As "#RRGGBB".
inline constexpr std::array<const char*, 6> kKinds{"#333333", "#8C4E08", "#088780", "#CA8D00", "#40D2AA", "#5050F0"};
inline constexpr std::size_t kEmptySquare = 0;
inline constexpr std::size_t kBrownLizards = 1;
inline constexpr std::size_t kGreenLizards = 2;
inline constexpr std::size_t kBrownEggs = 3;
inline constexpr std::size_t kGreenEggs = 4;
inline constexpr std::size_t kCats = 5;
// Around the board, in the window at its start and in films.
inline constexpr const char* kBorder = "#000000";

// The colour of PopulationHistory's line `line`.
[[nodiscard]] constexpr const char* ofLine(std::size_t line) { return kKinds[kBrownLizards + line]; }

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

}  // namespace kind_colours
