#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <QImage>

#include "film/film_format.h"

// A film written frame by frame as it is made, each frame going straight
// to the encoder and the file, so that a long film holds no frames in
// memory: VP8 in WebM through FFmpeg's libraries, or an animated GIF by
// the program's own encoder, which keeps only what changed (GifEncoder).
// The same frames give the same file byte for byte: one encoder thread, a
// fixed keyframe interval, no time or random identifier in the file.
// The file's bytes go through the writer's own output, which counts the
// frames that reach the file; a film cut short says so, and a file that
// would hold no frame is not left behind.
class FilmWriter {
public:
    // What the frames show, which the encoder is set for: pictures (the
    // tile pictures, the 3D view of the standard board), or a board map,
    // whose squares may be a pixel wide in a few flat colours, each of
    // which must stay its kind's: alone, or among pictures (a caption, a
    // chart, the 3D view of a large board, near squares drawn as pictures).
    enum class Content { kPictures, kBoardMap, kBoardMapAmongPictures };

    // Opens the file for a film of frames of `size`, `rate` frames a
    // second, and writes its header; null with the problem in `problem`
    // (the file cannot be made, the library lacks the encoder), leaving no
    // file behind. A live film, recorded while the run goes on, sets the
    // run's pace: VP8 searches less for it, for a slightly larger file.
    [[nodiscard]] static std::unique_ptr<FilmWriter> open(const std::filesystem::path& file, FilmKind kind,
                                                          FilmSize size, int rate, std::string& problem,
                                                          Content content = Content::kPictures, bool live = false);
    ~FilmWriter();
    FilmWriter(const FilmWriter&) = delete;
    FilmWriter& operator=(const FilmWriter&) = delete;

    // Encodes a frame of the film's size and writes what the encoder gives.
    // After a failure (a full disk) nothing more is encoded.
    [[nodiscard]] std::optional<std::string> add(const QImage& frame);
    // Writes what the encoder still holds, unless it failed, and the file's
    // end, which a failure does not skip: the film is finished as far as
    // the disk allows. Closes the file, and removes it when it holds no
    // frame.
    [[nodiscard]] FilmEnd finish();

    // Frames handed to the encoder.
    [[nodiscard]] std::int64_t frames() const { return frames_; }
    [[nodiscard]] FilmSize size() const { return size_; }

    struct Parts;

private:
    FilmWriter() = default;
    [[nodiscard]] std::optional<std::string> send(bool last);

    std::unique_ptr<Parts> parts_;
    FilmSize size_;
    FilmKind kind_ = FilmKind::kWebM;
    std::int64_t frames_ = 0;
    bool finished_ = false;
    std::optional<std::string> failure_;
    FilmEnd end_;
};

struct BoardFilmRequest;
class BoardFilm;
// A film of boards, drawn by BoardPainter and written by FilmWriter: what
// the films module makes.
[[nodiscard]] std::unique_ptr<BoardFilm> makeBoardFilm(const BoardFilmRequest& request, std::string& problem);
