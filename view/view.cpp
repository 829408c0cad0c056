#include "view/view.h"

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <cmath>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <Inventor/SoPath.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSelection.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/sensors/SoIdleSensor.h>

#include "app/run_options.h"
#include "app/steering.h"
#include "base/words.h"
#include "behaviour/orientation.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/census.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/system.h"
#include "view/display_update.h"
#include "view/language.h"
#include "view/square_panel.h"
#include "view/picture_folders.h"
#include "view/rules_dialog.h"
#include "view/run_panel.h"
#include "view/scene.h"
#include "view/view_parts.h"

platform::WindowProcedure previousWindowProc = nullptr;
View* liveView = nullptr;
std::atomic<bool> idleFlag{false};

namespace {

// The colour buttons' step, applied in double precision and stored as the
// nearest float; nothing keeps the components within 0..1.
constexpr double kColourStep = 0.3;

// The window opens at a size where the board is comfortable to watch.
constexpr int kWindowWidth = 960;
constexpr int kWindowHeight = 820;
constexpr const char* kWindowTitle = "vivar";


// The viewer's own buttons, top to bottom, and their keys where they have one.
constexpr std::array<const char*, 7> kViewerToolTips{
    QT_TRANSLATE_NOOP("View", "Pick: clicks in the view point at the board instead of turning it (Esc switches)"),
    QT_TRANSLATE_NOOP("View", "View: drag to turn the board, Shift+drag to move it, Ctrl+drag to zoom (Esc switches)"),
    QT_TRANSLATE_NOOP("View", "Home: back to the home view (Home)"),
    QT_TRANSLATE_NOOP("View", "Set home: make this view the home view"),
    QT_TRANSLATE_NOOP("View", "View all: fit the whole board in the view"),
    QT_TRANSLATE_NOOP("View", "Seek: click a point to move towards it (S)"),
    QT_TRANSLATE_NOOP("View", "Projection: switch between perspective and orthographic"),
};

}  // namespace

// The viewer's own framing fits the board's bounding sphere, which leaves
// the square board small in a wide window: start closer, with the board
// filling most of the view, and make that the home position.
constexpr float kBoardMargin = 1.08f;
// The camera comes no nearer to the board than this, in squares: at the
// viewer's height angle of 45 degrees the view is then one square high.
constexpr float kNearestCameraDistance = 1.2f;

bool facesSomewhere(const CellState& cell) {
    return cell.kind == kCat || ((cell.kind == kLizard1 || cell.kind == kLizard2) && cell.juvenile != 1);
}

void frameBoard(SoQtExaminerViewer& viewer) {
    SoCamera* camera = viewer.getCamera();
    if (camera == nullptr || !camera->isOfType(SoPerspectiveCamera::getClassTypeId())) {
        return;
    }
    // Tiles cover x 0..width and y 1 - columns..1.
    const float halfWidth = 0.5f * static_cast<float>(tilesAcross);
    const float halfHeight = 0.5f * static_cast<float>(tilesDown);
    // Before the window is shown its view has no size yet: it opens at ours.
    const QWidget* area = viewer.getGLWidget();
    const float aspect = area != nullptr && area->isVisible() && area->height() > 0
                             ? static_cast<float>(area->width()) / static_cast<float>(area->height())
                             : static_cast<float>(kWindowWidth) / static_cast<float>(kWindowHeight);
    // The height angle spans the view's shorter side; a square board is
    // framed by its side whatever the view's shape.
    const float fit = aspect >= 1.0f ? std::max(halfHeight, halfWidth / aspect) : std::max(halfWidth, halfHeight * aspect);
    const float angle = static_cast<SoPerspectiveCamera*>(camera)->heightAngle.getValue();
    const float distance = kBoardMargin * fit / std::tan(0.5f * angle);
    camera->position.setValue(halfWidth, 1.0f - halfHeight, distance);
    camera->orientation.setValue(SbRotation::identity());
    camera->focalDistance.setValue(distance);
    viewer.saveHomePosition();
}

// The pictures' transparent parts let the plane behind show through. The
// standard board sorts its tiles by distance, as it always has; on a larger
// board that sort draws each tile by a path from the root, in time that
// grows with the square of the tiles. Tiles never overlap one another, so
// drawing them after the plane in board order shows the same picture.
void setTransparency(SoQtExaminerViewer& viewer) {
    viewer.setTransparencyType(tiles.size() <= Rules{}.squareCount()
                                   ? SoGLRenderAction::SORTED_OBJECT_BLEND
                                   : SoGLRenderAction::DELAYED_BLEND);
}

