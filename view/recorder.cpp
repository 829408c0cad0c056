// P and V: a picture of the 3D view, and a film of the generations shown,
// both rendered off screen from the view's camera at a size of their own,
// whatever the window's, with a caption and the population chart where
// asked.

#include "view/recorder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "app/population_history.h"
#include "base/thread_flags.h"
#include "film/film_page.h"
#include "film/film_writer.h"
#include "model/board.h"
#include "model/census.h"
#include "platform/output_file.h"
#include "platform/system.h"
#include "platform/window.h"
#include "view/export_dialog.h"
#include "view/filming.h"
#include "view/language.h"
#include "view/offscreen_view.h"
#include "view/run_panel.h"
#include "view/scene.h"
#include "view/user_folders.h"
#include "view/view.h"
#include "view/view_parts.h"

Filming::~Filming() = default;

namespace {

// The name a dialog offers: the default name in the user's folder for the
// kind, or in the one last chosen for it.
QString offeredName(user_folders::Kind kind, const QString& name) {
    return user_folders::inFolder(user_folders::offered(kind), name);
}

PopulationPoint pointOf(std::int64_t generation, const std::array<int, PopulationHistory::kLineCount>& counts) {
    PopulationPoint point{generation, {}};
    std::copy(counts.begin(), counts.end(), point.counts.begin());
    return point;
}

// What a caption and a chart tell: the generation shown and the chart's
// points, as the window's chart has them. Read with the board's access;
// none while the model holds the board.
struct PageFacts {
    PopulationPoint shown;
    std::vector<PopulationPoint> points;
};
std::optional<PageFacts> factsOf(const RunSession* session) {
    const BoardAccess access;
    if (!access || session == nullptr) {
        return std::nullopt;
    }
    const Census census = takeCensus(board);
    PageFacts facts;
    facts.shown = pointOf(session->generation(),
                          {census.lizards[0], census.lizards[1], census.eggs[0], census.eggs[1], census.cats});
    for (const PopulationHistory::Point& point : session->populations().points()) {
        facts.points.push_back(pointOf(point.generation, point.counts));
    }
    return facts;
}

}  // namespace

struct Recorder::Choices {
    static constexpr FilmSize kDefaultPictureSize{1920, 1080};
    static constexpr FilmSize kDefaultFilmSize{1280, 720};

    FilmSize pictureSize = kDefaultPictureSize;
    FilmExtras pictureExtras;
    FilmSize filmSize = kDefaultFilmSize;
    int filmRate = kDefaultFilmRate;
    FilmExtras filmExtras;
};

Recorder::Recorder(View& view) : view_(view), chosen_(std::make_unique<Choices>()) {}

Recorder::~Recorder() = default;

std::optional<std::int64_t> Recorder::framesAdded() const {
    if (!filming_) {
        return std::nullopt;
    }
    return filming_->recorder->framesAdded();
}

void Recorder::savePicture() {
    Choices& chosen = *chosen_;
    const RunSession* session = view_.runSession();
    ExportDialog dialog(view_.window(), ExportDialog::Kind::kPicture, tr("Save a picture of the view"),
                        offeredName(user_folders::Kind::kPictures,
                                    QStringLiteral("vivar-generation-%1.png").arg(session != nullptr ? session->generation() : 0)),
                        chosen.pictureSize, kDefaultFilmRate, chosen.pictureExtras);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    chosen.pictureSize = dialog.size();
    chosen.pictureExtras = dialog.extras();
    user_folders::remember(user_folders::Kind::kPictures, dialog.fileName());
    savePictureAs(dialog.fileName());
}

void Recorder::savePictureAs(const QString& name) {
    const Choices& chosen = *chosen_;
    const FilmPage page(chosen.pictureSize, chosen.pictureExtras, language::numbers());
    std::optional<PageFacts> facts;
    if (!page.boardAlone()) {
        facts = factsOf(view_.runSession());
        if (!facts) {
            // A generation still finishing: the picture waits for it.
            platform::runLater(view_.window(), kBusyRetryMilliseconds, [this, name] { savePictureAs(name); });
            return;
        }
    }
    QImage picture = OffscreenView(*view_.examiner(), page.boardSize()).render();
    if (!picture.isNull() && facts) {
        picture = page.compose(picture, facts->shown, facts->points);
    }
    if (picture.isNull()) {
        tellProblem(tr("the picture was not saved: OpenGL could not draw the view off screen at %1x%2")
                        .arg(chosen.pictureSize.width)
                        .arg(chosen.pictureSize.height));
        return;
    }
    // Written beside the old file and renamed over it once whole; never
    // into a device or a FIFO that the name leads to, which stay as they are.
    platform::OutputFile file;
    const std::filesystem::path path = platform::pathFromUtf8(name.toStdString());
    if (const std::optional<std::string> refused =
            file.open(path, platform::Writing::whole, platform::Streams::no)) {
        tellProblem(tr("the picture was not saved: %1: %2").arg(name, QString::fromStdString(*refused)));
        return;
    }
    QFile written;
    if (!written.open(file.stream(), QIODevice::WriteOnly) || !picture.save(&written, "PNG") || !written.flush()) {
        const QString problem = written.errorString();
        file.abandon();
        tellProblem(tr("the picture was not saved: %1: %2").arg(name, problem));
        return;
    }
    written.close();
    if (const std::optional<std::string> unkept = file.commit()) {
        tellProblem(tr("the picture was not saved: %1: %2").arg(name, QString::fromStdString(*unkept)));
        return;
    }
    if (RunPanel* panel = view_.runPanel(); panel != nullptr) {
        panel->notice(
            tr("The view saved as %1 (%2x%3)").arg(name).arg(chosen.pictureSize.width).arg(chosen.pictureSize.height));
    }
}

