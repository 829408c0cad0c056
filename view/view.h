#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "base/cthread.h"
#include "app/run_session.h"
#include "model/board.h"
#include "model/packed_board.h"
#include "model/rules.h"
#include "platform/window.h"
#include "view/navigator.h"
#include "view/picked_square.h"
#include "view/recorder.h"
#include "view/run_panel.h"
#include "view/square_report.h"

class ExperimentWindow;
class Model;
class SoQtExaminerViewer;
class SoIdleSensor;
class SoSensor;
class Steering;


// The viewer thread: owns the window, the scene and the event loop. Every
// change to the scene happens on this thread.
class View : public CThread {
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    // The push buttons, in the order they are added to the viewer.
    struct Button {
        const char* bitmapFile;
        int commandId;
        const char* name;     // what a screen reader calls it, to be translated
        const char* toolTip;  // what it does, and its key, to be translated
    };
    static constexpr int kPlay = 101;
    static constexpr int kStop = 102;
    static constexpr int kClear = 103;
    static constexpr int kFill = 104;
    static constexpr int kLessGreen = 105;
    static constexpr int kMoreBlue = 106;
    static constexpr int kLessBlue = 107;
    static constexpr int kMoreGreen = 111;  // brightens all three components
    static constexpr std::array<Button, 8> kButtons{{
        {"play.bmp", kPlay, QT_TRANSLATE_NOOP("View", "Play"),
         QT_TRANSLATE_NOOP("View", "Play: run the generations (Space or 1)")},
        {"stop.bmp", kStop, QT_TRANSLATE_NOOP("View", "Stop"),
         QT_TRANSLATE_NOOP("View", "Stop after the generation under way (Space or 2)")},
        {"limpia.bmp", kClear, QT_TRANSLATE_NOOP("View", "Clear"),
         QT_TRANSLATE_NOOP("View", "Clear: empty the board, while stopped (3)")},
        {"llena.bmp", kFill, QT_TRANSLATE_NOOP("View", "Fill"),
         QT_TRANSLATE_NOOP("View", "Fill the board at random, while stopped (4)")},
        {"masVerde.bmp", kMoreGreen, QT_TRANSLATE_NOOP("View", "Lighter"),
         QT_TRANSLATE_NOOP("View", "Lighter: more red, green and blue in the background, while stopped (5)")},
        {"menosVerde.bmp", kLessGreen, QT_TRANSLATE_NOOP("View", "Less green"),
         QT_TRANSLATE_NOOP("View", "Less green in the background, while stopped (6)")},
        {"masAzul.bmp", kMoreBlue, QT_TRANSLATE_NOOP("View", "More blue"),
         QT_TRANSLATE_NOOP("View", "More blue in the background, while stopped (7)")},
        {"menosAzul.bmp", kLessBlue, QT_TRANSLATE_NOOP("View", "Less blue"),
         QT_TRANSLATE_NOOP("View", "Less blue in the background, while stopped (8)")},
    }};
    static constexpr int kButtonBitmapSize = 30;

    // The controls after the eight buttons, which act on the view directly
    // rather than through the window procedure.
    struct Control {
        const char* bitmapFile;
        const char* name;  // what a screen reader calls it
        const char* toolTip;
        const char* keys;  // alternatives separated by "; "
        void (*act)(View& view);
        bool repeats;  // whether a held key goes on acting
    };
    static const std::array<Control, 9> kControls;

    // User messages: close through the binding, show the board, let go of
    // the scene.
    static constexpr unsigned kCloseThroughBinding = platform::kUserMessage;
    static constexpr unsigned kShowBoard = platform::kUserMessage + 1;
    static constexpr unsigned kReleaseScene = platform::kUserMessage + 3;

    View();
    ~View();

    void beforeRun() override;
    // 0 once the window has been closed; 1 when no window could be opened,
    // in which case the model is asked to end as well.
    int run(int argument) override;

    // What the window shows and the user steers beyond the eight buttons;
    // on the view thread. Each reads or changes the board and the run
    // session with a BoardAccess of its own (base/thread_flags.h), but for
    // the next two, which run within their caller's.
    // The generation the model hands off is on the board.
    void generationShown();
    // The session's run is shown anew: its populations, the board's census.
    void runShown();
    void statusChanged();
    void togglePlay();
    void stepOnce();
    [[nodiscard]] RunPanel::Status status() const;

