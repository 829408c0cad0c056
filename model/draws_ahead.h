#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "platform/random.h"

// The generator's values for the generations of a seeded run, made on
// another core while this one computes. Every generation of such a run is
// seeded with a number known in advance, and finding the visiting order was
// two fifths of a busy generation, most of it waiting on the generator and
// on the division that turns a value into a square. Each value is made with
// the square it draws.
class DrawsAhead {
public:
    // Makes the values of the seeds first, first + 1, ... (wrapping), in
    // turn, for a board of this many squares (at most 32768, so that a
    // value can draw any of them), to seed `generator` with.
    DrawsAhead(std::uint32_t first, std::size_t squareCount, platform::Generator& generator);
    // The generator then goes on from where it got to.
    ~DrawsAhead();
    DrawsAhead(const DrawsAhead&) = delete;
    DrawsAhead& operator=(const DrawsAhead&) = delete;

    // Seeds the generator with the next seed in turn, as srand would, its
    // values ready; the values of the seed before are given back.
    void seedNext();

private:
    // A busy generation draws about 2,900 values; a longer one goes on
    // past the entries with the generator itself.
    static constexpr std::size_t kValuesPerSeed = 4096;
    // Enough seeds ahead that the maker, looking for free slots after each
    // nap, is not waited for: a nap lasts at most some 100 us, a busy
    // generation about 16 us.
    static constexpr std::uint32_t kSlots = 16;

    struct Slot {
        std::array<std::uint16_t, kValuesPerSeed> values;
        std::array<std::uint16_t, kValuesPerSeed> squares;
        std::uint32_t stateAfter = 0;
    };

    void make();

    std::uint32_t first_;
    std::uint32_t squareCount_;
    platform::Generator& generator_;
    std::array<Slot, kSlots> slots_{};
    // Counts of seeds, which wrap: only their differences are compared, and
    // 32 bits let the waits go straight to the system's futex.
    std::atomic<std::uint32_t> made_{0};      // seeds whose values are ready
    std::atomic<std::uint32_t> released_{0};  // seeds whose values are no longer read
    std::atomic<bool> quit_{false};
    std::uint32_t taken_ = 0;  // seeds handed to the caller
    std::thread maker_;
};