void Recorder::toggleRecording() {
    Choices& chosen = *chosen_;
    if (filming_) {
        finishFilm();
        return;
    }
    ExportDialog dialog(view_.window(), ExportDialog::Kind::kFilm, tr("Record a film of the generations shown"),
                        offeredName(user_folders::Kind::kFilms, QStringLiteral("vivar-film.webm")), chosen.filmSize,
                        chosen.filmRate, chosen.filmExtras);
    if (dialog.exec() != QDialog::Accepted || filming_) {
        return;
    }
    chosen.filmSize = dialog.size();
    chosen.filmRate = dialog.rate();
    chosen.filmExtras = dialog.extras();
    const QString name = dialog.fileName();
    user_folders::remember(user_folders::Kind::kFilms, name);
    std::string problem;
    std::unique_ptr<FilmWriter> writer =
        FilmWriter::open(platform::pathFromUtf8(name.toStdString()), dialog.filmKind(), chosen.filmSize, chosen.filmRate,
                         problem,
                         boardShape != nullptr ? FilmWriter::Content::kBoardMapAmongPictures
                                               : FilmWriter::Content::kPictures,
                         true);
    if (!writer) {
        tellProblem(tr("no film was recorded: %1: %2").arg(name, QString::fromStdString(problem)));
        return;
    }
    auto film = std::make_unique<Filming>();
    film->fileName = name;
    film->size = chosen.filmSize;
    film->page = std::make_unique<FilmPage>(chosen.filmSize, chosen.filmExtras, language::numbers());
    film->view = std::make_unique<OffscreenView>(*view_.examiner(), film->page->boardSize());
    film->recorder = std::make_unique<FilmRecorder>(std::move(writer));
    filming_ = std::move(film);
    // The board shown now is the film's first frame.
    filmGeneration();
    if (RunPanel* panel = view_.runPanel(); panel != nullptr) {
        panel->notice(tr("Recording %1: one frame for each generation shown; V stops").arg(name));
    }
    view_.statusChanged();
}

void Recorder::filmGeneration() {
    if (!filming_) {
        return;
    }
    if (const std::optional<std::string> problem = filming_->recorder->problem()) {
        finishFilm();
        return;
    }
    std::optional<PageFacts> facts;
    if (!filming_->page->boardAlone()) {
        // While the model holds the board, the next generation shown is
        // the next frame.
        facts = factsOf(view_.runSession());
        if (!facts) {
            return;
        }
    }
    QImage frame = filming_->view->render();
    if (frame.isNull()) {
        finishFilm(tr("OpenGL could not draw the view off screen"));
        return;
    }
    if (facts) {
        frame = filming_->page->compose(frame, facts->shown, facts->points);
    }
    filming_->recorder->add(std::move(frame));
}

void Recorder::finishFilm(const QString& why) {
    if (!filming_) {
        return;
    }
    const std::unique_ptr<Filming> film = std::move(filming_);
    const FilmEnd end = film->recorder->finish();
    const QString frames = language::number(end.frames);
    QString told;
    if (end.whole() && why.isEmpty()) {
        told = tr("The film %1 is saved: %2 frames").arg(film->fileName, frames);
    } else {
        // The run goes on; only the film ends, finished as far as the disk
        // allowed, and said to be cut.
        const QString problem = end.problem ? QString::fromStdString(*end.problem) : why;
        if (end.removed()) {
            told = tr("The film stopped: %1: %2; no frame reached the file, which is not kept")
                       .arg(film->fileName, problem);
        } else {
            told = tr("The film stopped: %1: %2; it is cut short after %3 frames").arg(film->fileName, problem, frames);
        }
        std::fprintf(stderr, "vivar: %s\n", told.toUtf8().constData());
    }
    if (RunPanel* panel = view_.runPanel(); panel != nullptr) {
        panel->notice(told);
        view_.statusChanged();
    }
}
