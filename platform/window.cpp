#include "platform/window.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <string>
#include <utility>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/events/SoEvent.h>
#include <Inventor/events/SoKeyboardEvent.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <QApplication>
#include <QCoreApplication>
#include <QGridLayout>
#include <QShortcut>
#include <QEvent>
#include <QIcon>
#include <QScreen>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include "platform/display.h"
#include "platform/fonts.h"

namespace platform {
namespace {

struct PendingMessage {
    unsigned message;
    WParam wParam;
    LParam lParam;
    MessageResult result = 0;
    bool handled = false;
};

struct Binding {
    std::mutex mutex;
    std::condition_variable handled;
    bool loopRunning = false;
    std::thread::id windowThread;
    std::map<Window, WindowProcedure> procedures;
    // Messages from other threads wait here; a Qt event only wakes the
    // window's thread, so everything shared passes under our own mutex.
    std::deque<std::pair<Window, std::shared_ptr<PendingMessage>>> queue;
    QEvent::Type messageEvent = QEvent::None;
};

Binding& binding() {
    static Binding instance;
    return instance;
}


MessageResult dispatch(Window window, unsigned message, WParam wParam, LParam lParam) {
    return callWindowProcedure(windowProcedure(window), window, message, wParam, lParam);
}

MessageResult defaultWindowProcedure(Window window, unsigned message, WParam /*wParam*/, LParam /*lParam*/) {
    if (message == kCloseMessage) {
        hide(window);
        exitEventLoop();
    }
    return 0;
}

// Qt hands a posted event from the posting thread to the window's thread
// through synchronisation of its own, which ThreadSanitizer cannot see; tell
// it about that hand-off so that it checks everything else.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
void handingOver(QEvent* event) { __tsan_release(event); }
void takingOver(QEvent* event) { __tsan_acquire(event); }
#else
void handingOver(QEvent* /*event*/) {}
void takingOver(QEvent* /*event*/) {}
#endif

void deliverQueuedMessages() {
    Binding& b = binding();
    std::unique_lock lock(b.mutex);
    while (!b.queue.empty()) {
        auto [window, pending] = std::move(b.queue.front());
        b.queue.pop_front();
        lock.unlock();
        const MessageResult result = dispatch(window, pending->message, pending->wParam, pending->lParam);
        lock.lock();
        pending->result = result;
        pending->handled = true;
        b.handled.notify_all();
    }
}

// Turns the window's close requests and queued messages into calls of its
// procedure, on the window's thread.
class MessageFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        takingOver(event);
        auto* window = static_cast<Window>(watched);
        if (event->type() == QEvent::Close) {
            // Only the procedure decides whether the window goes.
            event->ignore();
            dispatch(window, kCloseMessage, 0, 0);
            return true;
        }
        if (event->type() == binding().messageEvent) {
            deliverQueuedMessages();
            return true;
        }
        return false;
    }
};

// A render right after the expose can still be lost; these come later.
constexpr std::array<int, 2> kSettleMilliseconds{50, 400};

class ExposeWatcher : public QObject {
public:
    ExposeWatcher(QWidget* widget, std::function<void()> task) : QObject(widget), widget_(widget), task_(std::move(task)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            // The X server may make the GL drawable usable a little after
            // it reports the window exposed; a render before that is lost.
            for (int delay : kSettleMilliseconds) {
                runLater(widget_, delay, task_);
            }
        }
        return false;
    }

private:
    QWidget* widget_;
    std::function<void()> task_;
};

// SoQt 1.6 gives its render area the viewport's size in device pixels, which
// is right for OpenGL, but then also sizes the GL widget with those numbers
// as if they were Qt's logical pixels. At a device pixel ratio of 2 the
// widget grows to twice its area and the board lies off-screen: a black
// view. The widget is put back to fill its area; SoQt then sees the same
// device size again and leaves it.
class DevicePixelViewer : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Resize && widget->parentWidget() != nullptr &&
            widget->size() != widget->parentWidget()->size()) {
            QTimer::singleShot(0, widget, [widget] { widget->setGeometry(widget->parentWidget()->rect()); });
        }
        return false;
    }
};

