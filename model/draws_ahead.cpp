#include "model/draws_ahead.h"

#include "model/board.h"
#include "model/run_seeds.h"
#include "platform/random.h"
#include "platform/system.h"

DrawsAhead::DrawsAhead(std::uint32_t first, std::size_t squareCount, platform::Generator& generator)
    : first_(first),
      squareCount_(static_cast<std::uint32_t>(squareCount)),
      generator_(generator),
      maker_([this] { make(); }) {}

DrawsAhead::~DrawsAhead() {
    generator_.settleAhead();
    quit_ = true;
    maker_.join();
}

void DrawsAhead::make() {
    const auto squareOf = [count = squareCount_](std::uint32_t value) { return value % count; };
    for (std::uint32_t index = 0; !quit_; ++index) {
        // A slot is free once the seed kSlots before this one is released.
        // Looking again after a nap, rather than being woken, keeps system
        // calls off the computing thread.
        while (index - released_.load() >= kSlots) {
            platform::napBriefly();
            if (quit_) {
                return;
            }
        }
        Slot& slot = slots_[index % kSlots];
        slot.stateAfter = platform::makeAhead(seedOfGeneration(first_, index), slot.values, slot.squares, squareOf);
        made_.store(index + 1);
        platform::announceChange(made_);
    }
}

void DrawsAhead::seedNext() {
    released_.store(taken_);
    platform::waitForChange(made_, taken_);
    const Slot& slot = slots_[taken_ % kSlots];
    generator_.seedAhead(seedOfGeneration(first_, taken_), slot.values, slot.squares.data(), slot.stateAfter);
    ++taken_;
}
