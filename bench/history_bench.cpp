// Going back through a long run: the memory that 100,000 generations of
// history take on the busy board (seed 5, 20 x 20), and the time to rebuild
// a generation of it, the worst case (the generation just before a kept
// board, replayed from the one before) and generations drawn at random; and
// the worst case on the largest board the window shows.

#include <cstdint>
#include <random>

#include <benchmark/benchmark.h>

#include "model/board.h"
#include "model/history.h"
#include "model/model.h"
#include "model/run_seeds.h"

namespace {

constexpr std::int64_t kGenerations = 100'000;
constexpr std::uint32_t kSeed = 5;

// The window's run with a fixed seed: generation k seeded with seed + k.
void record(RunHistory& history, int side, std::int64_t generations) {
    Rules rules;
    rules.width = side;
    rules.height = side;
    Board squares(side, side);
    Model model;
    model.rules = rules;
    model.setUpLattice(squares);
    clearBoard(squares);
    fillBoard(squares, kSeed, rules, model.generator(), model.traceLines());
    history.restart(squares, rules);
    for (std::int64_t k = 1; k <= generations; ++k) {
        model.generator().seed(seedOfGeneration(kSeed, k));
        model.computeGeneration();
        history.record(model.generationSeed(), squares);
    }
}

const RunHistory& recorded() {
    static const RunHistory history = [] {
        RunHistory made;
        record(made, Rules{}.width, kGenerations);
        return made;
    }();
    return history;
}

void reportMemory(benchmark::State& state, const RunHistory& history) {
    state.counters["history_MiB"] = static_cast<double>(history.bytes()) / (1 << 20);
    state.counters["budget_MiB"] = static_cast<double>(history.budget()) / (1 << 20);
    state.counters["earliest"] = static_cast<double>(history.earliest());
}

void BM_RebuildWorstCase(benchmark::State& state) {
    const RunHistory& history = recorded();
    const std::int64_t worst = kGenerations - kGenerations % history.interval() - 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.rebuild(worst));
    }
    reportMemory(state, history);
}
BENCHMARK(BM_RebuildWorstCase)->Unit(benchmark::kMillisecond);

void BM_RebuildAnyGeneration(benchmark::State& state) {
    const RunHistory& history = recorded();
    std::mt19937_64 pick(1);
    std::uniform_int_distribution<std::int64_t> generation(history.earliest(), history.latest());
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.rebuild(generation(pick), 210));
    }
    reportMemory(state, history);
}
BENCHMARK(BM_RebuildAnyGeneration)->Unit(benchmark::kMillisecond);

// A 100 x 100 board, the largest the window shows: boards kept more often.
void BM_RebuildWorstCaseLargestWindowBoard(benchmark::State& state) {
    static const RunHistory history = [] {
        RunHistory made;
        record(made, 100, 1000);
        return made;
    }();
    const std::int64_t worst = 1000 - 1000 % history.interval() - 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.rebuild(worst));
    }
    reportMemory(state, history);
    state.counters["interval"] = static_cast<double>(history.interval());
}
BENCHMARK(BM_RebuildWorstCaseLargestWindowBoard)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
