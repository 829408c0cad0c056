#include "platform/random.h"

namespace platform {

void srand(std::uint32_t seed) {
    detail::state = seed;
    detail::ahead = {};
}

void srandAhead(std::uint32_t seed, std::span<const std::uint16_t> values, const std::uint16_t* tags,
                std::uint32_t stateAfter) {
    detail::state = stateAfter;
    detail::ahead = {values.data(), values.data() + values.size(), values.data(), tags, seed};
}

void settleAhead() {
    if (detail::ahead.next == detail::ahead.end) {
        detail::ahead = {};
        return;
    }
    std::uint32_t state = detail::ahead.seed;
    for (const std::uint16_t* drawn = detail::ahead.first; drawn != detail::ahead.next; ++drawn) {
        state = detail::step(state);
    }
    detail::state = state;
    detail::ahead = {};
}

int drawHeading() { return 1 + rand() % 8; }

std::uint8_t drawCoin() { return rand() % 2 == 0 ? 1 : 0; }

}  // namespace platform
