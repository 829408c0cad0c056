// The window and its messages: the binding's start, the window procedures,
// messages sent from any thread or posted for later, and the event loop.
#include "platform/window.h"

#include <array>
#include <clocale>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <Inventor/Qt/SoQt.h>
#include <QCoreApplication>
#include <QEvent>
#include <QPixmapCache>
#include <QTimer>
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

}  // namespace

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
