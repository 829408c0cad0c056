// The film of a single vivar-sim run, made by the films module that
// --film loads.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "film/board_film.h"
#include "model/rules.h"
#include "programs/vivar-sim/options.h"
#include "programs/vivar-sim/progress.h"

class SeededRun;

namespace sim {

// The film of a single run: a frame for every generation the run passes,
// its first board's included, with how far it has come on a terminal's
// stderr. A failure to write, such as a full disk, ends the film, cut
// short; it is told when the run's output is complete.
class RunFilm {
public:
    RunFilm(const Options& options, const Rules& rules);

    void frame(const SeededRun& run);

    // Ends the file; false, having said why and how much of it there is,
    // when the film was cut short.
    bool finish();

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{200};

    void showProgress(bool last);

    std::string name_;
    std::unique_ptr<BoardFilm> film_;
    std::optional<std::string> problem_;
    std::int64_t total_;
    bool shown_;
    bool tells_;
    Clock::time_point lastShown_;
    ProgressLine line_;
};

}  // namespace sim
