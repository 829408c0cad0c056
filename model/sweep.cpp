#include "model/sweep.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "model/seeded_run.h"

namespace {

// A seed's finished text, waiting for its turn in the output.
struct Slot {
    std::string text;
    bool ready = false;
};

}  // namespace

void sweepSeeds(SeedRange range, unsigned jobs, const Rules& rules, const SeedWork& work, const SeedOutput& output) {
    const std::uint64_t count = range.size();
    // Seed number i (counted from the first) waits in slot i mod window.
    const std::uint64_t window = 2 * static_cast<std::uint64_t>(jobs);
    std::vector<Slot> slots(static_cast<std::size_t>(window));
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t nextToStart = 0;
    std::uint64_t nextToOutput = 0;

    auto worker = [&] {
        SeededRun run(rules);
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
            text.clear();
            work(run, range.first + index, text);
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
