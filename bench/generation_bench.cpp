// The cost of one generation, with the trace written to a sink that
// discards it and with the trace off, and of the visiting order alone.
//
// The headline is a busy board: seed 5 after 2000 generations, settled near
// 300 lizards, 40 eggs and 38 cats. The light board is seed 12345 after
// 2000 generations, when only its 42 cats are left.

#include <cstdint>
#include <cstdio>

#include <benchmark/benchmark.h>

#include "model/board.h"
#include "model/model.h"
#include "model/seeded_run.h"
#include "model/trace.h"

namespace {

constexpr int kSettlingGenerations = 2000;

// The board that a seeded run reaches after settling, as vivar-sim runs it.
Board settledBoard(Model& model, std::uint32_t seed) {
    clearBoard();
    fillBoard(board, seed, model.rules, model.generator(), model.traceLines());
    for (std::uint32_t k = 1; k <= kSettlingGenerations; ++k) {
        model.generator().seed(seedOfGeneration(seed, k));
        model.computeGeneration();
    }
    return board;
}

void runGenerations(benchmark::State& state, std::uint32_t seed, std::FILE* file) {
    Model model;
    model.setUpLattice();
    const auto settled = settledBoard(model, seed);
    trace::Sink sink(file);
    model.traceTo(&sink);
    std::uint32_t next = seedOfGeneration(seed, kSettlingGenerations + 1);
    for (auto _ : state) {
        // Restoring the board (a 29 kB copy) keeps every iteration as busy
        // as the first; it costs about a microsecond.
        board = settled;
        model.generator().seed(next++);
        model.computeGeneration();
        benchmark::DoNotOptimize(board.data());
    }
    model.traceLines().flush();
    model.traceTo(nullptr);
}

void BM_BusyGenerationTracedToDevNull(benchmark::State& state) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    runGenerations(state, 5, sink);
    std::fclose(sink);
}
BENCHMARK(BM_BusyGenerationTracedToDevNull);

void BM_BusyGenerationTraceOff(benchmark::State& state) { runGenerations(state, 5, nullptr); }
BENCHMARK(BM_BusyGenerationTraceOff);

void BM_LightGenerationTraceOff(benchmark::State& state) { runGenerations(state, 12345, nullptr); }
BENCHMARK(BM_LightGenerationTraceOff);

// Generations of a 2000 x 2000 board from a fill, one after another, trace
// off: the cost per square where the board is far larger than any cache
// and the order is shuffled. Compare its square-turns per second with the
// busy board's, about 400 / its time per generation.
void BM_LargeBoardGenerationTraceOff(benchmark::State& state) {
    Rules rules;
    rules.width = 2000;
    rules.height = 2000;
    SeededRun run(rules, nullptr);
    run.start(5);
    for (auto _ : state) {
        run.step();
    }
    state.counters["square-turns/s"] = benchmark::Counter(
        static_cast<double>(rules.squareCount()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LargeBoardGenerationTraceOff)->Unit(benchmark::kMillisecond);

// The 400 draws of one generation's visiting order, without the turns.
void BM_VisitingOrder(benchmark::State& state) {
    Model model;
    model.setUpLattice();
    std::uint32_t seed = 1;
    for (auto _ : state) {
        model.generator().seed(seed++);
        for (std::size_t draw = 0; draw < Rules{}.squareCount(); ++draw) {
            benchmark::DoNotOptimize(model.drawSquare());
        }
    }
}
BENCHMARK(BM_VisitingOrder);

}  // namespace

BENCHMARK_MAIN();
