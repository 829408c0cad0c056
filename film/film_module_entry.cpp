// The films module's entry point, which vivar-sim looks up by name.

#include <type_traits>

#include "film/board_film.h"
#include "film/film_writer.h"
#include "platform/module.h"

VIVAR_MODULE_ENTRY BoardFilm* vivar_open_board_film_2(const BoardFilmRequest& request, std::string& problem) {
    static_assert(std::is_same_v<decltype(vivar_open_board_film_2), OpenBoardFilm>);
    return makeBoardFilm(request, problem).release();
}
