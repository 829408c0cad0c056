#pragma once

#include <cstdint>
#include <memory>
#include <thread>

#include "platform/thread.h"

// One worker thread: start() runs beforeRun, run and afterRun on a new
// thread; stop() waits for it and forgets it.
class CThread {
public:
    CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    virtual int run(int argument);
    virtual void beforeRun() {}
    virtual void afterRun() {}

    // Starts the thread with run's argument 0. When the system refuses a
    // thread, threadHandle stays null.
    void start();
    // Reads the exit code and drops the handle. A worker that is still
    // running is asked to end (quitFlag) and joined, never killed.
    void stop();

    // The routine every worker thread runs; its argument is the CThread.
    static std::uint32_t sharedStartRoutine(void* object);

    static constexpr std::uint32_t kNotFinished = static_cast<std::uint32_t>(-1);

    std::unique_ptr<platform::Thread> threadHandle;
    std::thread::id threadId;
    int runArgument = 0;
    std::uint32_t exitCode = 0;
    platform::ThreadRoutine startRoutine;

protected:
    // Not virtual: workers are locals of the entry point, never deleted
    // through a CThread pointer. It stops a thread still known here.
    ~CThread();
};

// Waits for both workers without a time limit; false at once when either
// has no thread.
bool waitForBoth(const CThread& first, const CThread& second);
