#pragma once

#include <cstdint>

// The terrarium's random numbers: the classic linear congruential generator
// that C libraries of the desktop era shipped as rand()/srand(), so that a
// seed gives the same board and the same moves on every machine. Each thread
// has its own state, as each worker seeds its own generator.
namespace platform {

inline constexpr int kRandMax = 32767;

// Sets the calling thread's generator state to the seed.
void srand(std::uint32_t seed);

// Next value of the calling thread's generator, 0..kRandMax.
int rand();

// A heading from 1 to 8: 1 + (r mod 8).
int drawHeading();

// 1 when the next value is even, 0 when it is odd.
std::uint8_t drawCoin();

}  // namespace platform