namespace {

float stepped(float component, double step) { return static_cast<float>(component + step); }

// Clear and fill change the board, so they wait for any generation that is
// still being computed or shown.
// Each starts a new run, which Ctrl+Z undoes.
void changeBoardWhenFree(platform::Window window, platform::WParam wParam, RunSession::Change kind,
                         void (*change)()) {
    std::unique_lock generation(generationMutex, std::try_to_lock);
    if (!generation.owns_lock()) {
        platform::postMessage(window, platform::kCommandMessage, wParam, 0, kBusyRetryMilliseconds);
        return;
    }
    const bool steered = liveView != nullptr && liveView->session != nullptr;
    const Board before = steered ? board : Board(0, 0);
    // A fill or a clear brings the rules chosen for it.
    if (steered) {
        liveView->bringRules(liveView->session->chosenRules());
    }
    change();
    doUpdates();
    if (steered) {
        RunSession::Start start;
        start.seed = liveView->session->windowSeed();
        liveView->newRun(kind, before, start);
    }
}

// A fixed seed, when one was asked for, fills the same board every time.
void fill() {
    if (liveView != nullptr && liveView->session != nullptr) {
        liveView->steering->fill(liveView->session->chosenRules());
    } else {
        fillBoard();
    }
}

// The scene's selection follows clicks in the viewer's pick mode; the
// inspector follows the square clicked last.
void squareSelected(void* data, SoPath* path) {
    if (const std::optional<int> square = squareOnPath(path)) {
        static_cast<View*>(data)->pick(square);
    }
}

void squareDeselected(void* data, SoPath* path) {
    auto* view = static_cast<View*>(data);
    if (squareOnPath(path) == view->picked) {
        view->pick(std::nullopt);
    }
}

// The occupants and turns that the inspector's buttons and keys put on the
// picked square.
void put(Occupant occupant) {
    if (liveView != nullptr) {
        liveView->edit([occupant](CellState& cell) { placeOccupant(cell, occupant); });
    }
}

void turn(int steps) {
    if (liveView != nullptr) {
        liveView->edit([steps](CellState& cell) {
            if (facesSomewhere(cell)) {
                cell.direction = turned(cell.direction, steps);
            }
        });
    }
}

void turnLeft() { turn(+1); }
void turnRight() { turn(-1); }
constexpr void (*kTurnLeft)() = turnLeft;
constexpr void (*kTurnRight)() = turnRight;

struct EditKey {
    const char* label;
    const char* toolTip;
    const char* keys;
    void (*act)();
};
const std::array<EditKey, 8> kEdits{{
    {QT_TRANSLATE_NOOP("View", "Empty"), QT_TRANSLATE_NOOP("View", "Make the picked square empty (Delete)"),
     "Del; Backspace", [] { put(Occupant::kNothing); }},
    {QT_TRANSLATE_NOOP("View", "Brown"), QT_TRANSLATE_NOOP("View", "Put a brown lizard on the picked square (B)"), "B",
     [] { put(Occupant::kBrownLizard); }},
    {QT_TRANSLATE_NOOP("View", "Green"), QT_TRANSLATE_NOOP("View", "Put a green lizard on the picked square (G)"), "G",
     [] { put(Occupant::kGreenLizard); }},
    {QT_TRANSLATE_NOOP("View", "Cat"), QT_TRANSLATE_NOOP("View", "Put a cat on the picked square (K)"), "K",
     [] { put(Occupant::kHungryCat); }},
    {QT_TRANSLATE_NOOP("View", "Brown egg"), QT_TRANSLATE_NOOP("View", "Put a brown egg on the picked square (Ctrl+B)"),
     "Ctrl+B", [] { put(Occupant::kBrownEgg); }},
    {QT_TRANSLATE_NOOP("View", "Green egg"), QT_TRANSLATE_NOOP("View", "Put a green egg on the picked square (Ctrl+G)"),
     "Ctrl+G", [] { put(Occupant::kGreenEgg); }},
    {QT_TRANSLATE_NOOP("View", "↺ Left"),
     QT_TRANSLATE_NOOP("View", "Turn the picked creature 45 degrees to its left ([)"), "[", kTurnLeft},
    {QT_TRANSLATE_NOOP("View", "↻ Right"),
     QT_TRANSLATE_NOOP("View", "Turn the picked creature 45 degrees to its right (])"), "]", kTurnRight},
}};

}  // namespace

std::string traceProblem(int error) {
    return View::tr("the trace could not be written to standard output: %1")
        .arg(QString::fromLocal8Bit(std::strerror(error)))
        .toStdString();
}

