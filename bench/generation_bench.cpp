// The cost of one generation on a freshly filled board, with the trace
// written to a sink that discards it and with the trace off.

#include <cstdio>

#include <benchmark/benchmark.h>

#include "model/board.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

void runGenerations(benchmark::State& state, std::FILE* sink) {
    Model model;
    model.setUpLattice();
    trace::setSink(nullptr);
    fillBoard(12345);
    const auto filled = board;
    trace::setSink(sink);
    std::uint32_t seed = 1;
    for (auto _ : state) {
        // Restoring the board (a 24 kB copy) keeps every iteration as busy
        // as the first; it costs about a microsecond.
        board = filled;
        platform::srand(seed++);
        model.computeGeneration();
        benchmark::DoNotOptimize(board.data());
    }
    trace::setSink(stdout);
}

void BM_GenerationTracedToDevNull(benchmark::State& state) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    runGenerations(state, sink);
    std::fclose(sink);
}
BENCHMARK(BM_GenerationTracedToDevNull);

void BM_GenerationTraceOff(benchmark::State& state) { runGenerations(state, nullptr); }
BENCHMARK(BM_GenerationTraceOff);

}  // namespace

BENCHMARK_MAIN();
