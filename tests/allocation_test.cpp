// A generation must not allocate: this executable counts every C++
// allocation made while generations run on a busy board.

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "model/trace.h"
#include "platform/random.h"
#include "support/terrarium.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

class Allocations : public Terrarium, public ::testing::Test {};

TEST_F(Allocations, GenerationsOnABusyBoardAllocateNothing) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    ASSERT_NE(sink, nullptr);
    trace::Sink devNull(sink);
    model.traceTo(&devNull);
    fillBoard(board, 2024, model.rules, model.generator(), model.traceLines());
    int creatures = 0;
    for (const CellState& cell : board) {
        creatures += cell.kind != kEmpty ? 1 : 0;
    }
    ASSERT_GT(creatures, 120);

    const long before = allocations.load();
    for (int generation = 1; generation <= 50; ++generation) {
        model.generator().seed(static_cast<std::uint32_t>(2024 + generation));
        model.computeGeneration();
    }
    const long during = allocations.load() - before;
    model.traceTo(nullptr);
    std::fclose(sink);
    EXPECT_EQ(during, 0);

    // The counter does see allocations.
    auto* probe = new int(1);
    EXPECT_EQ(allocations.load() - before, 1);
    delete probe;
}

}  // namespace
