#include "platform/random.h"

namespace platform {

void srand(std::uint32_t seed) { detail::generator = {seed, {}}; }

void srandAhead(std::uint32_t seed, std::span<const std::uint16_t> values, const std::uint16_t* tags,
                std::uint32_t stateAfter) {
    detail::generator = {stateAfter, {values.data(), values.data() + values.size(), values.data(), tags, seed}};
}

void settleAhead() {
    Generator& generator = threadGenerator();
    if (generator.ahead.next != generator.ahead.end) {
        std::uint32_t state = generator.ahead.seed;
        for (const std::uint16_t* drawn = generator.ahead.first; drawn != generator.ahead.next; ++drawn) {
            state = detail::step(state);
        }
        generator.state = state;
    }
    generator.ahead = {};
}

int drawHeading() { return threadGenerator().heading(); }

std::uint8_t drawCoin() { return threadGenerator().coin(); }

}  // namespace platform
