#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What a film or a picture of the board is made as: its kind, read from the
// file name's extension, its size in pixels and its pace.
enum class FilmKind {
    kWebM,  // VP8 video in WebM: browsers, Debian's players, Windows' Media Player
    kGif,   // an animated GIF, for pages and issues that take pictures only
};

struct FilmSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const FilmSize&, const FilmSize&) = default;
};

// How a film ended: whole, or cut short by a problem (a full disk, a frame
// that could not be drawn), and how many frames its file holds, the ones
// that reached the disk. A file that holds no frame is not left behind.
struct FilmEnd {
    std::optional<std::string> problem;
    std::int64_t frames = 0;
    [[nodiscard]] bool whole() const { return !problem; }
    [[nodiscard]] bool removed() const { return frames == 0; }
};

// What a film or a picture shows besides the board: a caption under it
// with the generation and the populations, the population chart beside it.
// Neither, unless asked: the board alone.
struct FilmExtras {
    bool caption = false;
    bool chart = false;
    friend bool operator==(const FilmExtras&, const FilmExtras&) = default;
};
// The populations a caption and a chart tell at one generation, in the
// chart's order: brown and green lizards, brown and green eggs, cats.
inline constexpr int kPopulationLines = 5;
struct PopulationPoint {
    std::int64_t generation = 0;
    std::array<int, kPopulationLines> counts{};
};

// Sizes from a thumbnail to 8K UHD, and paces a GIF can keep: its delays
// are hundredths of a second, and browsers slow down any below two.
inline constexpr int kLeastFilmSide = 16;
inline constexpr FilmSize kLargestFilm{7680, 4320};
inline constexpr int kLeastFilmRate = 1;
inline constexpr int kMostFilmRate = 50;
inline constexpr int kDefaultFilmRate = 10;
// A film's longer side, unless a size is given.
inline constexpr int kDefaultFilmSide = 640;

// The kind that the name's extension asks for (.webm or .gif, in any case),
// or none.
[[nodiscard]] std::optional<FilmKind> filmKindOf(const std::filesystem::path& file);
// "WxH" within the limits; otherwise what is wrong with it, to follow the
// option's name: "needs a size WxH ... not '9x9'".
[[nodiscard]] std::optional<std::string> readFilmSize(std::string_view text, FilmSize& size);
// The board's shape, its longer side kDefaultFilmSide pixels, each side even.
[[nodiscard]] FilmSize defaultFilmSize(int boardWidth, int boardHeight);
