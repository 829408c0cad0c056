#include <atomic>
#include <cstdlib>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/cthread.h"
#include "base/thread_flags.h"
#include "app/lifecycle.h"
#include "app/run_session.h"
#include "app/steering.h"
#include "model/board.h"
#include "model/model.h"
#include "support/captured_trace.h"
#include "view/view.h"

namespace {

class RecordingWorker : public CThread {
public:
    explicit RecordingWorker(int result) : result_(result) {}
    ~RecordingWorker() { stop(); }

    void beforeRun() override { calls.push_back("before"); }
    int run(int argument) override {
        calls.push_back("run " + std::to_string(argument));
        return result_;
    }
    void afterRun() override { calls.push_back("after"); }

    std::vector<std::string> calls;

private:
    int result_;
};

TEST(WorkerThreads, RunBeforeRunRunAndAfterRunInOrderAndStopForgetsTheThread) {
    RecordingWorker worker(7);
    EXPECT_EQ(worker.threadHandle, nullptr);
    EXPECT_EQ(worker.startRoutine, &CThread::sharedStartRoutine);
    worker.start();
    ASSERT_NE(worker.threadHandle, nullptr);
    EXPECT_EQ(worker.exitCode, CThread::kNotFinished);
    worker.threadHandle->waitUntilEnded();
    worker.stop();
    EXPECT_EQ(worker.threadHandle, nullptr);
    EXPECT_EQ(worker.exitCode, 7u);
    EXPECT_EQ(worker.calls, (std::vector<std::string>{"before", "run 0", "after"}));
    worker.stop();  // a second stop finds no thread and changes nothing
    EXPECT_EQ(worker.exitCode, 7u);
}

// Polls quitFlag as the stopped model does.
class PollingWorker : public CThread {
public:
    ~PollingWorker() { stop(); }
    int run(int) override {
        while (!quitFlag) {
            platform::sleepFor(std::chrono::milliseconds(5));
        }
        return 3;
    }
};

TEST(WorkerThreads, StoppingARunningWorkerAsksItToEndAndWaits) {
    quitFlag = false;
    PollingWorker worker;
    worker.start();
    worker.stop();
    EXPECT_TRUE(quitFlag);
    EXPECT_EQ(worker.exitCode, 3u);
    EXPECT_EQ(worker.threadHandle, nullptr);
    quitFlag = false;
}

class FakeView : public CThread {
public:
    FakeView(const CThread& model, int result) : model_(model), result_(result) {}
    ~FakeView() { stop(); }
    void beforeRun() override { modelWasStarted = model_.threadHandle != nullptr; }
    int run(int) override {
        quitFlag = true;
        return result_;
    }
    bool modelWasStarted = false;

private:
    const CThread& model_;
    int result_;
};

TEST(StartUp, StartsTheModelFirstAndStopsBothWhenTheViewEnds) {
    quitFlag = false;
    PollingWorker model;
    FakeView view(model, 0);
    EXPECT_EQ(runWorkers(model, view), 0);
    EXPECT_TRUE(view.modelWasStarted);
    EXPECT_EQ(model.threadHandle, nullptr);
    EXPECT_EQ(view.threadHandle, nullptr);
    quitFlag = false;
}

TEST(StartUp, AViewWithoutAWindowEndsTheModelAndFailsTheRun) {
    // No display, whatever the test runs under.
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    quitFlag = false;
    runFlag = false;
    Model model;
    model.setUpLattice();
    // So slow that the model's last generation would keep the test an hour
    // if the view's end did not end its pauses.
    RunOptions slowest;
    slowest.paceMilliseconds = 3'600'000;
    Steering steering(slowest);
    RunSession session(std::nullopt, Rules{});
    steering.steer(model, session);
    View view;
    view.steer(steering, session);
    CapturedTrace trace;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runWorkers(model, view), 1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("could not open"), std::string::npos);
    EXPECT_EQ(trace.lines().at(0), "view creada\n");
    EXPECT_EQ(trace.lines().at(1), "vista valore de corre = 0\n");
    EXPECT_EQ(trace.lines().at(2).rfind("vista  valore de &corre = ", 0), 0u);
    quitFlag = false;
    if (!savedDisplay.empty()) {
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    }
}

// Whether another thread finds the generation lock taken, as the model
// would at the start of a generation.
bool lockedForTheModel() {
    return std::async(std::launch::async, [] {
               const std::unique_lock tried(generationMutex, std::try_to_lock);
               return !tried.owns_lock();
           }).get();
}

// Holds the generation lock on a thread of its own, as the model does while
// it computes a generation and hands it off.
class GenerationUnderWay {
public:
    GenerationUnderWay() {
        std::promise<void> locked;
        std::future<void> lockedYet = locked.get_future();
        model_ = std::thread([this, &locked] {
            const std::lock_guard generation(generationMutex);
            locked.set_value();
            finished_.get_future().wait();
        });
        lockedYet.wait();
    }
    ~GenerationUnderWay() {
        finished_.set_value();
        model_.join();
    }

private:
    std::promise<void> finished_;
    std::thread model_;
};

TEST(BoardAccess, AnAccessWithinAnotherTakesNothingMoreAndTheOuterOneLetsTheLockGo) {
    ASSERT_FALSE(BoardAccess::held());
    {
        const BoardAccess outer;
        ASSERT_TRUE(outer);
        EXPECT_TRUE(lockedForTheModel());
        {
            // A deselection that retells the square while a fill resizes
            // the board: the view thread holds the lock already.
            const BoardAccess inner;
            EXPECT_TRUE(inner);
            EXPECT_TRUE(BoardAccess::held());
        }
        EXPECT_TRUE(BoardAccess::held());
        EXPECT_TRUE(lockedForTheModel());
    }
    EXPECT_FALSE(BoardAccess::held());
    EXPECT_FALSE(lockedForTheModel());
}

TEST(BoardAccess, NoneWhileAGenerationIsComputedYetGrantedWhileTheModelWaitsForTheBoardToBeShown) {
    const GenerationUnderWay generation;
    {
        const BoardAccess tried;
        EXPECT_FALSE(tried);
        EXPECT_FALSE(BoardAccess::held());
    }
    {
        const BoardAccess::ModelWaits handOff;
        const BoardAccess shown;
        EXPECT_TRUE(shown);
        const BoardAccess within;
        EXPECT_TRUE(within);
    }
    EXPECT_FALSE(BoardAccess::held());
    EXPECT_TRUE(lockedForTheModel());  // still the model's
}

}  // namespace
