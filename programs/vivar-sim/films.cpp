// The films module loaded for --film, and the film of a single run.
#include "programs/vivar-sim/films.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "film/film_format.h"
#include "looks/picture_search.h"
#include "looks/tile_pictures.h"
#include "model/census.h"
#include "model/seeded_run.h"
#include "platform/system.h"
#include "programs/vivar-sim/film_module.h"

namespace sim {


RunFilm::RunFilm(const Options& options, const Rules& rules)
    : name_(platform::utf8Name(*options.film)),
      total_(options.generations + 1),
      shown_(platform::isTerminal(stderr)),
      tells_(!(options.filmExtras == FilmExtras{})) {
    BoardFilmRequest request;
    request.file = *options.film;
    request.kind = options.filmKind;
    request.size = options.filmSize.value_or(defaultFilmSize(rules.width, rules.height));
    request.rate = options.filmRate.value_or(kDefaultFilmRate);
    request.boardWidth = rules.width;
    request.boardHeight = rules.height;
    request.extras = options.filmExtras;
    std::string problem;
    film_.reset(filmModuleFor("--film").open(request, problem));
    if (!film_) {
        std::fprintf(stderr, "vivar-sim: %s: %s\n", name_.c_str(), problem.c_str());
        std::exit(1);
    }
    if (film_->drawsPictures() && film_->missingPictures() > 0) {
        std::string folders;
        for (const std::filesystem::path& folder : pictureFolders()) {
            folders += (folders.empty() ? "" : ", ") + platform::utf8Name(folder);
        }
        std::fprintf(stderr,
                     "vivar-sim: %d of %d pictures not found; looked in %s (VIVAR_PICTURES can name their "
                     "folder); the film shows their squares in the board map's colours\n",
                     film_->missingPictures(), kTilePictureCount, folders.c_str());
    }
}

void RunFilm::frame(const SeededRun& run) {
    if (problem_) {
        return;
    }
    // The populations only where a caption or a chart tells them.
    PopulationPoint shown{run.generation(), {}};
    if (tells_) {
        const Census census = run.census();
        shown.counts = {census.lizards[0], census.lizards[1], census.eggs[0], census.eggs[1], census.cats};
    }
    problem_ = film_->add(run.squares(), shown);
    showProgress(false);
}

bool RunFilm::finish() {
    const FilmEnd end = film_->finish();
    showProgress(true);
    if (end.whole()) {
        return true;
    }
    if (end.removed()) {
        std::fprintf(stderr, "vivar-sim: %s: %s; no frame reached the file, which is not kept\n", name_.c_str(),
                     end.problem->c_str());
    } else {
        std::fprintf(stderr, "vivar-sim: %s: %s; the film is cut short after %s of %s frames\n", name_.c_str(),
                     end.problem->c_str(), grouped(static_cast<std::uint64_t>(end.frames)).c_str(),
                     grouped(static_cast<std::uint64_t>(total_)).c_str());
    }
    return false;
}

void RunFilm::showProgress(bool last) {
    if (!shown_) {
        return;
    }
    const auto now = Clock::now();
    if (!last && now - lastShown_ < kInterval) {
        return;
    }
    lastShown_ = now;
    line_.show(formatted("vivar-sim: film: %" PRId64 " of %" PRId64 " frames", film_->frames(), total_), last);
}

}  // namespace sim
