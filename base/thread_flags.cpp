#include "base/thread_flags.h"

std::atomic<bool> runFlag{false};
std::atomic<bool> quitFlag{false};
std::mutex boardMutex;
std::mutex generationMutex;

namespace {

// The accesses the calling thread has, the hand-off counted as one: while
// there is any, the board is this thread's and generationMutex, which the
// outermost took or the waiting model holds, is not tried again.
thread_local int accesses = 0;

}  // namespace

BoardAccess::BoardAccess() {
    if (accesses == 0) {
        locked_ = generationMutex.try_lock();
        if (!locked_) {
            return;
        }
    }
    granted_ = true;
    ++accesses;
}

BoardAccess::~BoardAccess() {
    if (granted_) {
        --accesses;
    }
    if (locked_) {
        generationMutex.unlock();
    }
}

bool BoardAccess::held() { return accesses > 0; }

BoardAccess::ModelWaits::ModelWaits() { ++accesses; }

BoardAccess::ModelWaits::~ModelWaits() { --accesses; }
