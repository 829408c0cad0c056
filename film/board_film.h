#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "film/film_format.h"
#include "model/board.h"

// A film of a run's boards, a frame for each board given, drawn from above
// as the home view shows it. Made in the films module, which holds Qt's
// images and FFmpeg, so that vivar-sim loads those only to make a film:
// this header is all that the program and the module share.
struct BoardFilmRequest {
    std::filesystem::path file;
    FilmKind kind = FilmKind::kWebM;
    FilmSize size;
    int rate = kDefaultFilmRate;
    int boardWidth = 0;
    int boardHeight = 0;
    FilmExtras extras;
};

class BoardFilm {
public:
    virtual ~BoardFilm() = default;
    // Draws the board, with the caption and chart the request asked for,
    // which tell `shown`, and encodes it; the problem once the film has
    // failed, after which nothing more is written.
    [[nodiscard]] virtual std::optional<std::string> add(const Board& squares, const PopulationPoint& shown) = 0;
    // Ends the file, whole or cut short, as far as the disk allows.
    [[nodiscard]] virtual FilmEnd finish() = 0;
    // Frames encoded so far.
    [[nodiscard]] virtual std::int64_t frames() const = 0;
    // Whether squares are drawn from the tile pictures, and how many of
    // those no folder had.
    [[nodiscard]] virtual bool drawsPictures() const = 0;
    [[nodiscard]] virtual int missingPictures() const = 0;
};

// The module's one entry point: a film opened for the request, or null with
// the problem (the file cannot be made, the library lacks the encoder). The
// number in its name changes with this header, so that a module of another
// version is told apart instead of called.
using OpenBoardFilm = BoardFilm*(const BoardFilmRequest& request, std::string& problem);
inline constexpr const char* kOpenBoardFilm = "vivar_open_board_film_2";
