// P and V: a picture of the 3D view, and a film of the generations shown,
// both rendered off screen from the view's camera at a size of their own,
// whatever the window's, with a caption and the population chart where
// asked.

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

constexpr FilmSize kDefaultPictureSize{1920, 1080};
constexpr FilmSize kDefaultFilmSize{1280, 720};
FilmSize pictureSize = kDefaultPictureSize;
FilmSize filmSize = kDefaultFilmSize;
int filmRate = kDefaultFilmRate;
FilmExtras pictureExtras;
FilmExtras filmExtras;

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

void View::savePicture() {
    ExportDialog dialog(topLevelWindow.load(), ExportDialog::Kind::kPicture, tr("Save a picture of the view"),
                        offeredName(user_folders::Kind::kPictures,
                                    QStringLiteral("vivar-generation-%1.png").arg(session != nullptr ? session->generation() : 0)),
                        pictureSize, kDefaultFilmRate, pictureExtras);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    pictureSize = dialog.size();
    pictureExtras = dialog.extras();
    user_folders::remember(user_folders::Kind::kPictures, dialog.fileName());
    savePictureAs(dialog.fileName());
}

void View::savePictureAs(const QString& name) {
    const FilmPage page(pictureSize, pictureExtras, language::numbers());
    std::optional<PageFacts> facts;
    if (!page.boardAlone()) {
        facts = factsOf(session);
        if (!facts) {
            // A generation still finishing: the picture waits for it.
            platform::runLater(topLevelWindow.load(), kBusyRetryMilliseconds, [this, name] { savePictureAs(name); });
            return;
        }
    }
    QImage picture = OffscreenView(*viewer, page.boardSize()).render();
    if (!picture.isNull() && facts) {
        picture = page.compose(picture, facts->shown, facts->points);
    }
    if (picture.isNull()) {
        tellProblem(tr("the picture was not saved: OpenGL could not draw the view off screen at %1x%2")
                        .arg(pictureSize.width)
                        .arg(pictureSize.height));
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
    if (panel != nullptr) {
        panel->notice(tr("The view saved as %1 (%2x%3)").arg(name).arg(pictureSize.width).arg(pictureSize.height));
    }
}

void View::toggleRecording() {
    if (filming) {
        finishFilm();
        return;
    }
    ExportDialog dialog(topLevelWindow.load(), ExportDialog::Kind::kFilm, tr("Record a film of the generations shown"),
                        offeredName(user_folders::Kind::kFilms, QStringLiteral("vivar-film.webm")), filmSize, filmRate, filmExtras);
    if (dialog.exec() != QDialog::Accepted || filming) {
        return;
    }
    filmSize = dialog.size();
    filmRate = dialog.rate();
    filmExtras = dialog.extras();
    const QString name = dialog.fileName();
    user_folders::remember(user_folders::Kind::kFilms, name);
    std::string problem;
    std::unique_ptr<FilmWriter> writer =
        FilmWriter::open(platform::pathFromUtf8(name.toStdString()), dialog.filmKind(), filmSize, filmRate, problem,
                         boardShape != nullptr ? FilmWriter::Content::kBoardMapAmongPictures
                                               : FilmWriter::Content::kPictures,
                         true);
    if (!writer) {
        tellProblem(tr("no film was recorded: %1: %2").arg(name, QString::fromStdString(problem)));
        return;
    }
    auto film = std::make_unique<Filming>();
    film->fileName = name;
    film->size = filmSize;
    film->page = std::make_unique<FilmPage>(filmSize, filmExtras, language::numbers());
    film->view = std::make_unique<OffscreenView>(*viewer, film->page->boardSize());
    film->recorder = std::make_unique<FilmRecorder>(std::move(writer));
    filming = std::move(film);
    // The board shown now is the film's first frame.
    filmGeneration();
    if (panel != nullptr) {
        panel->notice(tr("Recording %1: one frame for each generation shown; V stops").arg(name));
    }
    statusChanged();
}

void View::filmGeneration() {
    if (!filming) {
        return;
    }
    if (const std::optional<std::string> problem = filming->recorder->problem()) {
        finishFilm();
        return;
    }
    std::optional<PageFacts> facts;
    if (!filming->page->boardAlone()) {
        // While the model holds the board, the next generation shown is
        // the next frame.
        facts = factsOf(session);
        if (!facts) {
            return;
        }
    }
    QImage frame = filming->view->render();
    if (frame.isNull()) {
        finishFilm(tr("OpenGL could not draw the view off screen"));
        return;
    }
    if (facts) {
        frame = filming->page->compose(frame, facts->shown, facts->points);
    }
    filming->recorder->add(std::move(frame));
}

void View::finishFilm(const QString& why) {
    if (!filming) {
        return;
    }
    const std::unique_ptr<Filming> film = std::move(filming);
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
    if (panel != nullptr) {
        panel->notice(told);
        statusChanged();
    }
}