// The examiner viewer, drawn and steered in the screen's own pixels whatever
// the scale factor. SoQt 1.6 sizes its viewport with Qt 5's whole-number
// device pixel ratio: at 125 % that is 1, and the board is drawn in a
// corner of the larger framebuffer. At a fractional ratio the viewport
// gets the framebuffer's real size, as QGLWidget gives it to resizeGL, and
// every event the pixel it points at; at a whole-number ratio SoQt is left
// to its own sizes.
class ExaminerViewer : public SoQtExaminerViewer {
public:
    explicit ExaminerViewer(QWidget* parent)
        : SoQtExaminerViewer(parent, nullptr, TRUE, SoQtFullViewer::BUILD_ALL, SoQtViewer::BROWSER),
          // Built by now, and the only push buttons until the application's
          // own are added.
          viewerButtons_(getBaseWidget()->findChildren<QPushButton*>()),
          cameraSensor_(cameraMoved, this) {
        nameWheels();
    }

    // The viewer names its right wheel anew when the projection changes,
    // which brings a camera of the other kind.
    void setCamera(SoCamera* camera) override {
        SoQtExaminerViewer::setCamera(camera);
        nameWheels();
        watchCamera();
    }

    void keepInFront(float least) {
        least_ = least;
        watchCamera();
    }

    // Nearer by the factor's share of the distance, or farther.
    void zoomBy(float factor) {
        SoCamera* camera = getCamera();
        if (camera == nullptr) {
            return;
        }
        if (camera->isOfType(SoOrthographicCamera::getClassTypeId())) {
            auto* orthographic = static_cast<SoOrthographicCamera*>(camera);
            const float height = orthographic->height.getValue();
            orthographic->height.setValue(keptHeight(height, height * factor));
            return;
        }
        place(*camera, kept(placeOf(*camera), dollied(placeOf(*camera), factor)));
    }

protected:
    void sizeChanged(const SbVec2s& size) override {
        QWidget* glWidget = getGLWidget();
        if (fraction() == 1.0 || glWidget == nullptr || glWidget->parentWidget() == nullptr) {
            SoQtExaminerViewer::sizeChanged(size);
            return;
        }
        // The area the GL widget fills, in the framebuffer's pixels, in
        // the units that SoQt multiplies by its whole-number ratio.
        const QSize area = glWidget->parentWidget()->size();
        const qreal ratio = windowRatio();
        const int whole = wholeRatio();
        const auto width = static_cast<short>(static_cast<int>(area.width() * ratio) / whole);
        const auto height = static_cast<short>(static_cast<int>(area.height() * ratio) / whole);
        // Past the full viewer's decorations, which the area leaves out.
        SoQtRenderArea::sizeChanged(SbVec2s(std::max<short>(width, 1), std::max<short>(height, 1)));
    }

    SbBool processSoEvent(const SoEvent* const event) override {
        if (onEscape && SoKeyboardEvent::isKeyPressEvent(event, SoKeyboardEvent::ESCAPE)) {
            onEscape();
        }
        const double by = fraction();
        if (by != 1.0) {
            // SoQt's own event, made for this call: placing it is ours.
            const_cast<SoEvent*>(event)->setPosition(viewPixelUnderPointer(event->getPosition(), getGLSize()[1], by));
        }
        // SoQt pans on Ctrl+drag, as on Shift+drag, and zooms on
        // Ctrl+Shift+drag; the view's tooltip promises a zoom on Ctrl+drag.
        if (isViewing() && event->wasCtrlDown() &&
            (event->isOfType(SoMouseButtonEvent::getClassTypeId()) ||
             event->isOfType(SoLocation2Event::getClassTypeId()))) {
            const_cast<SoEvent*>(event)->setShiftDown(TRUE);
        }
        SoCamera* camera = getCamera();
        if (camera == nullptr || !isViewing() || !event->isOfType(SoLocation2Event::getClassTypeId())) {
            return SoQtExaminerViewer::processSoEvent(event);
        }
        const CameraPlace before = placeOf(*camera);
        const float heightBefore = orthographicHeight(*camera);
        const SbBool handled = SoQtExaminerViewer::processSoEvent(event);
        if (getCamera() == camera) {
            softenDragZoom(*camera, before, heightBefore);
        }
        return handled;
    }

public:
    std::function<void()> onEscape;

