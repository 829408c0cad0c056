#pragma once

#include <cstdint>

// The terrarium's random numbers: the classic linear congruential generator
// that C libraries of the desktop era shipped as rand()/srand(), so that a
// seed gives the same board and the same moves on every machine. Each thread
// has its own state, as each worker seeds its own generator.
namespace platform {

inline constexpr int kRandMax = 32767;

namespace detail {

// A thread that never seeds starts from 1, as the C library does.
inline thread_local std::uint32_t state = 1;

}  // namespace detail

// Sets the calling thread's generator state to the seed.
void srand(std::uint32_t seed);

// Next value of the calling thread's generator, 0..kRandMax. Inline, since
// the visiting order draws it a few thousand times a generation.
inline int rand() {
    constexpr std::uint32_t kMultiplier = 214013;
    constexpr std::uint32_t kIncrement = 2531011;
    detail::state = detail::state * kMultiplier + kIncrement;  // wraps modulo 2^32 by design
    return static_cast<int>((detail::state >> 16) & 0x7FFFu);
}

// A heading from 1 to 8: 1 + (r mod 8).
int drawHeading();

// 1 when the next value is even, 0 when it is odd.
std::uint8_t drawCoin();

}  // namespace platform
