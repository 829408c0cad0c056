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
// memory: VP8 in WebM, or an animated GIF, through FFmpeg's libraries.
// The same frames give the same file byte for byte: one encoder thread, a
// fixed keyframe interval, no time or random identifier in the file.
class FilmWriter {
public:
    // Opens the file for a film of frames of `size`, `rate` frames a
    // second; null with the problem in `problem` (the file cannot be made,
    // the library lacks the encoder).
    [[nodiscard]] static std::unique_ptr<FilmWriter> open(const std::filesystem::path& file, FilmKind kind,
                                                          FilmSize size, int rate, std::string& problem);
    ~FilmWriter();
    FilmWriter(const FilmWriter&) = delete;
    FilmWriter& operator=(const FilmWriter&) = delete;

    // Encodes a frame of the film's size and writes what the encoder gives.
    // After a failure (a full disk) nothing more is written.
    [[nodiscard]] std::optional<std::string> add(const QImage& frame);
    // Writes what the encoder still holds and the file's end, and closes it.
    [[nodiscard]] std::optional<std::string> finish();

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
};
