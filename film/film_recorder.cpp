#include "film/film_recorder.h"

#include <utility>

FilmRecorder::FilmRecorder(std::unique_ptr<FilmWriter> writer)
    : writer_(std::move(writer)), thread_([this] { encode(); }) {}

FilmRecorder::~FilmRecorder() { (void)finish(); }

bool FilmRecorder::add(QImage frame) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < kQueued || problem_; });
    if (problem_ || ending_) {
        return false;
    }
    queue_.push_back(std::move(frame));
    ++added_;
    changed_.notify_all();
    return true;
}

std::optional<std::string> FilmRecorder::problem() const {
    const std::lock_guard lock(mutex_);
    return problem_;
}

FilmEnd FilmRecorder::finish() {
    {
        const std::lock_guard lock(mutex_);
        if (finished_) {
            return end_;
        }
        finished_ = true;
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
    const std::lock_guard lock(mutex_);
    return end_;
}

void FilmRecorder::encode() {
    for (;;) {
        QImage frame;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !queue_.empty() || ending_; });
            if (queue_.empty() || problem_) {
                break;
            }
            frame = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();
        std::optional<std::string> failed = writer_->add(frame);
        const std::lock_guard lock(mutex_);
        if (failed) {
            problem_ = std::move(failed);
            queue_.clear();
            changed_.notify_all();
        }
    }
    FilmEnd ended = writer_->finish();
    const std::lock_guard lock(mutex_);
    if (ended.problem && !problem_) {
        problem_ = ended.problem;
    }
    end_ = std::move(ended);
}