void tellProblem(const QString& problem) {
    std::fprintf(stderr, "vivar: %s\n", problem.toUtf8().constData());
    if (liveView != nullptr) {
        // On stderr it follows the program's name; in the dialog it is a
        // sentence of its own.
        QString sentence = problem;
        if (!sentence.isEmpty()) {
            sentence[0] = sentence[0].toUpper();
        }
        QMessageBox::warning(liveView->topLevelWindow.load(), QStringLiteral("vivar"), sentence);
    }
}

namespace {

void frameStarting(void* /*data*/, SoGLRenderAction* /*action*/) {
    if (liveView != nullptr && liveView->steering != nullptr) {
        liveView->steering->frameDrawn();
    }
}

void handleCommand(platform::Window window, platform::WParam wParam) {
    if (platform::highWord(wParam) != 0) {
        return;
    }
    const int id = platform::lowWord(wParam);
    if (id < View::kPlay || id > View::kMoreGreen) {
        return;
    }
    switch (id) {
        case View::kPlay:
            // Edits in the past become the run's before it goes on.
            if (liveView != nullptr && !runFlag && !liveView->movingOn()) {
                platform::postMessage(window, platform::kCommandMessage, wParam, 0, kBusyRetryMilliseconds);
                break;
            }
            runFlag = true;
            break;
        case View::kStop:
            runFlag = false;
            break;
        case View::kClear:
            if (!runFlag) {
                changeBoardWhenFree(window, wParam, RunSession::Change::kClear, [] { clearBoard(); });
            }
            break;
        case View::kFill:
            if (!runFlag) {
                changeBoardWhenFree(window, wParam, RunSession::Change::kFill, [] { fill(); });
            }
            break;
        case View::kLessGreen:
            if (!runFlag) {
                backgroundGreen = stepped(backgroundGreen, -kColourStep);
                setBackgroundColor();
            }
            break;
        case View::kMoreBlue:
            if (!runFlag) {
                backgroundBlue = stepped(backgroundBlue, kColourStep);
                setBackgroundColor();
            }
            break;
        case View::kLessBlue:
            if (!runFlag) {
                backgroundBlue = stepped(backgroundBlue, -kColourStep);
                setBackgroundColor();
            }
            break;
        case View::kMoreGreen:
            trace::print("mas verde\n");
            if (!runFlag) {
                trace::print("en el if(%d) mas verde\n", 0);
                backgroundGreen = stepped(backgroundGreen, kColourStep);
                backgroundRed = stepped(backgroundRed, kColourStep);
                backgroundBlue = stepped(backgroundBlue, kColourStep);
                setBackgroundColor();
            }
            break;
        default:  // 108 to 110 belong to no button
            break;
    }
}

}  // namespace

const std::array<View::Control, 7> View::kControls{{
    {"atras.bmp", QT_TRANSLATE_NOOP("View", "One generation back, while stopped (, or Alt+Left)"), ",; Alt+Left",
     [](View& view) { view.goBack(); }, true},
    {"paso.bmp",
     QT_TRANSLATE_NOOP("View", "One generation, then stop; after going back, the next one of the run again (N, . or Alt+Right)"),
     "N; .; Alt+Right", [](View& view) { view.stepOnce(); }, false},
    {"lento.bmp", QT_TRANSLATE_NOOP("View", "Slower: each generation stays longer on screen (-)"), "-",
     [](View& view) {
         view.steering->slower();
         view.statusChanged();
     },
     false},
    {"rapido.bmp", QT_TRANSLATE_NOOP("View", "Faster (+)"), "+; =",
     [](View& view) {
         view.steering->faster();
         view.statusChanged();
     },
     false},
    {"grafica.bmp", QT_TRANSLATE_NOOP("View", "Show or hide the population chart (C)"), "C",
     [](View& view) { view.panel->toggleChart(); }, false},
    {"deshacer.bmp",
     QT_TRANSLATE_NOOP("View", "Undo the latest change to the board: an edit, a fill, a clear, an opened board or new "
                               "rules, while stopped (Ctrl+Z)"),
     "Ctrl+Z", [](View& view) { view.undoOrRedo(true); }, false},
    {"rehacer.bmp", QT_TRANSLATE_NOOP("View", "Redo the change undone last, while stopped (Ctrl+Shift+Z or Ctrl+Y)"),
     "Ctrl+Shift+Z; Ctrl+Y", [](View& view) { view.undoOrRedo(false); }, false},
}};

