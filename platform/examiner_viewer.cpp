// The examiner viewer in the window and what sits beside and below it: the
// viewer drawn in the screen's own pixels, zooming by the wheel and gently
// by a drag, its camera following the view's rules.
#include "platform/window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/events/SoEvent.h>
#include <Inventor/events/SoKeyboardEvent.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

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

    void followRules(std::shared_ptr<const CameraRules> rules) {
        rules_ = std::move(rules);
        watchCamera();
    }
    [[nodiscard]] bool followsRules() const { return rules_ != nullptr; }

    // Nearer by the factor's share of the distance, or farther.
    void zoomBy(float factor) {
        SoCamera* camera = getCamera();
        if (camera == nullptr || !rules_) {
            return;
        }
        if (camera->isOfType(SoOrthographicCamera::getClassTypeId())) {
            auto* orthographic = static_cast<SoOrthographicCamera*>(camera);
            const float height = orthographic->height.getValue();
            orthographic->height.setValue(rules_->keptHeight(height, height * factor));
            return;
        }
        place(*camera, rules_->kept(placeOf(*camera), rules_->dollied(placeOf(*camera), factor)));
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
        if (onArrow && event->isOfType(SoKeyboardEvent::getClassTypeId())) {
            const auto* key = static_cast<const SoKeyboardEvent*>(event);
            const SbVec2s step = arrowStep(key->getKey());
            if (step != SbVec2s(0, 0)) {
                const bool pressed = SoKeyboardEvent::isKeyPressEvent(event, key->getKey());
                if (event->wasCtrlDown() && event->wasShiftDown()) {
                    // Nearer or farther, as a notch of the mouse wheel.
                    if (pressed && step[1] != 0) {
                        zoomBy(std::pow(1.0f - kWheelNotchNearer, static_cast<float>(-step[1])));
                    }
                    return TRUE;
                }
                if (event->wasCtrlDown()) {
                    // The viewer's own arrows, which move the camera.
                    const_cast<SoEvent*>(event)->setCtrlDown(FALSE);
                    return SoQtExaminerViewer::processSoEvent(event);
                }
                if (event->wasShiftDown()) {
                    // Turned as the wheels at the view's edges turn it.
                    if (pressed && step[0] != 0) {
                        bottomWheelMotion(getBottomWheelValue() + kKeyTurn * static_cast<float>(step[0]));
                    }
                    if (pressed && step[1] != 0) {
                        leftWheelMotion(getLeftWheelValue() + kKeyTurn * static_cast<float>(step[1]));
                    }
                    return TRUE;
                }
                if (pressed && !event->wasAltDown()) {
                    onArrow(step[0], step[1]);
                }
                return TRUE;
            }
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
    std::function<void(int, int)> onArrow;

    // The viewer's own buttons down its right side, top to bottom.
    [[nodiscard]] std::vector<QWidget*> viewerButtons() const {
        return {viewerButtons_.begin(), viewerButtons_.end()};
    }

private:
    // A Shift+arrow turns the board by this much, in the wheels' units.
    static constexpr float kKeyTurn = 0.1f;

    // Across and down the board, as the squares are numbered.
    [[nodiscard]] static SbVec2s arrowStep(SoKeyboardEvent::Key key) {
        switch (key) {
            case SoKeyboardEvent::LEFT_ARROW:
                return {-1, 0};
            case SoKeyboardEvent::RIGHT_ARROW:
                return {1, 0};
            case SoKeyboardEvent::UP_ARROW:
                return {0, -1};
            case SoKeyboardEvent::DOWN_ARROW:
                return {0, 1};
            default:
                return {0, 0};
        }
    }

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
    // A zoom that SoQt made on a drag, made again by a smaller power.
    void softenDragZoom(SoCamera& camera, const CameraPlace& before, float heightBefore) {
        if (!rules_) {
            return;
        }
        const float gentler = std::log(kDragZoomOverViewHeight) / kSoQtDragZoomRate;
        if (camera.isOfType(SoOrthographicCamera::getClassTypeId())) {
            auto& orthographic = static_cast<SoOrthographicCamera&>(camera);
            const float height = orthographic.height.getValue();
            if (heightBefore > 0.0f && height != heightBefore) {
                orthographic.height.setValue(
                    rules_->keptHeight(heightBefore, heightBefore * std::pow(height / heightBefore, gentler)));
            }
            return;
        }
        const CameraPlace after = placeOf(camera);
        if (after.orientation == before.orientation && after.focalDistance != before.focalDistance &&
            before.focalDistance > 0.0f && after.focalDistance > 0.0f) {
            place(camera, rules_->kept(before, rules_->dollied(before, std::pow(after.focalDistance / before.focalDistance,
                                                                                  gentler))));
        }
    }

    // Every change of the camera, by the viewer, a seek or the program,
    // is looked at before the next frame is drawn.
    void watchCamera() {
        cameraSensor_.detach();
        SoCamera* camera = getCamera();
        if (!rules_ || camera == nullptr) {
            return;
        }
        held_ = placeOf(*camera);
        cameraSensor_.attach(camera);
        holdInFront();
    }
    static void cameraMoved(void* data, SoSensor* /*sensor*/) { static_cast<ExaminerViewer*>(data)->holdInFront(); }
    void holdInFront() {
        SoCamera* camera = getCamera();
        if (camera == nullptr || !rules_) {
            return;
        }
        const CameraPlace now = placeOf(*camera);
        held_ = rules_->kept(held_, now);
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
    std::shared_ptr<const CameraRules> rules_;
    CameraPlace held_;  // the camera's latest place within the rules
    SoNodeSensor cameraSensor_;
};

// The mouse wheel zooms in both of the viewer's modes, by the notches
// turned; SoQt's own wheel zoom works only while turning the board, and
// zooms out on a notch away from the user.
class WheelZoom : public QObject {
public:
    WheelZoom(QWidget* glWidget, ExaminerViewer* viewer) : QObject(glWidget), viewer_(viewer) {}

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::Wheel || !viewer_->followsRules()) {
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

// SoQt hands every key in the view to the viewer, Tab too, which would keep
// the focus on the board for good; Tab and Shift+Tab go on to the next
// control, as anywhere else in the window.
class TabLeavesBoard : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool back =
            key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) != 0);
        if (key->key() != Qt::Key_Tab && !back) {
            return false;
        }
        auto* board = static_cast<QWidget*>(watched);
        QWidget* next = board;
        do {
            next = back ? next->previousInFocusChain() : next->nextInFocusChain();
        } while (next != board && !takesTab(next));
        if (next != board) {
            next->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        }
        return true;
    }

