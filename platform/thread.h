#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <thread>

// Worker threads as the program uses them: start a routine with one pointer
// argument, ask whether it is still running and what it returned, wait for
// several at once, sleep. Built on the standard library's threads.
namespace platform {

// What a thread reports as its exit code while its routine is still running.
inline constexpr std::uint32_t kStillActive = 259;

using ThreadRoutine = std::uint32_t (*)(void* argument);

class Thread {
public:
    // Throws std::system_error when the system cannot create a thread.
    Thread(ThreadRoutine routine, void* argument);
    // Joins: a worker is never abandoned or killed.
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    [[nodiscard]] bool hasEnded() const;
    // kStillActive until the routine has returned, then what it returned.
    [[nodiscard]] std::uint32_t exitCode() const;
    [[nodiscard]] std::thread::id id() const { return worker_.get_id(); }

    void waitUntilEnded() const;
    void join();

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable ended_;
    bool hasEnded_ = false;
    std::uint32_t exitCode_ = kStillActive;
    std::thread worker_;  // last, so that the state above exists before it starts
};

// Waits without a time limit until every thread has ended. Returns false at
// once, waiting for none, when one of them is missing (it was never created).
bool waitForAll(std::initializer_list<const Thread*> threads);

void sleepFor(std::chrono::milliseconds duration);

}  // namespace platform