namespace {

constexpr const char* kRulesToolTip = QT_TRANSLATE_NOOP(
    "View", "Rules: the board's size, the visits and the fill's shares that the next fill or clear brings (R)");

}  // namespace

View::View() { liveView = this; }

View::~View() {
    stop();
    if (liveView == this) {
        liveView = nullptr;
    }
}

void View::beforeRun() {
    trace::print("view creada\n");
    trace::print("vista valore de corre = %d\n", runFlag ? 1 : 0);
    trace::print("vista  valore de &corre = %" PRIdPTR "\n", reinterpret_cast<std::intptr_t>(&runFlag));
    trace::flush();
}

int View::run(int /*argument*/) {
    topLevelWindow = platform::initWindowBinding("vivarVrml", "vivarClass");
    platform::Window window = topLevelWindow;
    if (window == nullptr) {
        // No application, so no translators in it: the command line's
        // translation says it.
        const std::string line =
            words::translate("View", "vivar: could not open the viewer window: no display could be opened");
        std::fprintf(stderr, "%s\n", line.c_str());
        // Without a window nothing would ever ask the model to end.
        quitFlag = true;
        if (steering != nullptr) {
            steering->wake();
        }
        return 1;
    }

    language::installInApplication();
    previousWindowProc = platform::windowProcedure(platform::topLevelWindow());
    platform::setWindowProcedure(platform::topLevelWindow(), viewWindowProc);

    viewer = platform::createExaminerViewer(window);
    viewer->setTitle(kWindowTitle);
    platform::keepCameraInFront(viewer, kNearestCameraDistance);
    reportMissingPictures();
    const std::vector<QWidget*> viewerButtons = platform::viewerButtons(viewer);
    for (std::size_t i = 0; i < viewerButtons.size() && i < kViewerToolTips.size(); ++i) {
        platform::setToolTip(viewerButtons[i], tr(kViewerToolTips[i]));
    }
    makeButtons();
    viewer->setPopupMenuEnabled(FALSE);
    SoSelection* scene = buildScene();
    scene->addSelectionCallback(squareSelected, this);
    scene->addDeselectionCallback(squareDeselected, this);
    viewer->setSceneGraph(scene);
    frameBoard(*viewer);
    viewer->show();
    if (steering != nullptr) {
        panel = new RunPanel(window);
        makeControls();
        runShown();
        if (!startNotice.isEmpty()) {
            panel->notice(startNotice);
        }
        viewer->getGLRenderAction()->addPreRenderCallback(frameStarting, nullptr);
    }

    // Kept for the life of the process, as everything made at start-up is.
    static SoIdleSensor* idle = nullptr;
    idle = new SoIdleSensor(idleCallback, this);
    idle->schedule();

    // The viewer keeps its size; the chart and the status line come on top.
    if (panel != nullptr) {
        const int width = kWindowWidth + RunPanel::kWidth;
        panel->setSideWidth(platform::setWindowSize(window, kWindowWidth, kWindowHeight + panel->bottomRowHeight(width),
                                                    RunPanel::kNarrowestWidth, RunPanel::kWidth));
    } else {
        platform::setWindowSize(window, kWindowWidth, kWindowHeight);
    }
    platform::show(window);
    setTransparency(*viewer);
    platform::show(window);
    tellMissingPictures(window);

    // Under an X server the first frame, drawn the moment the window is
    // exposed, can be lost; one more once the drawable has settled.
    platform::whenExposed(viewer->getGLWidget(), [this] { viewer->scheduleRedraw(); });

    // The model's requests to show the board are served while the loop runs.
    platform::runEventLoop();
    return 0;
}

void View::makeButtons() {
    for (const Button& button : kButtons) {
        makeButton(button.bitmapFile, button.commandId);
    }
}

void View::makeButton(const char* bitmapFile, int commandId) {
    // A missing bitmap gives a button without a picture that still works.
    const platform::Bitmap bitmap =
        platform::loadBitmap(picturePath(bitmapFile), kButtonBitmapSize, kButtonBitmapSize);
    QWidget* button = platform::createPushButton(topLevelWindow, commandId);
    platform::setButtonBitmap(button, bitmap);
    for (const Button& known : kButtons) {
        if (known.commandId == commandId) {
            platform::setToolTip(button, tr(known.toolTip));
        }
    }
    viewer->addAppPushButton(button);
}

