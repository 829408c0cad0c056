// The window's controls and size: push buttons with their bitmaps and
// tooltips, keyboard shortcuts, and the window's size on the screen.
#include "platform/window.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <Inventor/Qt/SoQt.h>
#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

namespace platform {
namespace {

// A button with the keyboard focus is pressed by Space, Enter and Return,
// which the window's own keys would take otherwise: Space plays and stops.
// Every other key still reaches the window.
class FocusedButtonKeys : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) {
            return false;
        }
        auto* button = qobject_cast<QAbstractButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        // Only the window's own controls, which no click focuses: in a
        // dialog, Enter is the default button's wherever the focus is.
        // The keypad's Enter comes with a modifier of its own.
        if (button == nullptr || !button->hasFocus() || (button->focusPolicy() & Qt::ClickFocus) != 0 ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        const bool space = key->key() == Qt::Key_Space;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (type == QEvent::ShortcutOverride) {
            if (space || enter) {
                event->accept();
                return true;
            }
            return false;
        }
        if (enter) {
            button->animateClick();
            return true;
        }
        return false;
    }
};

// The style's own focus frame is a faint line on a button: a control that
// only Tab reaches gets a ring that shows from across the room.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget* parent) : QWidget(parent) {
        setObjectName(kName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void follow(QWidget* widget) {
        if (target_ != nullptr) {
            target_->removeEventFilter(this);
        }
        target_ = widget;
        if (widget == nullptr || widget->parentWidget() != parentWidget()) {
            hide();
            return;
        }
        widget->installEventFilter(this);
        place();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                                   event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
            place();
        }
        return false;
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight));
        pen.setWidth(kWidth);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(kWidth / 2, kWidth / 2, -(kWidth + 1) / 2, -(kWidth + 1) / 2));
    }

private:
public:
    static constexpr const char* kName = "vivar focus ring";

private:
    static constexpr int kWidth = 3;

    void place() {
        if (target_ == nullptr || !target_->isVisible()) {
            hide();
            return;
        }
        const QPoint corner = target_->mapTo(parentWidget(), QPoint(0, 0));
        setGeometry(QRect(corner, target_->size()));
        show();
        raise();
    }

    QPointer<QWidget> target_;
};

void answerKeysOnFocusedButtons() {
    static bool installed = false;
    if (!installed && qApp != nullptr) {
        // On the control itself, not on the application: an application's
        // filter sees every event, the ones other threads post too.
        auto* keys = new FocusedButtonKeys(qApp);
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [keys](QWidget* /*old*/, QWidget* now) {
            // Rings only where no click gives the focus: the window's own
            // controls, not the board or a dialog's fields. A ring shares
            // its control's parent: the viewer makes the window's pieces
            // native windows, which would cover a ring drawn on the window.
            // Gone with its window, if that goes.
            static QPointer<FocusRing> ring;
            const bool tabOnly = now != nullptr && (now->focusPolicy() & Qt::ClickFocus) == 0;
            if (ring != nullptr) {
                ring->follow(nullptr);
            }
            if (!tabOnly) {
                return;
            }
            // Again on a control that had it only moves it first in line.
            now->installEventFilter(keys);
            if (now->parentWidget() == nullptr) {
                return;
            }
            if (ring == nullptr || ring->parentWidget() != now->parentWidget()) {
                // Not a QObject of its own type: found by its name.
                ring = static_cast<FocusRing*>(now->parentWidget()->findChild<QWidget*>(
                    QString::fromLatin1(FocusRing::kName), Qt::FindDirectChildrenOnly));
                if (ring == nullptr) {
                    ring = new FocusRing(now->parentWidget());
                }
            }
            ring->follow(now);
        });
        installed = true;
    }
}

}  // namespace

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
    // Reached by Tab; a click leaves the focus where it was, so that Space
    // and the other keys go on reaching the window's shortcuts.
    button->setFocusPolicy(Qt::TabFocus);
    answerKeysOnFocusedButtons();
    QObject::connect(button, &QPushButton::clicked, button, [parent, commandId, button] {
        callWindowProcedure(windowProcedure(parent), parent, kCommandMessage, commandParameter(commandId),
                            reinterpret_cast<LParam>(button));
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
QWidget* createControlButton(Window parent, std::function<void()> task) {
    auto* button = new QPushButton(parent);
    button->setFocusPolicy(Qt::TabFocus);
    answerKeysOnFocusedButtons();
    QObject::connect(button, &QPushButton::clicked, button, std::move(task));
    return button;
}

void setToolTip(QWidget* widget, const QString& text) {
    if (widget != nullptr) {
        widget->setToolTip(text);
    }
}

void setAccessibleText(QWidget* widget, const QString& name, const QString& description) {
    if (widget != nullptr) {
        widget->setAccessibleName(name);
        widget->setAccessibleDescription(description);
    }
}

void setTabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i) {
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
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

}  // namespace platform