    // The viewer's own buttons down its right side, top to bottom.
    [[nodiscard]] std::vector<QWidget*> viewerButtons() const {
        return {viewerButtons_.begin(), viewerButtons_.end()};
    }

private:
    // SoQt's drag zoom goes by e to the power of 20 times the share of the
    // view's height dragged over: a drag over a tenth of the view went seven
    // times nearer. A drag over the whole height now zooms four times.
    static constexpr float kSoQtDragZoomRate = 20.0f;
    static constexpr float kDragZoomOverViewHeight = 4.0f;

    [[nodiscard]] static CameraPlace placeOf(const SoCamera& camera) {
        return {camera.position.getValue(), camera.orientation.getValue(), camera.focalDistance.getValue()};
    }
    static void place(SoCamera& camera, const CameraPlace& where) {
        camera.position.setValue(where.position);
        camera.orientation.setValue(where.orientation);
        camera.focalDistance.setValue(where.focalDistance);
    }
    [[nodiscard]] static float orthographicHeight(const SoCamera& camera) {
        return camera.isOfType(SoOrthographicCamera::getClassTypeId())
                   ? static_cast<const SoOrthographicCamera&>(camera).height.getValue()
                   : 0.0f;
    }
    [[nodiscard]] CameraPlace kept(const CameraPlace& before, const CameraPlace& after) const {
        return least_ ? keptInFront(before, after, *least_) : after;
    }
    // An orthographic view zooms in no further than a perspective one: to
    // the height that the perspective camera's angle of 45 degrees spans at
    // the least distance.
    [[nodiscard]] float keptHeight(float before, float after) const {
        if (!least_) {
            return after;
        }
        constexpr float kTanHalfHeightAngle = 0.41421356f;  // tan(22.5 degrees)
        return std::max(after, std::min(before, 2.0f * *least_ * kTanHalfHeightAngle));
    }

    // A zoom that SoQt made on a drag, made again by a smaller power.
    void softenDragZoom(SoCamera& camera, const CameraPlace& before, float heightBefore) {
        const float gentler = std::log(kDragZoomOverViewHeight) / kSoQtDragZoomRate;
        if (camera.isOfType(SoOrthographicCamera::getClassTypeId())) {
            auto& orthographic = static_cast<SoOrthographicCamera&>(camera);
            const float height = orthographic.height.getValue();
            if (heightBefore > 0.0f && height != heightBefore) {
                orthographic.height.setValue(
                    keptHeight(heightBefore, heightBefore * std::pow(height / heightBefore, gentler)));
            }
            return;
        }
        const CameraPlace after = placeOf(camera);
        if (after.orientation == before.orientation && after.focalDistance != before.focalDistance &&
            before.focalDistance > 0.0f && after.focalDistance > 0.0f) {
            place(camera, kept(before, dollied(before, std::pow(after.focalDistance / before.focalDistance, gentler))));
        }
    }

    // Every change of the camera, by the viewer, a seek or the program,
    // is looked at before the next frame is drawn.
    void watchCamera() {
        cameraSensor_.detach();
        SoCamera* camera = getCamera();
        if (!least_ || camera == nullptr) {
            return;
        }
        held_ = placeOf(*camera);
        cameraSensor_.attach(camera);
        holdInFront();
    }
    static void cameraMoved(void* data, SoSensor* /*sensor*/) { static_cast<ExaminerViewer*>(data)->holdInFront(); }
    void holdInFront() {
        SoCamera* camera = getCamera();
        if (camera == nullptr || !least_) {
            return;
        }
        const CameraPlace now = placeOf(*camera);
        held_ = keptInFront(held_, now, *least_);
        if (!(held_ == now)) {
            // A spin would only run into the board again.
            if (isAnimating()) {
                stopAnimating();
            }
            place(*camera, held_);
        }
    }

