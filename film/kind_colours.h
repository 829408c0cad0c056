#pragma once

#include <array>
#include <cstdint>

// The colours that stand for each kind of occupant wherever it is too small
// for its picture: the population chart's lines, and the map a large board
// is drawn as from afar, in the window and in films. Taken from the pictures: brown and green lizards,
// paler for their eggs, orange cats.
namespace kind_colours {

// In the order of PopulationHistory's lines, as "#RRGGBB".
inline constexpr std::array<const char*, 5> kPopulations{"#9A6532", "#3C9A2A", "#C99A5E", "#8CCB5A", "#EE922F"};
inline constexpr std::size_t kBrownLizards = 0;
inline constexpr std::size_t kGreenLizards = 1;
inline constexpr std::size_t kBrownEggs = 2;
inline constexpr std::size_t kGreenEggs = 3;
inline constexpr std::size_t kCats = 4;
// An empty square on the map: dark, yet apart from the black around the
// board.
inline constexpr const char* kEmpty = "#262626";

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
