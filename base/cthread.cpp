#include "base/cthread.h"

#include <system_error>

#include "base/thread_flags.h"

CThread::CThread() : startRoutine(&CThread::sharedStartRoutine) {}

CThread::~CThread() { stop(); }

int CThread::run(int /*argument*/) { return static_cast<int>(exitCode); }

std::uint32_t CThread::sharedStartRoutine(void* object) {
    auto* self = static_cast<CThread*>(object);
    self->beforeRun();
    const int result = self->run(self->runArgument);
    self->afterRun();
    // The thread's exit code is run's result, so that a finished worker is
    // told apart from a running one and the entry point can report failure.
    return static_cast<std::uint32_t>(result);
}

void CThread::start() {
    runArgument = 0;
    try {
        threadHandle = std::make_unique<platform::Thread>(startRoutine, this);
        threadId = threadHandle->id();
    } catch (const std::system_error&) {
        threadHandle.reset();
    }
    exitCode = kNotFinished;
}

void CThread::stop() {
    if (!threadHandle) {
        return;
    }
    if (!threadHandle->hasEnded()) {
        quitFlag = true;
    }
    threadHandle->join();
    exitCode = threadHandle->exitCode();
    threadHandle.reset();
}

bool waitForBoth(const CThread& first, const CThread& second) {
    return platform::waitForAll({first.threadHandle.get(), second.threadHandle.get()});
}