    // The wheels' labels in the user's language.
    void nameWheels() {
        static constexpr std::array<const char*, 2> kRightWheel{QT_TRANSLATE_NOOP("ExaminerViewer", "Dolly"),
                                                                QT_TRANSLATE_NOOP("ExaminerViewer", "Zoom")};
        const auto translated = [](const char* name) {
            return QCoreApplication::translate("ExaminerViewer", name).toUtf8();
        };
        setLeftWheelString(translated(QT_TRANSLATE_NOOP("ExaminerViewer", "RotX")).constData());
        setBottomWheelString(translated(QT_TRANSLATE_NOOP("ExaminerViewer", "RotY")).constData());
        // A copy: setting the label frees the viewer's own.
        const std::string right = getRightWheelString() != nullptr ? getRightWheelString() : "";
        for (const char* name : kRightWheel) {
            if (right == name) {
                setRightWheelString(translated(name).constData());
            }
        }
    }

    // The ratio QGLWidget gives resizeGL: its window's.
    [[nodiscard]] qreal windowRatio() const {
        const QWidget* glWidget = getGLWidget();
        const QWindow* handle = glWidget != nullptr ? glWidget->window()->windowHandle() : nullptr;
        return handle != nullptr ? handle->devicePixelRatio() : 1.0;
    }
    // The ratio SoQt goes by.
    [[nodiscard]] int wholeRatio() const {
        const QWidget* glWidget = getGLWidget();
        return glWidget != nullptr ? std::max(1, glWidget->devicePixelRatio()) : 1;
    }
    [[nodiscard]] double fraction() const { return static_cast<double>(windowRatio()) / wholeRatio(); }

    QList<QPushButton*> viewerButtons_;
    std::optional<float> least_;
    CameraPlace held_;  // the camera's latest place in front of the board
    SoNodeSensor cameraSensor_;
};

// The mouse wheel zooms in both of the viewer's modes, by the notches
// turned; SoQt's own wheel zoom works only while turning the board, and
// zooms out on a notch away from the user.
class WheelZoom : public QObject {
public:
    WheelZoom(QWidget* glWidget, ExaminerViewer* viewer) : QObject(glWidget), viewer_(viewer) {}

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::Wheel) {
            return false;
        }
        // An eighth of a degree each; a notch of most wheels is 15 degrees.
        // Fine-grained wheels and touchpads send parts of a notch.
        constexpr double kNotch = 120.0;
        const double notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / kNotch;
        if (notches != 0.0) {
            viewer_->zoomBy(static_cast<float>(std::pow(1.0 - kWheelNotchNearer, notches)));
        }
        return true;
    }

private:
    ExaminerViewer* viewer_;
};

}  // namespace

CameraPlace dollied(const CameraPlace& camera, float factor) {
    SbVec3f ahead;
    camera.orientation.multVec(SbVec3f(0.0f, 0.0f, -1.0f), ahead);
    const SbVec3f lookedAt = camera.position + ahead * camera.focalDistance;
    CameraPlace moved = camera;
    moved.focalDistance = camera.focalDistance * factor;
    moved.position = lookedAt - ahead * moved.focalDistance;
    return moved;
}

CameraPlace keptInFront(const CameraPlace& before, const CameraPlace& after, float least) {
    // Rounding leaves a camera put at the least distance a hair short of it.
    constexpr float kSlack = 1e-4f;
    // A turn backs away along its line of sight only while it looks down at
    // least this steeply: looking along the board, it would back away
    // without end.
    constexpr float kSteepestBackAway = 0.17f;  // about 10 degrees below level
    const auto inFront = [least](const CameraPlace& camera) { return camera.position[2] >= least - kSlack; };
    if (inFront(after)) {
        return after;
    }
    if (after.orientation == before.orientation && inFront(before)) {
        const float share = (before.position[2] - least) / (before.position[2] - after.position[2]);
        CameraPlace stopped = before;
        stopped.position = before.position + (after.position - before.position) * share;
        stopped.position[2] = least;
        stopped.focalDistance = before.focalDistance + (after.focalDistance - before.focalDistance) * share;
        return stopped;
    }
    SbVec3f ahead;
    after.orientation.multVec(SbVec3f(0.0f, 0.0f, -1.0f), ahead);
    if (-ahead[2] >= kSteepestBackAway) {
        const float back = (least - after.position[2]) / -ahead[2];
        CameraPlace backed = after;
        backed.position = after.position - ahead * back;
        backed.position[2] = least;
        backed.focalDistance = after.focalDistance + back;
        return backed;
    }
    if (inFront(before)) {
        return before;
    }
    CameraPlace lifted = after;
    lifted.position[2] = least;
    return lifted;
}

