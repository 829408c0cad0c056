#include "app/steering.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "app/words.h"
#include "model/board.h"
#include "model/model.h"
#include "platform/random.h"
#include "platform/system.h"

Steering::Steering(const RunOptions& options)
    : seed_(options.seed), pace_(options.paceMilliseconds), rules_(options.rules) {}

Steering::~Steering() {
    if (counts_ != nullptr) {
        std::fclose(counts_);
    }
}

void Steering::steer(Model& model) {
    model_ = &model;
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
    if (const std::optional<std::uint32_t> recorded = history_.seedOf(generation_.load() + 1)) {
        platform::srand(*recorded);
    } else if (seed_) {
        // The seed wraps like the generator's 32-bit state, as in vivar-sim.
        platform::srand(static_cast<std::uint32_t>(*seed_ + static_cast<std::uint64_t>(generation_.load() + 1)));
    }
}

void Steering::fill() const {
    fillBoard(board, seed_ ? static_cast<std::time_t>(*seed_) : std::time(nullptr), rules_);
}

bool Steering::boardRestarted(const Census& census) {
    const bool futureWent = history_.latest() > generation_.load();
    generation_ = 0;
    history_.restart(board, model_ != nullptr ? model_->rules : rules_);
    rowEnds_.clear();
    firstRow_ = 0;
    if (counts_ != nullptr) {
        // A fresh file, as a fresh run of vivar-sim would write it; tail -f
        // notices the truncation and follows on.
        std::fflush(counts_);
        if (ftruncate(fileno(counts_), 0) == 0) {
            std::rewind(counts_);
        }
        printCountsHeader(counts_);
    }
    writeCounts(0, census);
    return futureWent;
}

void Steering::generationShown(const Census& census) {
    const std::int64_t shown = generation_.load() + 1;
    generation_ = shown;
    if (shown > history_.latest() && model_ != nullptr) {
        history_.record(model_->generationSeed(), board);
        while (firstRow_ < history_.earliest() && !rowEnds_.empty()) {
            rowEnds_.pop_front();
            ++firstRow_;
        }
    }
    {
        // At pace 0 the model goes on once the window has drawn this.
        const std::lock_guard lock(mutex_);
        awaitedFrame_ = frames_ + 1;
    }
    writeCounts(shown, census);
}

void Steering::writeCounts(std::int64_t generation, const Census& census) {
    if (counts_ != nullptr) {
        printCountsRow(counts_, generation, census);
        if (std::fflush(counts_) != 0 || std::ferror(counts_) != 0) {
            countsFailed(errno != 0 ? errno : EIO);
            return;
        }
        rowEnds_.push_back(std::ftell(counts_));
    }
}

void Steering::wentTo(std::int64_t generation) {
    generation_ = generation;
    if (counts_ == nullptr || generation < firstRow_ ||
        generation - firstRow_ >= static_cast<std::int64_t>(rowEnds_.size())) {
        return;
    }
    rowEnds_.resize(static_cast<std::size_t>(generation - firstRow_ + 1));
    if (ftruncate(fileno(counts_), rowEnds_.back()) != 0 || std::fseek(counts_, rowEnds_.back(), SEEK_SET) != 0) {
        countsFailed(errno != 0 ? errno : EIO);
    }
}

bool Steering::edited() {
    const std::int64_t shown = generation_.load();
    const bool futureWent = history_.latest() > shown;
    history_.branch(shown, board);
    return futureWent;
}

void Steering::countsFailed(int error) {
    countsProblem_ = words::fill(words::translate("Steering", "the counts file '%1' could not be written: %2"),
                                 {countsName_, std::strerror(error)});
    std::fprintf(stderr, "vivar: %s\n", countsProblem_.c_str());
    std::fclose(counts_);
    counts_ = nullptr;
}

std::optional<std::string> Steering::openCounts(const std::filesystem::path& fileName) {
    // Binary: "\n" stays "\n" on Windows too, as vivar-sim writes it.
    counts_ = platform::openFile(fileName, "wb");
    countsName_ = platform::utf8Name(fileName);
    if (counts_ == nullptr) {
        return std::string(std::strerror(errno));
    }
    return std::nullopt;
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
