#pragma once

#include <memory>

#include <QString>

#include "film/film_format.h"
#include "film/film_page.h"
#include "film/film_recorder.h"
#include "view/offscreen_view.h"

class OffscreenView;

// The film the window is recording: the generations shown since V, each
// rendered off screen from the view's camera, never read off the screen,
// laid out with a caption and the chart where asked, and encoded on the
// recorder's thread.
struct Filming {
    QString fileName;
    FilmSize size;
    std::unique_ptr<FilmPage> page;
    std::unique_ptr<OffscreenView> view;
    std::unique_ptr<FilmRecorder> recorder;
    ~Filming();
};
