#include <memory>

#include "film/board_film.h"
#include "film/board_painter.h"
#include "film/film_writer.h"

namespace {

class PaintedBoardFilm final : public BoardFilm {
public:
    explicit PaintedBoardFilm(const BoardFilmRequest& request)
        : painter_(request.size, request.boardWidth, request.boardHeight) {}

    bool open(const BoardFilmRequest& request, std::string& problem) {
        writer_ = FilmWriter::open(request.file, request.kind, request.size, request.rate, problem);
        return writer_ != nullptr;
    }

    std::optional<std::string> add(const Board& squares) override { return writer_->add(painter_.paint(squares)); }
    FilmEnd finish() override { return writer_->finish(); }
    [[nodiscard]] std::int64_t frames() const override { return writer_->frames(); }
    [[nodiscard]] bool drawsPictures() const override { return painter_.drawsPictures(); }
    [[nodiscard]] int missingPictures() const override { return painter_.missingPictures(); }

private:
    BoardPainter painter_;
    std::unique_ptr<FilmWriter> writer_;
};

}  // namespace

std::unique_ptr<BoardFilm> makeBoardFilm(const BoardFilmRequest& request, std::string& problem) {
    auto film = std::make_unique<PaintedBoardFilm>(request);
    if (!film->open(request, problem)) {
        return nullptr;
    }
    return film;
}
