#pragma once

#include <cstdint>

// The generator keeps 32 bits of its seed, so a larger seed would only
// repeat a smaller one's run.
inline constexpr std::uint64_t kLargestSeed = 4294967295;

// The seed that generation k of a run seeded with `seed` starts the
// generator from: seed + k, as if one second passed per generation since
// the fill at calendar second `seed` (generation 0), wrapping as the
// generator's 32 bits do. vivar-sim, the window and board files all go on
// from it, so that a run is the same wherever it is made.
[[nodiscard]] constexpr std::uint32_t seedOfGeneration(std::uint64_t seed, std::int64_t generation) {
    return static_cast<std::uint32_t>((seed + static_cast<std::uint64_t>(generation)) & kLargestSeed);
}
