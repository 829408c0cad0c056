#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <QImage>

#include "film/film_writer.h"

// A film encoded on a thread of its own, so that the window that makes the
// frames goes on while they are encoded. Frames wait in a queue of at most
// kQueued: past that, add() waits for the encoder, so that a long film at
// the fastest pace slows the run rather than fill the memory. The thread
// touches nothing but the frames it is handed and its writer.
class FilmRecorder {
public:
    static constexpr std::size_t kQueued = 8;

    explicit FilmRecorder(std::unique_ptr<FilmWriter> writer);
    // Finishes the film, if finish() was not called.
    ~FilmRecorder();
    FilmRecorder(const FilmRecorder&) = delete;
    FilmRecorder& operator=(const FilmRecorder&) = delete;

    // Hands a frame to the encoder; false once the film has failed, when
    // the frame is dropped.
    bool add(QImage frame);
    // The first failure, such as a full disk, once the encoder met one.
    [[nodiscard]] std::optional<std::string> problem() const;
    // Encodes the frames still queued, ends the file and waits for the
    // thread: how the film ended, whole or cut, and the frames its file
    // holds.
    FilmEnd finish();

    // Frames handed over.
    [[nodiscard]] std::int64_t framesAdded() const { return added_; }

private:
    void encode();

    std::unique_ptr<FilmWriter> writer_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QImage> queue_;
    bool ending_ = false;
    bool finished_ = false;
    std::optional<std::string> problem_;
    std::int64_t added_ = 0;
    FilmEnd end_;
    std::thread thread_;
};