SbVec2s viewPixelUnderPointer(SbVec2s eventPosition, short height, double fraction) {
    // SoQt counts rows from the bottom as height - 1 - y * whole; the view's
    // pixel is height - 1 - y * whole * fraction.
    const double x = eventPosition[0] * fraction;
    const double y = (height - 1) - (height - 1 - eventPosition[1]) * fraction;
    return {static_cast<short>(std::lround(x)), static_cast<short>(std::lround(y))};
}

Window initWindowBinding(const char* applicationName, const char* className) {
    if (!displayAvailable()) {
        return nullptr;
    }
    // Icons keep their device pixel ratio on a scaled screen.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    Window window = SoQt::init(applicationName, className);
    if (window == nullptr) {
        return nullptr;
    }
    // Qt has given the C library the user's locale, so that messages such
    // as strerror's speak the user's language; numbers that Coin and the C
    // library read and print keep their decimal point, as in any locale.
    std::setlocale(LC_NUMERIC, "C");
    useReadableFonts();
    Binding& b = binding();
    {
        const std::lock_guard lock(b.mutex);
        b.windowThread = std::this_thread::get_id();
        b.procedures[window] = defaultWindowProcedure;
        if (b.messageEvent == QEvent::None) {
            b.messageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
        }
    }
    window->installEventFilter(new MessageFilter(window));
    return window;
}

Window topLevelWindow() { return QCoreApplication::instance() != nullptr ? SoQt::getTopLevelWidget() : nullptr; }

WindowProcedure windowProcedure(Window window) {
    const std::lock_guard lock(binding().mutex);
    const auto found = binding().procedures.find(window);
    return found != binding().procedures.end() ? found->second : defaultWindowProcedure;
}

void setWindowProcedure(Window window, WindowProcedure procedure) {
    const std::lock_guard lock(binding().mutex);
    binding().procedures[window] = procedure;
}

