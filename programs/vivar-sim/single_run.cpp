// A single vivar-sim run, its output sent on as it goes and cut short
// cleanly by a stop or a failed write.
#include "programs/vivar-sim/single_run.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "model/census.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/system.h"
#include "programs/vivar-sim/films.h"
#include "programs/vivar-sim/progress.h"
#include "programs/vivar-sim/row_output.h"
#include "programs/vivar-sim/saved_board.h"
#include "studies/experiment.h"

namespace sim {
namespace {

// A single run's standard output, the trace or the counts, through stdio's
// buffer: sent on at least once a second, so that `tail -f` follows a slow
// run. Once it fails (a reader gone, a full disk) nothing more is written,
// the trace included, and the run goes on only as far as it must to save
// its board; the failure is told at the end.
class RunOutput {
public:
    [[nodiscard]] bool cut() {
        if (error_ == 0 && std::ferror(stdout) != 0) {
            error_ = errno != 0 ? errno : EIO;
            trace::setSink(nullptr);
        }
        return error_ != 0;
    }
    void sendIfDue() {
        const auto now = Clock::now();
        if (now - lastSent_ >= RowOutput::kLongestWait && !cut()) {
            std::fflush(stdout);
            lastSent_ = now;
        }
    }
    void finish() {
        if (!cut() && std::fflush(stdout) != 0) {
            error_ = errno != 0 ? errno : EIO;
        }
    }
    [[nodiscard]] int error() const { return error_; }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastSent_ = Clock::now();
    int error_ = 0;
};

// Ends a single run that Ctrl+C or SIGTERM stopped after the generation,
// its output whole up to there, saying how far it came and, when the board
// to save was still ahead, that none was saved.
[[noreturn]] void endStoppedRun(const Options& options, std::int64_t generation, bool saved) {
    std::fflush(stdout);
    const std::string done = grouped(static_cast<std::uint64_t>(generation));
    const std::string all = grouped(static_cast<std::uint64_t>(options.generations));
    const std::string unsaved = options.saveBoard && !saved ? platform::utf8Name(*options.saveBoard) : "";
    if (options.summary && !unsaved.empty()) {
        std::fprintf(stderr, "vivar-sim: stopped at generation %s of %s: no summary written, nothing saved to %s\n",
                     done.c_str(), all.c_str(), unsaved.c_str());
    } else if (options.summary) {
        std::fprintf(stderr, "vivar-sim: stopped at generation %s of %s: no summary written\n", done.c_str(),
                     all.c_str());
    } else if (!unsaved.empty()) {
        std::fprintf(stderr, "vivar-sim: stopped: %s of %s generations written; nothing saved to %s\n", done.c_str(),
                     all.c_str(), unsaved.c_str());
    } else {
        std::fprintf(stderr, "vivar-sim: stopped: %s of %s generations written\n", done.c_str(), all.c_str());
    }
    platform::endAtOnce(platform::exitStatusAfter(platform::interrupted()));
}

}  // namespace

int runSingle(const Options& options, std::optional<Board>& loaded) {
    // A single run takes the board read as its own: a 2000 x 2000 board
    // held twice would double the run's memory.
    std::unique_ptr<SeededRun> owned =
        loaded ? std::make_unique<SeededRun>(options.rules, std::move(*loaded)) : std::make_unique<SeededRun>(options.rules);
    loaded.reset();
    SeededRun& run = *owned;
    // A typed seed wins over the seeds the file recorded.
    const StartingBoard start{run.squares(), options.boardPlace.generation,
                              options.seedGiven ? std::span<const std::uint32_t>{} : options.boardPlace.nextSeeds};
    const StartingBoard* from = options.board ? &start : nullptr;
    const auto seed = static_cast<std::uint64_t>(options.seed);
    // With --at, the board is saved as the run passes that generation, not
    // kept for the end: a large board is large. A failure is told when the
    // output is complete.
    // A film that cannot be made is told before the run.
    std::optional<RunFilm> film;
    if (options.film) {
        film.emplace(options, run.rules());
    }
    const auto filmFrame = [&film](const SeededRun& now) {
        if (film) {
            film->frame(now);
        }
    };
    std::optional<std::string> saveProblem;
    bool saved = false;
    const auto saveIfAt = [&](std::int64_t generation, const SeededRun& now) {
        if (options.saveAt && generation == *options.saveAt) {
            saveProblem = saveBoard(options, now);
            saved = true;
        }
    };
    const auto stopIfAsked = [&](std::int64_t generation) {
        if (platform::interrupted() != platform::Interrupt::none) {
            // The film so far is a whole file.
            if (film) {
                film->finish();
            }
            endStoppedRun(options, generation, saved);
        }
    };
    RunOutput output;
    if (options.summary) {
        // The row of --seeds S:S, under the same header.
        std::string text = rulesFields(run.rules());
        const std::int64_t first = from != nullptr ? from->generation : 0;
        appendSummaryOfRun(text, run, seed, options.generations, from, [&](std::int64_t k, const SeededRun& now) {
            saveIfAt(k, now);
            filmFrame(now);
            // After the last generation, the summary is as good as written.
            if (k - first < options.generations) {
                stopIfAsked(k - first);
            }
        });
        std::fprintf(stdout, "%s%s\n%s", rulesHeader().c_str(), kSummaryHeader, text.c_str());
    } else {
        // A second core, idle otherwise, makes each generation's random
        // values ahead of it; on one core that would only take turns with
        // the run.
        const bool drawsAhead = platform::usableCores() > 1;
        if (from != nullptr) {
            run.startFrom(from->squares, seed, from->generation, from->nextSeeds, drawsAhead);
        } else {
            run.start(seed, drawsAhead);
        }
        const std::int64_t first = run.generation();
        if (options.counts) {
            printCountsHeader(stdout);
            printCountsRow(stdout, first, run.census());
        }
        saveIfAt(first, run);
        filmFrame(run);
        output.sendIfDue();
        // Counted in steps: the last generation may be the largest number there is.
        for (std::int64_t step = 0; step < options.generations; ++step) {
            stopIfAsked(step);
            // Cut short, the run goes on in silence as far as the board it
            // is to save.
            if (output.cut() && !(options.saveBoard && !saved)) {
                break;
            }
            const std::int64_t k = run.step();
            if (options.counts && !output.cut()) {
                printCountsRow(stdout, k, run.census());
            }
            saveIfAt(k, run);
            filmFrame(run);
            output.sendIfDue();
        }
    }
    output.finish();
    const bool filmed = !film || film->finish();

    if (options.saveBoard && !options.saveAt) {
        saveProblem = saveBoard(options, run);
    }
    if (saveProblem) {
        std::fprintf(stderr, "vivar-sim: %s\n", saveProblem->c_str());
    }
    if (output.error() != 0) {
        outputFailed(kStandardOutput, output.error());
    }
    return saveProblem || !filmed ? 1 : 0;
}

}  // namespace sim
