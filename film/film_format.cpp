#include "film/film_format.h"

#include <algorithm>
#include <cctype>

#include "base/numbers.h"
#include "film/plot_request.h"

std::optional<FilmKind> filmKindOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".webm") {
        return FilmKind::kWebM;
    }
    if (extension == ".gif") {
        return FilmKind::kGif;
    }
    return std::nullopt;
}

std::optional<std::string> readFilmSize(std::string_view text, FilmSize& size) {
    const auto x = text.find_first_of("xX");
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    if (x == std::string_view::npos ||
        !parseWholeNumber(text.substr(0, x), kLeastFilmSide, static_cast<std::uint64_t>(kLargestFilm.width), width) ||
        !parseWholeNumber(text.substr(x + 1), kLeastFilmSide, static_cast<std::uint64_t>(kLargestFilm.height),
                          height)) {
        return "needs a size WxH in pixels, from " + std::to_string(kLeastFilmSide) + "x" +
               std::to_string(kLeastFilmSide) + " to " + std::to_string(kLargestFilm.width) + "x" +
               std::to_string(kLargestFilm.height) + ", not '" + std::string(text) + "'";
    }
    size = {static_cast<int>(width), static_cast<int>(height)};
    return std::nullopt;
}

FilmSize defaultFilmSize(int boardWidth, int boardHeight) {
    const int longer = std::max({boardWidth, boardHeight, 1});
    const auto side = [longer](int squares) {
        const int pixels = static_cast<int>(static_cast<long long>(kDefaultFilmSide) * squares / longer);
        return std::max(kLeastFilmSide, pixels - pixels % 2);
    };
    return {side(boardWidth), side(boardHeight)};
}

std::optional<PlotFormat> plotFormatOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") {
        return PlotFormat::kPng;
    }
    if (extension == ".svg") {
        return PlotFormat::kSvg;
    }
    return std::nullopt;
}