MessageResult callWindowProcedure(WindowProcedure procedure, Window window, unsigned message, WParam wParam,
                                  LParam lParam) {
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

MessageResult sendMessage(Window window, unsigned message, WParam wParam, LParam lParam) {
    if (window == nullptr) {
        return 0;
    }
    Binding& b = binding();
    std::unique_lock lock(b.mutex);
    if (std::this_thread::get_id() == b.windowThread) {
        lock.unlock();
        return dispatch(window, message, wParam, lParam);
    }
    if (!b.loopRunning) {
        return 0;
    }
    auto pending = std::make_shared<PendingMessage>(PendingMessage{message, wParam, lParam});
    b.queue.emplace_back(window, pending);
    auto* wake = new QEvent(b.messageEvent);
    handingOver(wake);
    QCoreApplication::postEvent(window, wake);
    // The loop's end wakes every waiter: a message it never reached is
    // dropped rather than waited for.
    b.handled.wait(lock, [&] { return pending->handled || !b.loopRunning; });
    return pending->result;
}

void postMessage(Window window, unsigned message, WParam wParam, LParam lParam, int delayMilliseconds) {
    if (window == nullptr) {
        return;
    }
    runLater(window, delayMilliseconds, [window, message, wParam, lParam] { dispatch(window, message, wParam, lParam); });
}

void whenExposed(QWidget* widget, std::function<void()> task) {
    if (widget != nullptr && widget->windowHandle() != nullptr) {
        widget->windowHandle()->installEventFilter(new ExposeWatcher(widget, std::move(task)));
    }
}

void runLater(Window window, int delayMilliseconds, std::function<void()> task) {
    if (window != nullptr) {
        QTimer::singleShot(delayMilliseconds, window, std::move(task));
    }
}

Bitmap loadBitmap(const QString& name, int width, int height) {
    QPixmap original(name);
    if (original.isNull()) {
        return nullptr;
    }
    // On a scaled screen the button shows the bitmap at its pixels' size,
    // from the double-size drawing beside it ("play@2x.bmp") when there is
    // one, so that it is sharp rather than blown up.
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    if (ratio > 1.0) {
        const int dot = name.lastIndexOf('.');
        const QPixmap larger(dot < 0 ? name + "@2x" : name.left(dot) + "@2x" + name.mid(dot));
        if (!larger.isNull()) {
            original = larger;
        }
    }
    QPixmap scaled = original.scaled(qRound(width * ratio), qRound(height * ratio), Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return std::make_shared<const QPixmap>(std::move(scaled));
}

QWidget* createPushButton(Window parent, int commandId) {
    auto* button = new QPushButton(parent);
    // Focus stays with the viewer, so Space and the other keys reach the
    // window's shortcuts instead of clicking the last button pressed.
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, button, [parent, commandId, button] {
        dispatch(parent, kCommandMessage, commandParameter(commandId), reinterpret_cast<LParam>(button));
    });
    return button;
}

void setButtonBitmap(QWidget* button, const Bitmap& bitmap) {
    if (button == nullptr || bitmap == nullptr) {
        return;
    }
    auto* pushButton = static_cast<QPushButton*>(button);
    pushButton->setIcon(QIcon(*bitmap));
    pushButton->setIconSize((QSizeF(bitmap->size()) / bitmap->devicePixelRatio()).toSize());
}

namespace {


// The window's grid: the viewer's area at row 0, column 0; the side panel
// at column 1; the status line in row 1.
QGridLayout* gridOf(Window window) {
    if (auto* grid = qobject_cast<QGridLayout*>(window->layout())) {
        return grid;
    }
    auto* grid = new QGridLayout(window);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    // A side panel keeps the width it asks for, within its own limits; the
    // viewer takes the rest.
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    return grid;
}

}  // namespace

SoQtExaminerViewer* createExaminerViewer(Window parent) {
    // The viewer gets an area of its own, which the window's layout sizes.
    auto* area = new QWidget(parent);
    auto* fill = new QGridLayout(area);
    fill->setContentsMargins(0, 0, 0, 0);
    gridOf(parent)->addWidget(area, 0, 0);
    auto* viewer = new ExaminerViewer(area);
    fill->addWidget(viewer->getBaseWidget(), 0, 0);
    QWidget* glWidget = viewer->getGLWidget();
    glWidget->installEventFilter(new DevicePixelViewer(glWidget));
    // Ahead of SoQt's own filter, which hands the wheel to the viewer.
    glWidget->installEventFilter(new WheelZoom(glWidget, viewer));
    return viewer;
}

void keepCameraInFront(SoQtExaminerViewer* viewer, float least) {
    if (auto* ours = dynamic_cast<ExaminerViewer*>(viewer)) {
        ours->keepInFront(least);
    }
}

void whenEscapePressed(SoQtExaminerViewer* viewer, std::function<void()> task) {
    if (auto* ours = dynamic_cast<ExaminerViewer*>(viewer)) {
        ours->onEscape = std::move(task);
    }
}

std::vector<QWidget*> viewerButtons(SoQtExaminerViewer* viewer) {
    const auto* ours = dynamic_cast<const ExaminerViewer*>(viewer);
    return ours != nullptr ? ours->viewerButtons() : std::vector<QWidget*>{};
}

void placeBesideViewer(Window window, QWidget* panel) { gridOf(window)->addWidget(panel, 0, 1); }

void showBesideViewer(Window /*window*/, QWidget* panel, bool shown) { panel->setVisible(shown); }

void placeBelowViewer(Window window, QWidget* line) { gridOf(window)->addWidget(line, 1, 0, 1, 2); }

QWidget* createControlButton(Window parent, std::function<void()> task) {
    auto* button = new QPushButton(parent);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, button, std::move(task));
    return button;
}

void setToolTip(QWidget* widget, const QString& text) {
    if (widget != nullptr) {
        widget->setToolTip(text);
    }
}

