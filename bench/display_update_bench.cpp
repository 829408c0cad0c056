// The cost of copying the board into the scene: when every tile's picture
// changes, and when none does.

#include <cstdio>

#include <Inventor/SoDB.h>
#include <benchmark/benchmark.h>

#include "model/board.h"
#include "model/trace.h"
#include "view/display_update.h"
#include "view/scene.h"

namespace {

void fillWith(int kind) {
    for (CellState& cell : board) {
        cell = CellState{};
        cell.kind = static_cast<std::int8_t>(kind);
        cell.direction = 1;
        cell.phase = 1;
    }
}

void BM_DoUpdatesEveryTileChanges(benchmark::State& state) {
    bool cats = false;
    for (auto _ : state) {
        state.PauseTiming();
        fillWith(cats ? kCat : kLizard1);  // pictures 35 and 2 in turn
        cats = !cats;
        state.ResumeTiming();
        doUpdates();
    }
}
BENCHMARK(BM_DoUpdatesEveryTileChanges);

void BM_DoUpdatesNothingChanges(benchmark::State& state) {
    fillWith(kLizard2);
    doUpdates();
    for (auto _ : state) {
        doUpdates();
    }
}
BENCHMARK(BM_DoUpdatesNothingChanges);

}  // namespace

int main(int argc, char** argv) {
    SoDB::init();
    std::FILE* sink = std::fopen("/dev/null", "w");
    trace::setSink(sink);
    // Pictures are only read when drawn; their absence here costs nothing.
    std::FILE* quiet = std::freopen("/dev/null", "w", stderr);
    clearBoard();
    buildScene();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    (void)quiet;
    return 0;
}