void View::makeControls() {
    const platform::Window window = topLevelWindow;
    for (const Control& control : kControls) {
        const platform::Bitmap bitmap =
            platform::loadBitmap(picturePath(control.bitmapFile), kButtonBitmapSize, kButtonBitmapSize);
        QWidget* button = platform::createControlButton(window, [this, &control] { control.act(*this); });
        platform::setButtonBitmap(button, bitmap);
        platform::setToolTip(button, tr(control.toolTip));
        panel->addControl(button);
    }
    for (const Control& control : kControls) {
        platform::addShortcut(window, control.keys, [this, &control] { control.act(*this); }, control.repeats);
    }
    auto* rules = static_cast<QPushButton*>(platform::createControlButton(window, [this] { chooseRules(); }));
    rules->setText(tr("Rules…"));
    platform::setToolTip(rules, tr(kRulesToolTip));
    panel->addControl(rules);
    platform::addShortcut(window, "R", [this] { chooseRules(); });
    platform::addShortcut(window, "Space", [this] { togglePlay(); });
    platform::addQuitShortcut(window);
    platform::addShortcut(window, "Ctrl+S", [this] { saveBoard(); });
    platform::addShortcut(window, "Ctrl+O", [this] { openBoard(); });
    panel->whenChartClicked([this](std::int64_t generation) { goTo(generation); });

    std::vector<Inspector::Edit> edits;
    for (const EditKey& edit : kEdits) {
        edits.push_back({tr(edit.label), tr(edit.toolTip), edit.act, edit.act == kTurnLeft || edit.act == kTurnRight});
        platform::addShortcut(window, edit.keys, edit.act);
    }
    inspector = std::make_unique<Inspector>(window, edits, RunPanel::kNarrowestWidth);
    panel->addInspector(inspector->widget());
    // Esc also switches the viewer between picking and turning.
    platform::whenEscapePressed(viewer, [] {
        if (selectionRoot != nullptr) {
            selectionRoot->deselectAll();
        }
        if (liveView != nullptr) {
            liveView->pick(std::nullopt);
        }
    });
    // The digits press the eight buttons, as a click would.
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const std::string key = std::to_string(i + 1);
        const int id = kButtons[i].commandId;
        platform::addShortcut(window, key.c_str(), [window, id] {
            platform::sendMessage(window, platform::kCommandMessage, platform::commandParameter(id), 0);
        });
    }
}

void View::showBoard() const { platform::sendMessage(topLevelWindow.load(), kShowBoard, 0, 0); }

platform::MessageResult viewWindowProc(platform::Window window, unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) {
    platform::MessageResult result = 0;
    switch (message) {
        case platform::kCloseMessage:
            // The window goes at once, and the model's pause with it: only
            // the generation under way, or the one more after a close while
            // stopped, is left to finish.
            platform::hide(window);
            platform::exitEventLoop();
            quitFlag = true;
            if (liveView != nullptr && liveView->steering != nullptr) {
                liveView->steering->wake();
            }
            break;
        case platform::kCommandMessage:
            // A click or key that the event loop still delivers after the
            // close does nothing.
            if (quitFlag) {
                break;
            }
            handleCommand(window, wParam);
            if (liveView != nullptr && liveView->steering != nullptr && platform::highWord(wParam) == 0) {
                if (platform::lowWord(wParam) == View::kPlay) {
                    liveView->steering->cancelStep();
                }
                liveView->statusChanged();
            }
            break;
        case View::kCloseThroughBinding:
            result = platform::callWindowProcedure(previousWindowProc, window, platform::kCloseMessage, wParam, lParam);
            break;
        case View::kShowBoard:
            doUpdates();
            if (liveView != nullptr) {
                liveView->generationShown();
            }
            break;
        case View::kReleaseScene:
            // Only the live View may be named: the parameter is not trusted
            // as a pointer otherwise.
            if (liveView != nullptr && wParam == reinterpret_cast<platform::WParam>(liveView) && tileRoot != nullptr) {
                platform::hide(liveView->topLevelWindow.load());
                tileRoot->unref();
                tileRoot = nullptr;
            }
            break;
        default:
            result = platform::callWindowProcedure(previousWindowProc, window, message, wParam, lParam);
            break;
    }
    // Whatever a message printed reaches the console now, not at the next
    // generation.
    trace::flush();
    return result;
}

void tellTraceFailureOnce() {
    static std::atomic<bool> told{false};
    if (const int error = trace::failure(); error != 0 && !told.exchange(true)) {
        std::fprintf(stderr, "vivar: %s\n", traceProblem(error).c_str());
    }
}

void idleCallback(void* /*data*/, SoSensor* /*sensor*/) {
    trace::print("******************* IDLE*****************\n");
    trace::flush();
    idleFlag = true;
}