void addShortcut(Window window, const char* keys, const std::function<void()>& task, bool repeats) {
    const auto add = [window, &task, repeats](const QKeySequence& key) {
        auto* shortcut = new QShortcut(key, window);
        shortcut->setAutoRepeat(repeats);
        QObject::connect(shortcut, &QShortcut::activated, window, task);
    };
    for (const QKeySequence& key : QKeySequence::listFromString(QString::fromLatin1(keys))) {
        add(key);
        const int code = key.count() == 1 ? key[0] : 0;
        if (code >= Qt::Key_A && code <= Qt::Key_Z) {
            add(QKeySequence(static_cast<int>(Qt::SHIFT) | code));
        }
    }
}

void addQuitShortcut(Window window) {
    // Windows names no quit key of its own; Ctrl+Q is what people try.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (keys.isEmpty()) {
        keys.append(QKeySequence(static_cast<int>(Qt::CTRL) | static_cast<int>(Qt::Key_Q)));
    }
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, window);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, window, [window] { window->close(); });
    }
}

namespace {

// Room kept for the window manager's frame and title bar, which a window
// does not know of before it is shown.
constexpr int kFrameWidth = 0;
constexpr int kFrameHeight = 40;

// Qt on Windows places a window, centred, when it makes the native window,
// which happens there while the window still has its smallest size; grown
// since, it reaches past the screen's right and bottom edges. It is moved
// back as far as it must be, and never past the top left.
void keepOnScreen(Window window, const QRect& room) {
    // Before the window is shown its frame may not be known yet: the room
    // kept for it stands in.
    QRect frame = window->frameGeometry();
    frame.setSize(frame.size().expandedTo(window->size() + QSize(kFrameWidth, kFrameHeight)));
    QPoint corner = frame.topLeft();
    if (frame.right() > room.right()) {
        corner.setX(std::max(room.left(), room.right() + 1 - frame.width()));
    }
    if (frame.bottom() > room.bottom()) {
        corner.setY(std::max(room.top(), room.bottom() + 1 - frame.height()));
    }
    if (corner != frame.topLeft()) {
        window->move(corner);
    }
}

}  // namespace

int setWindowSize(Window window, int width, int height, int leastSide, int mostSide) {
    if (window == nullptr) {
        return mostSide;
    }
    window->setMinimumSize(kSmallestWindowWidth, kSmallestWindowHeight);
    int side = mostSide;
    // Where the screen is shorter, the viewer's part shrinks in proportion,
    // so the board stays framed as it is at the preferred size. The side
    // column takes what width the screen has left, within its limits: its
    // texts and buttons do not shrink.
    const QScreen* screen = window->screen();
    if (screen != nullptr) {
        const QRect room = screen->availableGeometry();
        const double byHeight = std::min(1.0, static_cast<double>(room.height() - kFrameHeight) / height);
        const int roomWidth = room.width() - kFrameWidth;
        int viewer = static_cast<int>(width * byHeight);
        side = mostSide == 0 ? 0 : std::clamp(roomWidth - viewer, leastSide, mostSide);
        viewer = std::min(viewer, roomWidth - side);
        width = std::max(kSmallestWindowWidth, viewer + side);
        height = std::max(kSmallestWindowHeight, static_cast<int>(height * byHeight));
    } else {
        width += side;
    }
    SoQt::setWidgetSize(window, SbVec2s(static_cast<short>(width), static_cast<short>(height)));
    if (screen != nullptr) {
        keepOnScreen(window, screen->availableGeometry());
    }
    return side;
}

void show(Window window) {
    if (window != nullptr) {
        SoQt::show(window);
    }
}

void hide(Window window) {
    if (window != nullptr) {
        SoQt::hide(window);
    }
}

void runEventLoop() {
    {
        const std::lock_guard lock(binding().mutex);
        binding().loopRunning = true;
    }
    SoQt::mainLoop();
    {
        const std::lock_guard lock(binding().mutex);
        binding().loopRunning = false;
        binding().queue.clear();
    }
    binding().handled.notify_all();
    // Qt's pixmap cache runs a timer, which must be stopped on this thread:
    // left to the end of the process it would be stopped from the main
    // thread, and Qt complains on the console.
    QPixmapCache::clear();
}

void exitEventLoop() {
    if (QCoreApplication::instance() != nullptr) {
        SoQt::exitMainLoop();
    }
}

}  // namespace platform