    // Ctrl+S and Ctrl+O: a board file, through the toolkit's dialogs.
    void saveBoard();
    void openBoard();
    void replaceBoard(const std::shared_ptr<Board>& squares, const Rules& rules, const RunSession::Start& start,
                      const QString& notice);
    // Which generation and seeds an opened board's run goes on with.
    [[nodiscard]] static QString continuationNotice(const board_file::RunPlace& place, const RunSession::Start& start);

    // The rules the board runs by: the model's, or the standard ones at the
    // board's size without a model.
    [[nodiscard]] Rules rulesInForce() const;
    // Gives the model the rules, and the board, its torus and the scene
    // their size, letting go of the picked square when the size changes:
    // the board then takes `squares` when they are of that size, and is
    // emptied otherwise. While stopped, within the caller's BoardAccess.
    void bringRules(const Rules& rules, Board* squares = nullptr);
    // R: the rules dialog, while stopped; the next fill or clear brings
    // what it sets.
    void chooseRules();
    // The rules chosen become the session's, once no generation is
    // finishing.
    void keepChosenRules(const Rules& rules);

    // E: the experiment under way or drawn, else the experiment dialog.
    void chooseExperiment();
    // Puts a seeded run of these rules at generation 0, stopped, as
    // vivar-sim --seed makes it.
    void watchRun(const Rules& rules, std::uint64_t seed);
    // The window closes: an experiment under way ends at a row boundary.
    void endExperimentForClose();
    // Whether that close left runs under way, which must end with the
    // process rather than run on while it takes its statics down.
    [[nodiscard]] bool leftRunsUnderWay() const { return leftRunsUnderWay_; }

    // Has the view thread copy the board into the scene, and waits until it
    // has; returns at once when there is no window or its loop has ended.
    // For the model thread's hand-off.
    void showBoard() const;

    // Says once, on the status line and stderr, where a new counts file is.
    void tellNewCountsFile();

    // The window's jobs beyond the eight buttons, each with its own state.
    [[nodiscard]] PickedSquare& picked() { return picked_; }
    [[nodiscard]] Navigator& navigator() { return navigator_; }
    [[nodiscard]] Recorder& recorder() { return recorder_; }

    // What the window is made of, once run() has made it; none before.
    [[nodiscard]] platform::Window window() const { return topLevelWindow.load(); }
    [[nodiscard]] SoQtExaminerViewer* examiner() const { return viewer; }
    [[nodiscard]] RunPanel* runPanel() const { return panel; }

    // The run the window steers, given before the thread starts; without it
    // the window has no status line, chart or controls beyond the eight
    // buttons. The notice is told once the window is up: how a --board run
    // goes on.
    void steer(Steering& pace, RunSession& run, Model* running = nullptr, QString notice = {});
    [[nodiscard]] Steering* runSteering() const { return steering; }
    [[nodiscard]] RunSession* runSession() const { return session; }
    [[nodiscard]] Model* runModel() const { return model; }

private:
    Steering* steering = nullptr;
    RunSession* session = nullptr;
    Model* model = nullptr;
    QString startNotice;
    // Names the viewer's own buttons, and their keys, in their tooltips.
    void explainViewerButtons();
    void makeButtons();
    void makeButton(const char* bitmapFile, int commandId);
    // Tab's order, the board's name and description, and the focus on the
    // board, once the window is up.
    void keyboardAndScreenReaders();
    // The eight buttons, top to bottom, for the order of Tab.
    std::vector<QWidget*> column_;
    // Beside the status line: one generation, slower, faster and the
    // chart; and the keys of all the buttons.
    void makeControls();

    std::atomic<platform::Window> topLevelWindow{nullptr};
    SoQtExaminerViewer* viewer = nullptr;
    RunPanel* panel = nullptr;
    // Schedules the first idle call; fired before the loop ends.
    std::unique_ptr<SoIdleSensor> idle;
    Recorder recorder_{*this};
    Navigator navigator_{*this};
    PickedSquare picked_{*this};
    // Made by the first experiment, and owned by the window as its child.
    ExperimentWindow* experiments_ = nullptr;
    std::atomic<bool> leftRunsUnderWay_{false};
    void setUpExperiment();
};

// The top-level window's procedure: the buttons, the close request, and the
// user messages.
platform::MessageResult viewWindowProc(platform::Window window, unsigned message, platform::WParam wParam,
                                       platform::LParam lParam);

// Says once on stderr that the trace could not be written, if it could not.
void tellTraceFailureOnce();

// Runs once, when the event loop first has nothing to do.
void idleCallback(void* data, SoSensor* sensor);

// The window's procedure before viewWindowProc replaced it.
extern platform::WindowProcedure previousWindowProc;
extern std::atomic<bool> idleFlag;
