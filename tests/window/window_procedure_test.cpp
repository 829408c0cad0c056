// The window procedure driven through the window binding, without a display:
// the scene is built on Coin alone, as the view thread would build it.

#include <cmath>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <Inventor/SoDB.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoSelection.h>
#include <gtest/gtest.h>

#include "model/board.h"
#include "support/captured_trace.h"
#include "view/scene.h"
#include "view/view.h"

namespace {

using platform::commandParameter;
using platform::kCloseMessage;
using platform::kCommandMessage;

class SceneOnce : public ::testing::Environment {
public:
    void SetUp() override {
        SoDB::init();
        clearBoard();
        testing::internal::CaptureStderr();  // the pictures may not be here
        buildScene();
        (void)testing::internal::GetCapturedStderr();
    }
};
const auto* const scene = ::testing::AddGlobalTestEnvironment(new SceneOnce);

// Stands in for the binding's own procedure behind viewWindowProc.
struct PassedOn {
    unsigned message;
    platform::WParam wParam;
    platform::LParam lParam;
};
std::vector<PassedOn> passedOn;
platform::MessageResult recordingProcedure(platform::Window, unsigned message, platform::WParam wParam,
                                           platform::LParam lParam) {
    passedOn.push_back({message, wParam, lParam});
    return 42;
}

class WindowProcedure : public ::testing::Test {
protected:
    WindowProcedure() {
        previousWindowProc = recordingProcedure;
        passedOn.clear();
        runFlag = false;
        quitFlag = false;
        backgroundRed = backgroundGreen = backgroundBlue = 0.0f;
        setBackgroundColor();
        clearBoard();
        doUpdatesQuietly();
    }
    ~WindowProcedure() override {
        runFlag = false;
        quitFlag = false;
    }

