// The films module's entry points, which vivar-sim looks up by name.

#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "film/board_film.h"
#include "film/film_writer.h"
#include "film/plot_file.h"
#include "film/plot_request.h"
#include "platform/module.h"

VIVAR_MODULE_ENTRY BoardFilm* vivar_open_board_film_2(const BoardFilmRequest& request, std::string& problem) {
    static_assert(std::is_same_v<decltype(vivar_open_board_film_2), OpenBoardFilm>);
    return makeBoardFilm(request, problem).release();
}

VIVAR_MODULE_ENTRY bool vivar_write_experiment_plot_1(const ExperimentPlotRequest& request, std::string& problem) {
    static_assert(std::is_same_v<decltype(vivar_write_experiment_plot_1), WriteExperimentPlot>);
    if (std::optional<std::string> failed = writeExperimentPlot(request)) {
        problem = std::move(*failed);
        return false;
    }
    return true;
}
