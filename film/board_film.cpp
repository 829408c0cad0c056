#include <array>
#include <memory>
#include <vector>

#include <QLocale>

#include "film/board_film.h"
#include "film/board_painter.h"
#include "film/film_page.h"
#include "film/film_writer.h"
#include "film/letters_application.h"

namespace {

// The chart keeps at most this many points, every other one dropped when
// full, as the window's does, so that each frame of a long film costs the
// same.
constexpr std::size_t kChartPoints = 2000;

class PaintedBoardFilm final : public BoardFilm {
public:
    explicit PaintedBoardFilm(const BoardFilmRequest& request)
        : letters_(request.extras == FilmExtras{} ? nullptr : std::make_unique<LettersApplication>()),
          page_(request.size, request.extras, QLocale(QLocale::English, QLocale::UnitedStates)),
          painter_(page_.boardSize(), request.boardWidth, request.boardHeight) {}

    bool open(const BoardFilmRequest& request, std::string& problem) {
        writer_ = FilmWriter::open(request.file, request.kind, request.size, request.rate, problem,
                                   painter_.drawsPictures() ? FilmWriter::Content::kPictures
                                   : page_.boardAlone()     ? FilmWriter::Content::kBoardMap
                                                            : FilmWriter::Content::kBoardMapAmongPictures);
        return writer_ != nullptr;
    }

    std::optional<std::string> add(const Board& squares, const PopulationPoint& shown) override {
        if (page_.boardAlone()) {
            return writer_->add(painter_.paint(squares));
        }
        if (points_.size() == kChartPoints) {
            for (std::size_t i = 1; i < points_.size() / 2; ++i) {
                points_[i] = points_[2 * i];
            }
            points_.resize(points_.size() / 2);
        }
        points_.push_back(shown);
        return writer_->add(page_.compose(painter_.paint(squares), shown, points_));
    }
    FilmEnd finish() override { return writer_->finish(); }
    [[nodiscard]] std::int64_t frames() const override { return writer_->frames(); }
    [[nodiscard]] bool drawsPictures() const override { return painter_.drawsPictures(); }
    [[nodiscard]] int missingPictures() const override { return painter_.missingPictures(); }

private:
    std::unique_ptr<LettersApplication> letters_;
    FilmPage page_;
    BoardPainter painter_;
    std::vector<PopulationPoint> points_;
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
