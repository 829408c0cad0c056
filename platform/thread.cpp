#include "platform/thread.h"

#include <algorithm>

namespace platform {

Thread::Thread(ThreadRoutine routine, void* argument)
    : worker_([this, routine, argument] {
          const std::uint32_t result = routine(argument);
          const std::lock_guard lock(mutex_);
          exitCode_ = result;
          hasEnded_ = true;
          ended_.notify_all();
      }) {}

Thread::~Thread() { join(); }

bool Thread::hasEnded() const {
    const std::lock_guard lock(mutex_);
    return hasEnded_;
}

std::uint32_t Thread::exitCode() const {
    const std::lock_guard lock(mutex_);
    return exitCode_;
}

void Thread::waitUntilEnded() const {
    std::unique_lock lock(mutex_);
    ended_.wait(lock, [this] { return hasEnded_; });
}

void Thread::join() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

bool waitForAll(std::initializer_list<const Thread*> threads) {
    if (std::any_of(threads.begin(), threads.end(), [](const Thread* t) { return t == nullptr; })) {
        return false;
    }
    for (const Thread* thread : threads) {
        thread->waitUntilEnded();
    }
    return true;
}

void sleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace platform