    static platform::MessageResult click(int id) {
        return viewWindowProc(nullptr, kCommandMessage, commandParameter(id), 0);
    }
    static void doUpdatesQuietly() {
        CapturedTrace quiet;
        viewWindowProc(nullptr, View::kShowBoard, 0, 0);
    }
    static SbColor planeColour() { return backgroundColor->rgb[0]; }
};

TEST_F(WindowProcedure, PlayAndStopSetTheRunFlag) {
    EXPECT_EQ(click(View::kPlay), 0);
    EXPECT_TRUE(runFlag);
    EXPECT_EQ(click(View::kStop), 0);
    EXPECT_FALSE(runFlag);
    EXPECT_TRUE(passedOn.empty());
}

TEST_F(WindowProcedure, TheMoreGreenButtonBrightensAllThreeComponentsInFloatSteps) {
    CapturedTrace trace;
    click(View::kMoreGreen);
    EXPECT_EQ(trace.text(), "mas verde\nen el if(0) mas verde\n");
    const float step = static_cast<float>(0.0f + 0.3);
    EXPECT_EQ(backgroundRed, step);
    EXPECT_EQ(backgroundGreen, step);
    EXPECT_EQ(backgroundBlue, step);
    EXPECT_EQ(planeColour(), SbColor(step, step, step));

    // Back down: each step is stored as a float, so green misses 0 slightly.
    click(View::kLessGreen);
    EXPECT_EQ(backgroundGreen, static_cast<float>(static_cast<double>(step) - 0.3));
    EXPECT_NE(backgroundGreen, 0.0f);
    EXPECT_LT(std::fabs(backgroundGreen), 1e-6f);
}

TEST_F(WindowProcedure, TheStoredColourIsUnboundedButThePlaneIsGivenItWithinZeroToOne) {
    for (int i = 0; i < 4; ++i) {
        click(View::kMoreBlue);
    }
    EXPECT_NEAR(backgroundBlue, 1.2f, 1e-5f);
    EXPECT_EQ(planeColour(), SbColor(0, 0, 1));
    for (int i = 0; i < 8; ++i) {
        click(View::kLessBlue);
    }
    click(View::kLessGreen);
    EXPECT_NEAR(backgroundBlue, -1.2f, 1e-5f);
    EXPECT_NEAR(backgroundGreen, -0.3f, 1e-6f);
    EXPECT_EQ(planeColour(), SbColor(0, 0, 0));
    // Back within range, the plane shows the stored value itself.
    for (int i = 0; i < 5; ++i) {
        click(View::kMoreBlue);
    }
    EXPECT_EQ(planeColour()[2], backgroundBlue);
    EXPECT_GT(backgroundBlue, 0.2f);
}

TEST_F(WindowProcedure, WhileRunningTheColourButtonsChangeNothingAndOnlyMoreGreenSpeaks) {
    runFlag = true;
    CapturedTrace trace;
    for (int id : {View::kMoreGreen, View::kLessGreen, View::kMoreBlue, View::kLessBlue}) {
        EXPECT_EQ(click(id), 0);
    }
    EXPECT_EQ(trace.text(), "mas verde\n");
    EXPECT_EQ(backgroundRed, 0.0f);
    EXPECT_EQ(backgroundGreen, 0.0f);
    EXPECT_EQ(backgroundBlue, 0.0f);
    EXPECT_EQ(planeColour(), SbColor(0, 0, 0));
}

TEST_F(WindowProcedure, ClearAndFillActOnlyWhileStoppedAndShowTheBoardAtOnce) {
    runFlag = true;
    CapturedTrace trace;
    click(View::kFill);
    EXPECT_EQ(trace.text(), "");
    for (const CellState& cell : board) {
        ASSERT_EQ(cell.kind, kEmpty);
    }

    runFlag = false;
    click(View::kFill);
    const auto lines = trace.lines();
    ASSERT_EQ(lines.size(), 802u);
    EXPECT_EQ(lines[800], "  -- principio doUpdates --\n");
    EXPECT_EQ(lines[801], "  -- fin       doUpdates --\n");
    int shown = 0;
    for (std::size_t i = 0; i < board.size(); ++i) {
        EXPECT_EQ(shownTexture[i], tilePictureOf(board[i]).value_or(-1));
        shown += shownTexture[i] != 0 ? 1 : 0;
    }
    EXPECT_GT(shown, 100);

    runFlag = true;
    click(View::kClear);
    int occupied = 0;
    for (const CellState& cell : board) {
        occupied += cell.kind != kEmpty ? 1 : 0;
    }
    EXPECT_EQ(occupied, shown);
    runFlag = false;
    click(View::kClear);
    for (std::size_t i = 0; i < board.size(); ++i) {
        EXPECT_EQ(board[i].kind, kEmpty);
        EXPECT_EQ(shownTexture[i], 0);
    }
}

TEST_F(WindowProcedure, ClearWaitsWhileAGenerationIsStillFinishing) {
    board[5].kind = kCat;
    doUpdatesQuietly();
    {
        // The model's thread holds the generation; never this one, which
        // would then try a lock it holds.
        std::promise<void> locked;
        std::promise<void> finished;
        std::thread model([&locked, finishing = finished.get_future()] {
            const std::lock_guard generation(generationMutex);
            locked.set_value();
            finishing.wait();
        });
        locked.get_future().wait();
        CapturedTrace trace;
        click(View::kClear);
        EXPECT_EQ(board[5].kind, kCat);  // left for a later try
        EXPECT_EQ(trace.text(), "");
        finished.set_value();
        model.join();
    }
    click(View::kClear);
    EXPECT_EQ(board[5].kind, kEmpty);
    EXPECT_EQ(shownTexture[5], 0);
}

TEST_F(WindowProcedure, CommandsThatAreNotClicksOfOurButtonsAreSwallowed) {
    CapturedTrace trace;
    const std::vector<platform::WParam> ignored{
        commandParameter(View::kPlay, 1),  // a notification, not a click
        commandParameter(108), commandParameter(109), commandParameter(110),
        commandParameter(100), commandParameter(112), commandParameter(0xFFFF),
    };
    for (platform::WParam wParam : ignored) {
        EXPECT_EQ(viewWindowProc(nullptr, kCommandMessage, wParam, 0), 0);
    }
    EXPECT_FALSE(runFlag);
    EXPECT_TRUE(passedOn.empty());
    EXPECT_EQ(trace.text(), "");
    EXPECT_EQ(planeColour(), SbColor(0, 0, 0));
}

TEST_F(WindowProcedure, ACloseRequestEndsTheProgramWithoutPassingItOn) {
    EXPECT_EQ(viewWindowProc(nullptr, kCloseMessage, 0, 0), 0);
    EXPECT_TRUE(quitFlag);
    EXPECT_TRUE(passedOn.empty());
}

TEST_F(WindowProcedure, ButtonsPressedAfterTheCloseDoNothing) {
    board[5].kind = kCat;
    viewWindowProc(nullptr, kCloseMessage, 0, 0);
    CapturedTrace trace;
    click(View::kPlay);
    click(View::kClear);
    click(View::kMoreGreen);
    EXPECT_FALSE(runFlag);
    EXPECT_EQ(board[5].kind, kCat);
    EXPECT_EQ(planeColour(), SbColor(0, 0, 0));
    EXPECT_EQ(trace.text(), "");
}

TEST_F(WindowProcedure, UserMessagesCloseThroughTheBindingAndShowTheBoard) {
    EXPECT_EQ(viewWindowProc(nullptr, View::kCloseThroughBinding, 7, 9), 42);
    ASSERT_EQ(passedOn.size(), 1u);
    EXPECT_EQ(passedOn[0].message, kCloseMessage);
    EXPECT_EQ(passedOn[0].wParam, 7u);
    EXPECT_EQ(passedOn[0].lParam, 9);
    EXPECT_FALSE(quitFlag);

    board[17].kind = kLizard2;
    board[17].juvenile = 1;
    CapturedTrace trace;
    EXPECT_EQ(viewWindowProc(nullptr, View::kShowBoard, 0, 0), 0);
    EXPECT_EQ(shownTexture[17], 18);
    EXPECT_EQ(trace.text(), "  -- principio doUpdates --\n  -- fin       doUpdates --\n");
}

TEST_F(WindowProcedure, ReleasingTheSceneNeedsTheLiveViewsAddress) {
    SoSeparator* const root = tileRoot;
    View view;
    const int before = root->getRefCount();
    viewWindowProc(nullptr, View::kReleaseScene, 12345, 0);
    EXPECT_EQ(tileRoot, root);
    viewWindowProc(nullptr, View::kReleaseScene, reinterpret_cast<platform::WParam>(&view), 0);
    EXPECT_EQ(tileRoot, nullptr);
    EXPECT_EQ(root->getRefCount(), before - 1);
    EXPECT_EQ(selectionRoot->getChild(0), root);  // still drawn
}

TEST_F(WindowProcedure, OtherMessagesGoToTheBindingsProcedureUnchanged) {
    EXPECT_EQ(viewWindowProc(nullptr, 15, 3, 4), 42);
    EXPECT_EQ(viewWindowProc(nullptr, 1026, 5, 6), 42);
    ASSERT_EQ(passedOn.size(), 2u);
    EXPECT_EQ(passedOn[0].message, 15u);
    EXPECT_EQ(passedOn[1].message, 1026u);
    EXPECT_EQ(passedOn[1].wParam, 5u);
}

TEST(ButtonTable, EightButtonsInOrderWithTheFifthAt111) {
    const std::vector<std::string> files{"play.bmp", "stop.bmp", "limpia.bmp", "llena.bmp",
                                         "masVerde.bmp", "menosVerde.bmp", "masAzul.bmp", "menosAzul.bmp"};
    const std::vector<int> ids{101, 102, 103, 104, 111, 105, 106, 107};
    ASSERT_EQ(View::kButtons.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(View::kButtons[i].bitmapFile, files[i]);
        EXPECT_EQ(View::kButtons[i].commandId, ids[i]);
    }
}

TEST(WindowBinding, CommandParametersCarryTheIdLowAndTheNotificationHigh) {
    EXPECT_EQ(commandParameter(104), 104u);
    EXPECT_EQ(platform::lowWord(commandParameter(111, 3)), 111);
    EXPECT_EQ(platform::highWord(commandParameter(111, 3)), 3);
    EXPECT_EQ(platform::highWord(commandParameter(101)), 0);
}

TEST(WindowBinding, SendingToAWindowWhoseLoopIsNotRunningReturnsAtOnce) {
    EXPECT_EQ(platform::sendMessage(nullptr, View::kShowBoard, 0, 0), 0);
    View view;  // no window yet: the model's hand-off must not wait
    CapturedTrace trace;
    view.showBoard();
    EXPECT_EQ(trace.text(), "");
}

}  // namespace

TEST(WindowBinding, AtAFractionalScaleAnEventLandsOnTheDrawnPixelUnderThePointer) {
    // A view 942 pixels high at 125 %: Qt 5 reports the ratio as 1, so SoQt
    // places the pointer's logical row y at 941 - y.
    constexpr short kHeight = 942;
    EXPECT_EQ(platform::viewPixelUnderPointer(SbVec2s(0, 941), kHeight, 1.25), SbVec2s(0, 941));  // top left
    EXPECT_EQ(platform::viewPixelUnderPointer(SbVec2s(400, 941 - 300), kHeight, 1.25), SbVec2s(500, 941 - 375));
    EXPECT_EQ(platform::viewPixelUnderPointer(SbVec2s(860, 941 - 753), kHeight, 1.25), SbVec2s(1075, 0));
    // A whole-number ratio is SoQt's own business.
    EXPECT_EQ(platform::viewPixelUnderPointer(SbVec2s(123, 456), kHeight, 1.0), SbVec2s(123, 456));
}