private:
    [[nodiscard]] static bool takesTab(const QWidget* widget) {
        return (widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isVisible() && widget->isEnabled();
    }
};

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

SbVec2s viewPixelUnderPointer(SbVec2s eventPosition, short height, double fraction) {
    // SoQt counts rows from the bottom as height - 1 - y * whole; the view's
    // pixel is height - 1 - y * whole * fraction.
    const double x = eventPosition[0] * fraction;
    const double y = (height - 1) - (height - 1 - eventPosition[1]) * fraction;
    return {static_cast<short>(std::lround(x)), static_cast<short>(std::lround(y))};
}
SoQtExaminerViewer* createExaminerViewer(Window parent) {
    // The viewer gets an area of its own, which the window's layout sizes.
    auto* area = new QWidget(parent);
    auto* fill = new QGridLayout(area);
    fill->setContentsMargins(0, 0, 0, 0);
    gridOf(parent)->addWidget(area, 0, 0);
    auto* viewer = new ExaminerViewer(area);
    fill->addWidget(viewer->getBaseWidget(), 0, 0);
    QWidget* glWidget = viewer->getGLWidget();
    glWidget->setFocusPolicy(Qt::StrongFocus);
    // Reached by Tab, as the application's buttons are; a click on one
    // leaves the keys with the board.
    for (QWidget* button : viewer->viewerButtons()) {
        button->setFocusPolicy(Qt::TabFocus);
    }
    glWidget->installEventFilter(new DevicePixelViewer(glWidget));
    glWidget->installEventFilter(new TabLeavesBoard(glWidget));
    // Ahead of SoQt's own filter, which hands the wheel to the viewer.
    glWidget->installEventFilter(new WheelZoom(glWidget, viewer));
    return viewer;
}

void followCameraRules(SoQtExaminerViewer* viewer, std::shared_ptr<const CameraRules> rules) {
    if (auto* ours = dynamic_cast<ExaminerViewer*>(viewer)) {
        ours->followRules(std::move(rules));
    }
}

void whenEscapePressed(SoQtExaminerViewer* viewer, std::function<void()> task) {
    if (auto* ours = dynamic_cast<ExaminerViewer*>(viewer)) {
        ours->onEscape = std::move(task);
    }
}

void whenArrowPressed(SoQtExaminerViewer* viewer, std::function<void(int dx, int dy)> task) {
    if (auto* ours = dynamic_cast<ExaminerViewer*>(viewer)) {
        ours->onArrow = std::move(task);
    }
}

QWidget* boardWidget(SoQtExaminerViewer* viewer) { return viewer != nullptr ? viewer->getGLWidget() : nullptr; }

std::vector<QWidget*> viewerButtons(SoQtExaminerViewer* viewer) {
    const auto* ours = dynamic_cast<const ExaminerViewer*>(viewer);
    return ours != nullptr ? ours->viewerButtons() : std::vector<QWidget*>{};
}

void placeBesideViewer(Window window, QWidget* panel) { gridOf(window)->addWidget(panel, 0, 1); }

void showBesideViewer(Window /*window*/, QWidget* panel, bool shown) { panel->setVisible(shown); }

void placeBelowViewer(Window window, QWidget* line) { gridOf(window)->addWidget(line, 1, 0, 1, 2); }

}  // namespace platform
