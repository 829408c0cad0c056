#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "base/cthread.h"
#include "app/run_session.h"
#include "model/board.h"
#include "model/packed_board.h"
#include "model/rules.h"
#include "platform/window.h"
#include "view/run_panel.h"
#include "view/square_report.h"

class Inspector;
class Model;
struct Filming;
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
        {"play.bmp", kPlay, QT_TRANSLATE_NOOP("View", "Play: run the generations (Space or 1)")},
        {"stop.bmp", kStop, QT_TRANSLATE_NOOP("View", "Stop after the generation under way (Space or 2)")},
        {"limpia.bmp", kClear, QT_TRANSLATE_NOOP("View", "Clear: empty the board, while stopped (3)")},
        {"llena.bmp", kFill, QT_TRANSLATE_NOOP("View", "Fill the board at random, while stopped (4)")},
        {"masVerde.bmp", kMoreGreen, QT_TRANSLATE_NOOP("View", "Lighter: more red, green and blue in the background, while stopped (5)")},
        {"menosVerde.bmp", kLessGreen, QT_TRANSLATE_NOOP("View", "Less green in the background, while stopped (6)")},
        {"masAzul.bmp", kMoreBlue, QT_TRANSLATE_NOOP("View", "More blue in the background, while stopped (7)")},
        {"menosAzul.bmp", kLessBlue, QT_TRANSLATE_NOOP("View", "Less blue in the background, while stopped (8)")},
    }};
    static constexpr int kButtonBitmapSize = 30;

    // The controls after the eight buttons, which act on the view directly
    // rather than through the window procedure.
    struct Control {
        const char* bitmapFile;
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

    // Names the viewer's own buttons, and their keys, in their tooltips.
    void explainViewerButtons();
    void makeButtons();
    void makeButton(const char* bitmapFile, int commandId);
    // Beside the status line: one generation, slower, faster and the
    // chart; and the keys of all the buttons.
    void makeControls();

    // What the window shows and the user steers beyond the eight buttons;
    // on the view thread. Each reads or changes the board and the run
    // session with a BoardAccess of its own (base/thread_flags.h), but for
    // the next three, which run within their caller's.
    // The generation the model hands off is on the board.
    void generationShown();
    // The board shown is now `before`'s successor: a new run starts on it,
    // which Ctrl+Z undoes.
    void newRun(RunSession::Change change, PackedBoard before, const RunSession::Start& start,
                const QString& notice = {});
    // The session's run is shown anew: its populations, the board's census.
    void runShown();
    void statusChanged();
    void togglePlay();
    void stepOnce();
    // While stopped: the board as it was at an earlier generation of the
    // run, or at a later one that the history holds, rebuilt exactly. Play
    // and step go on from there, through the same generations again.
    void goTo(std::int64_t generation);
    void goBack();
    [[nodiscard]] RunPanel::Status status() const;

    // The picked square: the board marks it, the inspector tells about it
    // and the model keeps its creature's turns.
    void pick(std::optional<int> square);
    // Before a generation is computed by play or step: edits in the past
    // become the run's. False when a generation is still finishing, and the
    // run must not start yet.
    bool movingOn();
    // Ctrl+Z and Ctrl+Shift+Z, while stopped.
    void undoOrRedo(bool undoing);
    // Retells the picked square; not while a generation is being computed,
    // which is told once it is shown.
    void inspect();
    // Changes the picked square while stopped.
    void edit(const std::function<void(CellState&)>& change);
    // Ctrl+S and Ctrl+O: a board file, through the toolkit's dialogs.
    void saveBoard();
    void openBoard();
    void replaceBoard(const std::shared_ptr<Board>& squares, const Rules& rules, const RunSession::Start& start,
                      const QString& notice);
    // Which generation and seeds an opened board's run goes on with.
    [[nodiscard]] static QString continuationNotice(const board_file::RunPlace& place, const RunSession::Start& start);
    // Told once the window is up: how the --board run goes on.
    QString startNotice;

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

    // Has the view thread copy the board into the scene, and waits until it
    // has; returns at once when there is no window or its loop has ended.
    // For the model thread's hand-off.
    void showBoard() const;

    // Says once, on the status line and stderr, where a new counts file is.
    void tellNewCountsFile();

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
    std::unique_ptr<Filming> filming;

    std::atomic<platform::Window> topLevelWindow{nullptr};
    SoQtExaminerViewer* viewer = nullptr;
    // Set before the thread starts; without them the window has no status
    // line, chart or controls beyond the eight buttons.
    Steering* steering = nullptr;
    RunSession* session = nullptr;
    RunPanel* panel = nullptr;
    // Schedules the first idle call; fired before the loop ends.
    std::unique_ptr<SoIdleSensor> idle;
    // Set before the thread starts, with steering.
    Model* model = nullptr;
    // Its widgets belong to the window; this is the rest of it.
    std::unique_ptr<Inspector> inspector;
    std::optional<int> picked;
    // Whether the model's watched turn belongs to the board as shown.
    bool turnFresh = false;
    // An egg laid on the picked square since it was picked, a mating of
    // its lizard, and what became of the creature followed to it.
    std::optional<EggOrigin> eggOrigin;
    std::optional<MatingOrigin> matingOrigin;
    std::optional<FollowedFate> followedFate;
    // F or the inspector's check box: the picked square moves with its
    // creature, generation by generation, until a cat catches it.
    bool following = false;
    void toggleFollowing();
    // Each generation shown, however seldom the square is retold: keeps
    // what the model's turn for the picked square tells of later ones, and
    // moves the square with the creature followed.
    void watchedTurnShown();
    // The picked square's turn in the generation gone back to, replayed.
    std::optional<Model::WatchedTurn> pastTurn;
    // The board changed other than by a generation: no turn told belongs to
    // it any more.
    void forgetTurn();
    QElapsedTimer sinceInspected;
    bool inspectPending = false;
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
