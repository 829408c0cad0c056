#include "platform/random.h"

namespace platform {

void srand(std::uint32_t seed) { detail::state = seed; }

int drawHeading() { return 1 + rand() % 8; }

std::uint8_t drawCoin() { return rand() % 2 == 0 ? 1 : 0; }

}  // namespace platform
