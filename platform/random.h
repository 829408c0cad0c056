#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The terrarium's random numbers: the classic linear congruential generator
// that C libraries of the desktop era shipped as rand()/srand(), so that a
// seed gives the same board and the same moves on every machine. Each thread
// has its own state, as each worker seeds its own generator.
namespace platform {

inline constexpr int kRandMax = 32767;

namespace detail {

inline constexpr std::uint32_t kMultiplier = 214013;
inline constexpr std::uint32_t kIncrement = 2531011;

[[nodiscard]] constexpr std::uint32_t step(std::uint32_t from) {
    return from * kMultiplier + kIncrement;  // wraps modulo 2^32 by design
}

[[nodiscard]] constexpr int valueOf(std::uint32_t from) { return static_cast<int>((from >> 16) & 0x7FFFu); }

// Values made ahead for the latest seeding that are not handed out yet.
struct Ahead {
    const std::uint16_t* next = nullptr;
    const std::uint16_t* end = nullptr;
    const std::uint16_t* first = nullptr;
    const std::uint16_t* tags = nullptr;
    std::uint32_t seed = 0;
};

}  // namespace detail

// A generator: each thread has one (threadGenerator(), which rand and srand
// use), and a model or a run may have its own. A loop that draws many values
// from a thread's looks it up once: where thread-local storage is emulated
// (MinGW's Windows builds), every look-up is a function call.
struct Generator {
    // One never seeded starts from 1, as the C library does.
    std::uint32_t state = 1;
    detail::Ahead ahead{};

    // As srand(seed) does to a thread's.
    void seed(std::uint32_t value) { *this = Generator{value, {}}; }
    // See srandAhead and settleAhead below.
    void seedAhead(std::uint32_t value, std::span<const std::uint16_t> values, const std::uint16_t* tags,
                   std::uint32_t stateAfter);
    void settleAhead();

    int rand() {
        if (ahead.next != ahead.end) {
            return *ahead.next++;
        }
        state = detail::step(state);
        return detail::valueOf(state);
    }
    // A heading from 1 to 8, and a coin, as drawHeading and drawCoin below.
    int heading() { return 1 + rand() % 8; }
    std::uint8_t coin() { return rand() % 2 == 0 ? 1 : 0; }
    // See tagsAhead and handOutAhead below.
    [[nodiscard]] std::span<const std::uint16_t> tagsAhead() const {
        return {ahead.tags + (ahead.next - ahead.first), ahead.tags + (ahead.end - ahead.first)};
    }
    void handOutAhead(std::size_t count) { ahead.next += count; }
};

namespace detail {
inline thread_local Generator generator{};
}  // namespace detail

[[nodiscard]] inline Generator& threadGenerator() { return detail::generator; }

// Sets the calling thread's generator state to the seed.
void srand(std::uint32_t seed);

// Next value of the calling thread's generator, 0..kRandMax. Inline, since
// the visiting order draws it a few thousand times a generation.
inline int rand() { return detail::generator.rand(); }

// A heading from 1 to 8: 1 + (r mod 8).
int drawHeading();

// 1 when the next value is even, 0 when it is odd.
std::uint8_t drawCoin();

// Values made before they are drawn, by another thread, say, each with a
// tag that its maker derived from it.
//
// makeAhead fills `values` with the first values that srand(seed) would
// give and `tags` with tag(value) for each, and returns the generator's
// state after the last of them.
template <typename Tag>
std::uint32_t makeAhead(std::uint32_t seed, std::span<std::uint16_t> values, std::span<std::uint16_t> tags, Tag tag) {
    const auto put = [&](std::size_t position, std::uint32_t state) {
        const auto value = static_cast<std::uint16_t>(detail::valueOf(state));
        values[position] = value;
        tags[position] = static_cast<std::uint16_t>(tag(value));
    };
    // Four runs of the generator side by side, each stepping four values at
    // a time: a single run would wait on its own multiply at every value.
    constexpr std::uint32_t kMultiplier4 =
        detail::kMultiplier * detail::kMultiplier * detail::kMultiplier * detail::kMultiplier;
    constexpr std::uint32_t kIncrement4 = detail::step(detail::step(detail::step(detail::step(0))));
    std::uint32_t run0 = detail::step(seed);
    std::uint32_t run1 = detail::step(run0);
    std::uint32_t run2 = detail::step(run1);
    std::uint32_t run3 = detail::step(run2);
    std::uint32_t last = seed;
    const std::size_t inFours = values.size() - values.size() % 4;
    std::size_t position = 0;
    for (; position < inFours; position += 4) {
        put(position, run0);
        put(position + 1, run1);
        put(position + 2, run2);
        put(position + 3, run3);
        last = run3;
        run0 = run0 * kMultiplier4 + kIncrement4;
        run1 = run1 * kMultiplier4 + kIncrement4;
        run2 = run2 * kMultiplier4 + kIncrement4;
        run3 = run3 * kMultiplier4 + kIncrement4;
    }
    for (; position < values.size(); ++position) {
        last = detail::step(last);
        put(position, last);
    }
    return last;
}

// Seeds the calling thread as srand(seed) would, given what makeAhead made
// from that seed and the state it returned: rand() hands out those values
// first, then goes on from that state. They must stay in place until the
// thread seeds again or calls settleAhead. Generator::seedAhead does the
// same to a generator.
void srandAhead(std::uint32_t seed, std::span<const std::uint16_t> values, const std::uint16_t* tags,
                std::uint32_t stateAfter);

// Lets the calling thread's generator go on by itself from the first value
// made ahead that it has not handed out, so that the values can go.
// Generator::settleAhead does the same to a generator.
void settleAhead();

// The tags of the values made ahead that rand() has not handed out yet, in
// order, for a caller that draws by tag; handOutAhead(n) then counts the
// first n of them as drawn.
[[nodiscard]] inline std::span<const std::uint16_t> tagsAhead() { return detail::generator.tagsAhead(); }
inline void handOutAhead(std::size_t count) { detail::generator.handOutAhead(count); }

}  // namespace platform
