#pragma once

#include <array>
#include <atomic>

#include "app/cthread.h"
#include "platform/window.h"

class SoQtExaminerViewer;
class SoSensor;

// The viewer thread: owns the window, the scene and the event loop. Every
// change to the scene happens on this thread.
class View : public CThread {
public:
    // The push buttons, in the order they are added to the viewer.
    struct Button {
        const char* bitmapFile;
        int commandId;
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
        {"play.bmp", kPlay},
        {"stop.bmp", kStop},
        {"limpia.bmp", kClear},
        {"llena.bmp", kFill},
        {"masVerde.bmp", kMoreGreen},
        {"menosVerde.bmp", kLessGreen},
        {"masAzul.bmp", kMoreBlue},
        {"menosAzul.bmp", kLessBlue},
    }};
    static constexpr int kButtonBitmapSize = 30;

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

    void makeButtons();
    void makeButton(const char* bitmapFile, int commandId);

    // Has the view thread copy the board into the scene, and waits until it
    // has; returns at once when there is no window or its loop has ended.
    // For the model thread's hand-off.
    void showBoard() const;

    std::atomic<platform::Window> topLevelWindow{nullptr};
    SoQtExaminerViewer* viewer = nullptr;
};

// The top-level window's procedure: the buttons, the close request, and the
// user messages.
platform::MessageResult viewWindowProc(platform::Window window, unsigned message, platform::WParam wParam,
                                       platform::LParam lParam);

// Runs once, when the event loop first has nothing to do.
void idleCallback(void* data, SoSensor* sensor);

// The window's procedure before viewWindowProc replaced it.
extern platform::WindowProcedure previousWindowProc;
extern std::atomic<bool> idleFlag;
