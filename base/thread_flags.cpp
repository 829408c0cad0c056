#include "base/thread_flags.h"

std::atomic<bool> runFlag{false};
std::atomic<bool> quitFlag{false};
std::mutex boardMutex;
std::mutex generationMutex;
