#include "app/steering.h"

#include <algorithm>

#include "app/run_session.h"
#include "model/board.h"
#include "model/model.h"
#include "platform/random.h"

Steering::Steering(const RunOptions& options) : seed_(options.seed), pace_(options.paceMilliseconds) {}

void Steering::steer(Model& model, const RunSession& session) {
    session_ = &session;
    model.pause = [this](std::chrono::milliseconds requested) { pause(requested); };
    model.beforeGeneration = [this] { beforeGeneration(); };
}

void Steering::pause(std::chrono::milliseconds requested) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::unique_lock lock(mutex_);
    const std::uint64_t wakes = wakes_;
    // After a close nothing is left to show or wait for, however slow the
    // pace: the window has gone.
    const auto woken = [&] { return wakes_ != wakes || quitFlag; };
    if (requested != Model::kShowPause) {
        changed_.wait_until(lock, start + requested, woken);
        return;
    }
    // The pace may change while a generation is on screen: the pause then
    // ends at the new pace, counted from the start.
    for (;;) {
        const int pace = pace_.load();
        const auto over = [&] { return woken() || (pace == 0 && frames_ >= awaitedFrame_); };
        const auto end = start + (pace == 0 ? kLongestFrameWait : std::chrono::milliseconds(pace));
        if (!changed_.wait_until(lock, end, [&] { return over() || pace_.load() != pace; }) || over()) {
            return;
        }
    }
}

void Steering::beforeGeneration() const {
    if (session_ == nullptr) {
        return;
    }
    if (const std::optional<std::uint32_t> seed = session_->seedOf(session_->generation() + 1)) {
        platform::srand(*seed);
    }
}

void Steering::fill(const Rules& rules) const {
    fillBoard(board, seed_ ? static_cast<std::time_t>(*seed_) : std::time(nullptr), rules);
}

void Steering::generationShown() {
    const std::lock_guard lock(mutex_);
    awaitedFrame_ = frames_ + 1;
}

void Steering::frameDrawn() {
    {
        const std::lock_guard lock(mutex_);
        ++frames_;
    }
    changed_.notify_all();
}

bool Steering::stepDone() {
    const bool done = stepping_;
    stepping_ = false;
    return done;
}

void Steering::step() {
    stepping_ = true;
    wake();
}

void Steering::cancelStep() { stepping_ = false; }

void Steering::faster() {
    const int pace = pace_.load();
    const auto slowerOrEqual = std::lower_bound(kPaces.begin(), kPaces.end(), pace);
    setPace(slowerOrEqual == kPaces.begin() ? kPaces.front() : *(slowerOrEqual - 1));
}

void Steering::slower() {
    const auto slower = std::upper_bound(kPaces.begin(), kPaces.end(), pace_.load());
    setPace(slower == kPaces.end() ? kPaces.back() : *slower);
}

void Steering::setPace(int milliseconds) {
    {
        const std::lock_guard lock(mutex_);
        pace_ = milliseconds;
    }
    changed_.notify_all();
}

void Steering::wake() {
    {
        const std::lock_guard lock(mutex_);
        ++wakes_;
    }
    changed_.notify_all();
}
