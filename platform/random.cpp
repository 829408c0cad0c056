#include "platform/random.h"

namespace platform {

void Generator::seedAhead(std::uint32_t value, std::span<const std::uint16_t> values, const std::uint16_t* tags,
                          std::uint32_t stateAfter) {
    *this = Generator{stateAfter, {values.data(), values.data() + values.size(), values.data(), tags, value}};
}

void Generator::settleAhead() {
    if (ahead.next != ahead.end) {
        std::uint32_t settled = ahead.seed;
        for (const std::uint16_t* drawn = ahead.first; drawn != ahead.next; ++drawn) {
            settled = detail::step(settled);
        }
        state = settled;
    }
    ahead = {};
}

void srand(std::uint32_t seed) { detail::generator.seed(seed); }

void srandAhead(std::uint32_t seed, std::span<const std::uint16_t> values, const std::uint16_t* tags,
                std::uint32_t stateAfter) {
    threadGenerator().seedAhead(seed, values, tags, stateAfter);
}

void settleAhead() { threadGenerator().settleAhead(); }

int drawHeading() { return threadGenerator().heading(); }

std::uint8_t drawCoin() { return threadGenerator().coin(); }

}  // namespace platform
