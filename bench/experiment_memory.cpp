// The memory an experiment in the window holds as its runs go by: its rows
// go to the table and its tally keeps counts only, so the resident size
// should level off however many runs there are. Runs an experiment of
// RUNS runs of 20 generations (hatch 1 to 10 on a 20 x 20 board, the seeds
// that make up RUNS) on JOBS threads, and prints the peak resident size
// after each tenth of them.
//   experiment_memory [RUNS [JOBS [TABLE]]]     (default 1000000 1 /tmp)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "studies/experiment_run.h"

namespace {

// VmHWM, the peak resident size so far, in kB.
long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t runs = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
    ExperimentSetup setup;
    setup.variations = {{"hatch", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}};
    setup.seeds = {1, runs / 10};
    setup.generations = 20;
    setup.jobs = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const std::filesystem::path table =
        std::filesystem::path(argc > 3 ? argv[3] : std::filesystem::temp_directory_path().string()) /
        ("vivar-experiment-memory-" + std::to_string(runs) + ".csv");
    std::filesystem::remove(table);
    std::string problem;
    const auto started = std::chrono::steady_clock::now();
    auto run = ExperimentRun::start(setup, table, problem);
    if (!run) {
        std::fprintf(stderr, "experiment_memory: %s\n", problem.c_str());
        return 1;
    }
    std::printf("%llu runs of 20 generations on %u threads, rows to %s\n", static_cast<unsigned long long>(runs),
                setup.jobs, table.string().c_str());
    std::uint64_t nextTenth = 1;
    for (;;) {
        const ExperimentRun::Progress progress = run->progress();
        // The window copies the tally for its plot twice a second.
        const std::size_t points = run->tally().points().size();
        while (nextTenth <= 10 && progress.done * 10 >= runs * nextTenth) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            std::printf("  %9llu runs: peak resident %6ld kB, %zu points, %.0f s\n",
                        static_cast<unsigned long long>(progress.done), peakKilobytes(), points, seconds);
            std::fflush(stdout);
            ++nextTenth;
        }
        if (progress.state != ExperimentRun::State::kRunning) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    std::filesystem::remove(table);
    return 0;
}
