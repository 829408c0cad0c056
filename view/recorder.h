#pragma once

// P and V from the window's side: the picture of the view and the film of
// the generations shown, with the size, pace and extras their dialogs chose
// last, which the next dialog offers again.

#include <cstdint>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QString>

class View;
struct Filming;

class Recorder {
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    explicit Recorder(View& view);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // P: a picture of the view, through a dialog for its file and size.
    void savePicture();
    // Saves it, once the board can be read for its caption and chart.
    void savePictureAs(const QString& name);
    // V: starts a film of the generations shown, through a dialog for its
    // file, size and pace, or ends the one being recorded.
    void toggleRecording();
    // The board shown becomes the film's next frame, while one is recorded;
    // within the model's hand-off, after the scene shows the generation.
    void filmGeneration();
    // Ends the film, saying so; with `why`, or the encoder's failure (a full
    // disk), as a film that stopped, while the run goes on.
    void finishFilm(const QString& why = {});
    // The frames of the film being recorded, while one is.
    [[nodiscard]] std::optional<std::int64_t> framesAdded() const;

private:
    // What the dialogs chose last, which they offer again.
    struct Choices;

    View& view_;
    std::unique_ptr<Choices> chosen_;
    std::unique_ptr<Filming> filming_;
};
