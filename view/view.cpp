// The View's set-up: the window opened on the view thread, the scene handed
// to the viewer, the callbacks that tie them to the View, and the event loop.

#include "view/view.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoSelection.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/sensors/SoIdleSensor.h>
#include <QWidget>

#include "app/steering.h"
#include "base/thread_flags.h"
#include "base/words.h"
#include "model/trace.h"
#include "view/camera.h"
#include "view/language.h"
#include "view/picture_folders.h"
#include "view/run_panel.h"
#include "view/scene.h"
#include "view/square_panel.h"
#include "view/view_parts.h"

View* liveView = nullptr;
std::atomic<bool> idleFlag{false};

namespace {

constexpr const char* kWindowTitle = "vivar";

// The scene's selection follows clicks in the viewer's pick mode; the
// inspector follows the square clicked last.
void squareSelected(void* data, SoPath* path) {
    if (const std::optional<int> square = squareOnPath(path)) {
        static_cast<View*>(data)->picked().pick(square);
    }
}

void squareDeselected(void* data, SoPath* path) {
    auto* view = static_cast<View*>(data);
    if (endsAtBoardShape(path) || squareOnPath(path) == view->picked().square()) {
        view->picked().pick(std::nullopt);
    }
}

// The board drawn as one node stays selected while another of its squares
// is clicked: its square comes with every click, from the latest pick.
void selectionFinished(void* data, SoSelection* selection) {
    if (selection->getNumSelected() == 1 && endsAtBoardShape(selection->getPath(0))) {
        if (const std::optional<int> square = squareOnPath(selection->getPath(0))) {
            static_cast<View*>(data)->picked().pick(square);
        }
    }
}

void frameStarting(void* /*data*/, SoGLRenderAction* /*action*/) {
    if (liveView != nullptr && liveView->runSteering() != nullptr) {
        liveView->runSteering()->frameDrawn();
    }
}

}  // namespace

View::View() { liveView = this; }

void View::steer(Steering& pace, RunSession& run, Model* running, QString notice) {
    steering = &pace;
    session = &run;
    model = running;
    startNotice = std::move(notice);
}

View::~View() {
    stop();
    // Never fired means the view thread's sensor queue still holds it; that
    // queue is not this thread's to touch.
    if (idle != nullptr && idle->isScheduled()) {
        static_cast<void>(idle.release());
    }
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
    platform::followCameraRules(viewer, std::make_shared<const BoardCamera>(kNearestCameraDistance));
    reportMissingPictures();
    explainViewerButtons();
    makeButtons();
    viewer->setPopupMenuEnabled(FALSE);
    SoSelection* scene = buildScene();
    scene->addSelectionCallback(squareSelected, this);
    scene->addDeselectionCallback(squareDeselected, this);
    scene->addFinishCallback(selectionFinished, this);
    viewer->setSceneGraph(scene);
    frameBoard(*viewer);
    viewer->show();
    if (steering != nullptr) {
        panel = new RunPanel(window);
        makeControls();
        // Nothing has run yet: the model waits for play, which needs this
        // window, so the board is free.
        if (const BoardAccess access; access) {
            runShown();
        }
        if (!startNotice.isEmpty()) {
            panel->notice(startNotice);
        }
        viewer->getGLRenderAction()->addPreRenderCallback(frameStarting, nullptr);
    }

    idle = std::make_unique<SoIdleSensor>(idleCallback, this);
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
    keyboardAndScreenReaders();
    tellMissingPictures(window);

    // Under an X server the first frame, drawn the moment the window is
    // exposed, can be lost; one more once the drawable has settled.
    platform::whenExposed(viewer->getGLWidget(), [this] { viewer->scheduleRedraw(); });

    // The model's requests to show the board are served while the loop runs.
    platform::runEventLoop();
    // A film being recorded ends with the window, whole.
    recorder_.finishFilm();
    return 0;
}

void View::keyboardAndScreenReaders() {
    QWidget* boardArea = platform::boardWidget(viewer);
    platform::setAccessibleText(boardArea, tr("Board"), QString());
    std::vector<QWidget*> order{boardArea};
    order.insert(order.end(), column_.begin(), column_.end());
    for (QWidget* button : platform::viewerButtons(viewer)) {
        order.push_back(button);
    }
    if (panel != nullptr) {
        panel->describeBoard(boardArea);
        order.insert(order.end(), panel->controls().begin(), panel->controls().end());
        for (QWidget* widget : picked_.tabOrder()) {
            order.push_back(widget);
        }
        order.push_back(panel->chart());
    }
    platform::setTabOrder(order);
    // The window's keys reach the board, not the first button in the order.
    if (boardArea != nullptr) {
        boardArea->setFocus(Qt::OtherFocusReason);
    }
}

void idleCallback(void* /*data*/, SoSensor* /*sensor*/) {
    trace::print("******************* IDLE*****************\n");
    trace::flush();
    idleFlag = true;
}
