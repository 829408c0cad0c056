#include "platform/random.h"

namespace platform {
namespace {

constexpr std::uint32_t kMultiplier = 214013;
constexpr std::uint32_t kIncrement = 2531011;

// A thread that never seeds starts from 1, as the C library does.
thread_local std::uint32_t state = 1;

}  // namespace

void srand(std::uint32_t seed) { state = seed; }

int rand() {
    state = state * kMultiplier + kIncrement;  // wraps modulo 2^32 by design
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

int drawHeading() { return 1 + rand() % 8; }

std::uint8_t drawCoin() { return rand() % 2 == 0 ? 1 : 0; }

}  // namespace platform
