// The window's controls: the eight buttons, the controls beside the status
// line, the inspector's edit buttons, and the keys of all of them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QPushButton>
#include <QString>

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodes/SoSelection.h>

#include "app/steering.h"
#include "behaviour/orientation.h"
#include "model/board.h"
#include "platform/window.h"
#include "view/picture_folders.h"
#include "view/run_panel.h"
#include "view/scene.h"
#include "view/square_panel.h"
#include "view/view.h"
#include "view/view_parts.h"

namespace {

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

// What a screen reader calls the viewer's buttons.
constexpr std::array<const char*, 7> kViewerNames{
    QT_TRANSLATE_NOOP("View", "Pick"),     QT_TRANSLATE_NOOP("View", "Turn the view"),
    QT_TRANSLATE_NOOP("View", "Home"),     QT_TRANSLATE_NOOP("View", "Set home"),
    QT_TRANSLATE_NOOP("View", "View all"), QT_TRANSLATE_NOOP("View", "Seek"),
    QT_TRANSLATE_NOOP("View", "Projection"),
};
// The occupants and turns that the inspector's buttons and keys put on the
// picked square.
void put(Occupant occupant) {
    if (liveView != nullptr) {
        liveView->navigator().edit([occupant](CellState& cell) { placeOccupant(cell, occupant); });
    }
}

void turn(int steps) {
    if (liveView != nullptr) {
        liveView->navigator().edit([steps](CellState& cell) {
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

constexpr const char* kFollowToolTip = QT_TRANSLATE_NOOP(
    "View", "Follow the creature on the picked square as it moves, generation by generation, until it is caught (F)");

constexpr const char* kRulesToolTip = QT_TRANSLATE_NOOP(
    "View", "Rules: the board's size, the visits and the fill's shares that the next fill or clear brings (R)");

constexpr const char* kExperimentToolTip = QT_TRANSLATE_NOOP(
    "View", "Experiment: many runs in the background, one or two rules varied, their table and its plot; "
            "shows the experiment under way once there is one (E)");

}  // namespace

const std::array<View::Control, 9> View::kControls{{
    {"atras.bmp", QT_TRANSLATE_NOOP("View", "One generation back"), QT_TRANSLATE_NOOP("View", "One generation back, while stopped (, or Alt+Left)"), ",; Alt+Left",
     [](View& view) { view.navigator().goBack(); }, true},
    {"paso.bmp", QT_TRANSLATE_NOOP("View", "One generation"),
     QT_TRANSLATE_NOOP("View", "One generation, then stop; after going back, the next one of the run again (N, . or Alt+Right)"),
     "N; .; Alt+Right", [](View& view) { view.stepOnce(); }, false},
    {"lento.bmp", QT_TRANSLATE_NOOP("View", "Slower"), QT_TRANSLATE_NOOP("View", "Slower: each generation stays longer on screen (-)"), "-",
     [](View& view) {
         view.runSteering()->slower();
         view.statusChanged();
     },
     false},
    {"rapido.bmp", QT_TRANSLATE_NOOP("View", "Faster"), QT_TRANSLATE_NOOP("View", "Faster (+)"), "+; =",
     [](View& view) {
         view.runSteering()->faster();
         view.statusChanged();
     },
     false},
    {"grafica.bmp", QT_TRANSLATE_NOOP("View", "Show chart"), QT_TRANSLATE_NOOP("View", "Show or hide the population chart (C)"), "C",
     [](View& view) { view.runPanel()->toggleChart(); }, false},
    {"deshacer.bmp", QT_TRANSLATE_NOOP("View", "Undo"),
     QT_TRANSLATE_NOOP("View", "Undo the latest change to the board: an edit, a fill, a clear, an opened board or new "
                               "rules, while stopped (Ctrl+Z)"),
     "Ctrl+Z", [](View& view) { view.navigator().undoOrRedo(RunSession::Direction::kUndo); }, false},
    {"rehacer.bmp", QT_TRANSLATE_NOOP("View", "Redo"), QT_TRANSLATE_NOOP("View", "Redo the change undone last, while stopped (Ctrl+Shift+Z or Ctrl+Y)"),
     "Ctrl+Shift+Z; Ctrl+Y", [](View& view) { view.navigator().undoOrRedo(RunSession::Direction::kRedo); }, false},
    {"foto.bmp", QT_TRANSLATE_NOOP("View", "Picture"),
     QT_TRANSLATE_NOOP("View", "Save a picture of the view as a PNG file, at a size of its own, up to 7680x4320 (P)"),
     "P", [](View& view) { view.recorder().savePicture(); }, false},
    {"grabar.bmp", QT_TRANSLATE_NOOP("View", "Film"),
     QT_TRANSLATE_NOOP("View", "Record a film, one frame for each generation shown, as WebM video or an animated GIF; "
                               "again to stop (V)"),
     "V", [](View& view) { view.recorder().toggleRecording(); }, false},
}};

void View::explainViewerButtons() {
    const std::vector<QWidget*> viewerButtons = platform::viewerButtons(viewer);
    for (std::size_t i = 0; i < viewerButtons.size() && i < kViewerToolTips.size(); ++i) {
        platform::setToolTip(viewerButtons[i], tr(kViewerToolTips[i]));
        platform::setAccessibleText(viewerButtons[i], tr(kViewerNames[i]), tr(kViewerToolTips[i]));
    }
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
            platform::setAccessibleText(button, tr(known.name), tr(known.toolTip));
        }
    }
    column_.push_back(button);
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
        platform::setAccessibleText(button, tr(control.name), tr(control.toolTip));
        panel->addControl(button);
    }
    for (const Control& control : kControls) {
        platform::addShortcut(window, control.keys, [this, &control] { control.act(*this); }, control.repeats);
    }
    auto* rules = static_cast<QPushButton*>(platform::createControlButton(window, [this] { chooseRules(); }));
    rules->setText(tr("Rules…"));
    platform::setToolTip(rules, tr(kRulesToolTip));
    platform::setAccessibleText(rules, tr("Rules"), tr(kRulesToolTip));
    panel->addControl(rules);
    platform::addShortcut(window, "R", [this] { chooseRules(); });
    auto* experiment =
        static_cast<QPushButton*>(platform::createControlButton(window, [this] { chooseExperiment(); }));
    experiment->setText(tr("Experiment…"));
    platform::setToolTip(experiment, tr(kExperimentToolTip));
    platform::setAccessibleText(experiment, tr("Experiment"), tr(kExperimentToolTip));
    panel->addControl(experiment);
    platform::addShortcut(window, "E", [this] { chooseExperiment(); });
    platform::addShortcut(window, "Space", [this] { togglePlay(); });
    platform::addQuitShortcut(window);
    platform::addShortcut(window, "Ctrl+S", [this] { saveBoard(); });
    platform::addShortcut(window, "Ctrl+O", [this] { openBoard(); });
    panel->whenChartClicked([this](std::int64_t generation) { navigator_.goTo(generation); });

    std::vector<Inspector::Edit> edits;
    for (const EditKey& edit : kEdits) {
        edits.push_back({tr(edit.label), tr(edit.toolTip), edit.act, edit.act == kTurnLeft || edit.act == kTurnRight});
        platform::addShortcut(window, edit.keys, edit.act);
    }
    panel->addInspector(picked_.makeInspector(window, edits, tr(kFollowToolTip)));
    // Esc also switches the viewer between picking and turning.
    platform::whenEscapePressed(viewer, [] {
        if (selectionRoot != nullptr) {
            selectionRoot->deselectAll();
        }
        if (liveView != nullptr) {
            liveView->picked().pick(std::nullopt);
        }
    });
    // The arrows walk the picked square over the board, round its torus.
    platform::whenArrowPressed(viewer, [this](int dx, int dy) { picked_.step(dx, dy); });
    // The digits press the eight buttons, as a click would.
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const std::string key = std::to_string(i + 1);
        const int id = kButtons[i].commandId;
        platform::addShortcut(window, key.c_str(), [window, id] {
            platform::sendMessage(window, platform::kCommandMessage, platform::commandParameter(id), 0);
        });
    }
}
