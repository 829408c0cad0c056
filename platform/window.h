#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <Inventor/SbRotation.h>
#include <Inventor/SbVec2s.h>
#include <Inventor/SbVec3f.h>

class QPixmap;
class QString;
class QWidget;
class SoQtExaminerViewer;

// The window binding the view is written against: a top-level window whose
// procedure receives numbered messages (a close request, a push-button
// command, user messages), push buttons carrying a bitmap and a command id,
// an examiner viewer, and an event loop. Built on SoQt and Qt 5; every
// message is handled on the thread that created the window.
namespace platform {

using Window = QWidget*;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using MessageResult = std::intptr_t;
using WindowProcedure = MessageResult (*)(Window window, unsigned message, WParam wParam, LParam lParam);

inline constexpr unsigned kCloseMessage = 16;
inline constexpr unsigned kCommandMessage = 273;
inline constexpr unsigned kUserMessage = 1024;

// A command message's first parameter: the command id in the low word,
// the notification (0 for a click) in the high word.
[[nodiscard]] constexpr WParam commandParameter(int id, int notification = 0) {
    return (static_cast<WParam>(notification & 0xFFFF) << 16) | static_cast<WParam>(id & 0xFFFF);
}
[[nodiscard]] constexpr int lowWord(WParam value) { return static_cast<int>(value & 0xFFFF); }
[[nodiscard]] constexpr int highWord(WParam value) { return static_cast<int>((value >> 16) & 0xFFFF); }

// Initialises Qt, Coin and SoQt on the calling thread and returns the
// top-level window, or nullptr when no display can be opened (checked
// first, since Qt would abort the process).
Window initWindowBinding(const char* applicationName, const char* className);
[[nodiscard]] Window topLevelWindow();

// The procedure that receives the window's messages. The binding's own
// procedure closes the window on a close request and ignores the rest.
[[nodiscard]] WindowProcedure windowProcedure(Window window);
void setWindowProcedure(Window window, WindowProcedure procedure);
MessageResult callWindowProcedure(WindowProcedure procedure, Window window, unsigned message, WParam wParam,
                                  LParam lParam);

// Delivers a message to the window's procedure and returns its result. From
// another thread it waits until the window's thread has handled it, unless
// that thread's event loop is not running (anymore): then it returns 0 at
// once without delivering, so no caller ever waits for a window that is gone.
MessageResult sendMessage(Window window, unsigned message, WParam wParam, LParam lParam);
// Delivers the message from the event loop later, after at least the delay.
// Call it on the window's thread.
void postMessage(Window window, unsigned message, WParam wParam, LParam lParam, int delayMilliseconds = 0);

// Runs the task on the window's thread from the event loop, after at least
// the delay. Call it on the window's thread.
void runLater(Window window, int delayMilliseconds, std::function<void()> task);

// Runs the task from the event loop each time the widget's native window is
// exposed on screen, and again shortly after, once the drawable has settled.
void whenExposed(QWidget* widget, std::function<void()> task);

// A bitmap scaled to the size, or empty when the file cannot be read.
using Bitmap = std::shared_ptr<const QPixmap>;
Bitmap loadBitmap(const QString& fileName, int width, int height);
// A push button whose click sends the parent a command message with the id.
QWidget* createPushButton(Window parent, int commandId);
// The button keeps its own copy of the picture.
void setButtonBitmap(QWidget* button, const Bitmap& bitmap);

// An examiner viewer embedded in the window, with its decorations and
// pop-up menu built, of the browser type. It fills the window's main area;
// a panel may sit beside it on the right, and a status line below both.
SoQtExaminerViewer* createExaminerViewer(Window parent);
// Runs the task when Esc is pressed in the viewer, before the viewer
// switches between picking and turning.
void whenEscapePressed(SoQtExaminerViewer* viewer, std::function<void()> task);
// The arrow keys, pressed while the board has the focus, move by one
// square across (dx) or down (dy) instead of moving the camera; with Ctrl
// they reach the viewer as plain arrows, as before; with Shift they turn
// the board as the wheels do, and Ctrl+Shift+Up and Down zoom as the mouse
// wheel does.
void whenArrowPressed(SoQtExaminerViewer* viewer, std::function<void(int dx, int dy)> task);
// The widget the board is drawn in, which takes the keyboard focus: on a
// click, by Tab, and when the window opens.
[[nodiscard]] QWidget* boardWidget(SoQtExaminerViewer* viewer);
// Tab and Shift+Tab go through the widgets in this order.
void setTabOrder(const std::vector<QWidget*>& widgets);
// Its own buttons down the right side, top to bottom: pick, view, home, set
// home, view all, seek, projection.
std::vector<QWidget*> viewerButtons(SoQtExaminerViewer* viewer);
void placeBesideViewer(Window window, QWidget* panel);
// Shows or hides the panel beside the viewer; hidden, its room goes to the
// viewer.
void showBesideViewer(Window window, QWidget* panel, bool shown);

// On a screen scaled by a fraction (125 %, 150 %), where Qt 5 reports the
// device pixel ratio as a whole number, SoQt places a mouse event at the
// pixel that the whole-number ratio gives; this is the pixel of the drawn
// view that lies under the pointer. `fraction` is the true ratio over the
// whole number, `height` the view's height in SoQt's pixels; positions count
// from the bottom left, as Coin's do.
[[nodiscard]] SbVec2s viewPixelUnderPointer(SbVec2s eventPosition, short height, double fraction);
void placeBelowViewer(Window window, QWidget* line);

// Where a camera stands and where it looks; it turns about the point
// `focalDistance` ahead of it along its line of sight.
struct CameraPlace {
    SbVec3f position{0.0f, 0.0f, 0.0f};
    SbRotation orientation;  // looking down -z
    float focalDistance = 1.0f;
    [[nodiscard]] bool operator==(const CameraPlace& other) const {
        return position == other.position && orientation == other.orientation &&
               focalDistance == other.focalDistance;
    }
};
// The mouse wheel zooms in both of the viewer's modes, pick and view: a
// notch turned away from the user brings the camera this share of the
// way nearer to the point it looks at, a notch towards the user takes that
// back.
inline constexpr float kWheelNotchNearer = 0.1f;
// What the view allows its camera. The viewer asks on every move, whoever
// made it: a drag, the wheel, a seek or the program.
class CameraRules {
public:
    virtual ~CameraRules() = default;
    // The camera moved towards or away from the point it looks at, the
    // distance multiplied by `factor`.
    [[nodiscard]] virtual CameraPlace dollied(const CameraPlace& camera, float factor) const = 0;
    // Where a camera that moved from `before` to `after` is let stand.
    [[nodiscard]] virtual CameraPlace kept(const CameraPlace& before, const CameraPlace& after) const = 0;
    // The height an orthographic camera zoomed from `before` to `after` is
    // let have.
    [[nodiscard]] virtual float keptHeight(float before, float after) const = 0;
};
// The viewer's camera follows the rules from now on. The wheel's zoom and
// the gentler drag zoom are the rules' to make: a viewer without rules
// zooms as SoQt does.
void followCameraRules(SoQtExaminerViewer* viewer, std::shared_ptr<const CameraRules> rules);

// A push button that runs the task on the window's thread when clicked,
// for controls that are not commands of the window procedure.
QWidget* createControlButton(Window parent, std::function<void()> task);
void setToolTip(QWidget* widget, const QString& text);
// What a screen reader says of the widget: a short name, and what it does.
void setAccessibleText(QWidget* widget, const QString& name, const QString& description);
// Runs the task when one of the keys is pressed anywhere in the window,
// before the viewer sees it. Keys are named as Qt names them, alternatives
// separated by "; ": "Space", "N", "+; =". A letter answers with or without
// Shift, as people type it.
// A held key acts once, unless `repeats`.
void addShortcut(Window window, const char* keys, const std::function<void()>& task, bool repeats = false);
// The desktop's quit key (Ctrl+Q) closes the window as its close button
// does.
void addQuitShortcut(Window window);

// The window opens with its main area at this size where the screen has
// room for it, and smaller, in the same proportions, where it has not;
// beside it, a side column as wide as the rest of the screen allows, from
// `leastSide` to `mostSide` (0 for none). Returns the side column's width.
// The window can be shrunk to the smallest size below.
int setWindowSize(Window window, int width, int height, int leastSide = 0, int mostSide = 0);
inline constexpr int kSmallestWindowWidth = 640;
inline constexpr int kSmallestWindowHeight = 480;
void show(Window window);
void hide(Window window);
// Runs the event loop until exitEventLoop.
void runEventLoop();
void exitEventLoop();

}  // namespace platform
