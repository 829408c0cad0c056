// The threads of a sweep and the order their runs' text goes out in.
#include "studies/sweep.h"

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

std::uint64_t sweepRuns(std::uint64_t count, unsigned jobs, const RulesOfRun& rulesOf, const RunWork& work,
                        const SeedOutput& output, const SweepControl& control) {
    // Run number i waits in slot i mod window.
    const std::uint64_t window = 2 * static_cast<std::uint64_t>(jobs);
    std::vector<Slot> slots(static_cast<std::size_t>(window));
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t nextToStart = 0;
    std::uint64_t nextToOutput = 0;
    bool stopping = false;
    const auto stopAsked = [&control] { return control.stopAsked && control.stopAsked(); };
    const auto paused = [&control] { return control.paused && control.paused(); };

    auto worker = [&] {
        // A SeededRun's board and lattice are made for its rules: a new one
        // only when the rules change. A sweep's runs trace nothing: their
        // texts are all they give.
        std::unique_ptr<SeededRun> run;
        std::string text;
        for (;;) {
            std::uint64_t index = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] {
                    return stopping || nextToStart == count || (nextToStart < nextToOutput + window && !paused());
                });
                // Asked here as well, so that a stop is not one more run
                // late for each worker that the output has not woken yet.
                if (stopping || nextToStart == count || stopAsked()) {
                    return;
                }
                index = nextToStart++;
            }
            const Rules rules = rulesOf(index);
            if (!run || run->rules() != rules) {
                run.reset();
                run = std::make_unique<SeededRun>(rules, nullptr);
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

    // Without a stop to ask about or a wait to tell, the output sleeps
    // until a run is done.
    const bool polls = control.stopAsked || control.waiting || control.paused;
    std::string text;
    while (nextToOutput < count) {
        if (!stopping && stopAsked()) {
            {
                const std::lock_guard lock(mutex);
                stopping = true;
            }
            changed.notify_all();
        }
        std::unique_lock lock(mutex);
        Slot& slot = slots[static_cast<std::size_t>(nextToOutput % window)];
        if (!slot.ready) {
            if (stopping) {
                break;
            }
            if (!polls) {
                changed.wait(lock, [&] { return slot.ready; });
            } else if (!changed.wait_for(lock, kWaitBeforeTelling, [&] { return slot.ready; })) {
                lock.unlock();
                // Workers that wait out a pause ask again.
                if (control.paused) {
                    changed.notify_all();
                }
                if (control.waiting) {
                    control.waiting();
                }
                continue;
            }
        }
        text.swap(slot.text);
        slot.ready = false;
        ++nextToOutput;
        lock.unlock();
        changed.notify_all();
        output(text, nextToOutput);
    }
    if (stopping && control.stopped) {
        control.stopped(nextToOutput);
    }
    return nextToOutput;
}
