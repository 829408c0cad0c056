#include "model/sweep.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "model/rules.h"
#include "model/seeded_run.h"

namespace {

// A run's finished text, waiting for its turn in the output.
struct Slot {
    std::string text;
    bool ready = false;
};

}  // namespace

void sweepSeeds(SeedRange range, unsigned jobs, const Rules& rules, const SeedWork& work, const SeedOutput& output) {
    sweepRuns(
        range.size(), jobs, [&rules](std::uint64_t) { return rules; },
        [&](SeededRun& run, std::uint64_t index, std::string& text) { work(run, range.first + index, text); }, output);
}

void sweepRuns(std::uint64_t count, unsigned jobs, const RulesOfRun& rulesOf, const RunWork& work,
               const SeedOutput& output) {
    // Run number i waits in slot i mod window.
    const std::uint64_t window = 2 * static_cast<std::uint64_t>(jobs);
    std::vector<Slot> slots(static_cast<std::size_t>(window));
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t nextToStart = 0;
    std::uint64_t nextToOutput = 0;

    auto worker = [&] {
        // A SeededRun's board and lattice are made for its rules: a new one
        // only when the rules change.
        std::unique_ptr<SeededRun> run;
        std::string text;
        for (;;) {
            std::uint64_t index = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return nextToStart == count || nextToStart < nextToOutput + window; });
                if (nextToStart == count) {
                    return;
                }
                index = nextToStart++;
            }
            const Rules rules = rulesOf(index);
            if (!run || run->rules() != rules) {
                run.reset();
                run = std::make_unique<SeededRun>(rules);
            }
            text.clear();
            work(*run, index, text);
            {
                const std::lock_guard lock(mutex);
                Slot& slot = slots[static_cast<std::size_t>(index % window)];
                slot.text.swap(text);
                slot.ready = true;
            }
            changed.notify_all();
        }
    };
    std::vector<std::jthread> workers;
    for (unsigned j = 0; j < jobs; ++j) {
        workers.emplace_back(worker);
    }

    std::string text;
    while (nextToOutput < count) {
        {
            std::unique_lock lock(mutex);
            Slot& slot = slots[static_cast<std::size_t>(nextToOutput % window)];
            changed.wait(lock, [&] { return slot.ready; });
            text.swap(slot.text);
            slot.ready = false;
            ++nextToOutput;
        }
        changed.notify_all();
        output(text, nextToOutput);
    }
}
