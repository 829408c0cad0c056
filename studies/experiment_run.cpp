// An experiment's runs on threads of their own, written as vivar-sim writes
// them, for a window that goes on being used meanwhile.
#include "studies/experiment_run.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "base/words.h"
#include "platform/output_file.h"
#include "platform/system.h"
#include "studies/experiment_table.h"

namespace {

using Clock = std::chrono::steady_clock;

// Rows wait at most this long in the file's buffer, for whoever follows it.
constexpr auto kFlushEvery = std::chrono::milliseconds(500);

// A word for the shell: as it is when nothing in it needs quoting.
std::string shellWord(const std::string& word) {
    const bool plain = !word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                               "0123456789-_=:,./\\+@%") == std::string::npos;
    if (plain) {
        return word;
    }
#ifdef _WIN32
    // cmd.exe takes a name in double quotes, which a file name cannot hold.
    std::string quoted(1, '"');
    quoted.append(word).push_back('"');
    return quoted;
#else
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
#endif
}

}  // namespace

std::string simCommandLine(const ExperimentSetup& setup, const std::filesystem::path& table) {
    std::vector<std::string> words{"vivar-sim", "--seeds",
                                   std::to_string(setup.seeds.first) + ":" + std::to_string(setup.seeds.last)};
    bool sizeVaries = false;
    std::vector<std::string_view> varied;
    for (const Variation& variation : setup.variations) {
        std::string values;
        for (const std::string& value : variation.values) {
            if (!values.empty()) {
                values.push_back(',');
            }
            values.append(value);
        }
        words.insert(words.end(), {"--vary", variation.name + "=" + values});
        sizeVaries = sizeVaries || variation.name == "size";
        varied.push_back(variation.name);
    }
    // What does not vary is the window's, which may not be vivar-sim's default.
    const Rules standard;
    if (!sizeVaries && (setup.rules.width != standard.width || setup.rules.height != standard.height)) {
        words.insert(words.end(), {"--size", sizeText(setup.rules)});
    }
    for (const std::string_view name : kRuleNames) {
        if (std::find(varied.begin(), varied.end(), name) == varied.end() &&
            ruleValue(setup.rules, name) != ruleValue(standard, name)) {
            words.insert(words.end(), {"--rule", std::string(name) + "=" + ruleValue(setup.rules, name)});
        }
    }
    words.insert(words.end(), {"--generations", std::to_string(setup.generations), "--jobs",
                               std::to_string(setup.jobs), "--summary", "--resume", platform::utf8Name(table)});
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) {
            line.push_back(' ');
        }
        line.append(shellWord(word));
    }
    return line;
}

struct ExperimentRun::Shared {
    ExperimentSetup setup;
    std::filesystem::path table;
    std::string tableName;
    Experiment experiment;
    std::uint64_t runs = 0;
    std::uint64_t runsBefore = 0;  // whole runs the table held when gone on with
    platform::OutputFile file;

    std::atomic<bool> stopAsked{false};
    std::atomic<bool> paused{false};

    mutable std::mutex mutex;
    std::condition_variable changed;
    ExperimentTally tally;
    std::uint64_t done = 0;  // runs written here
    State state = State::kRunning;
    std::string problem;
    Clock::duration spentBefore{};  // up to the last pause
    Clock::time_point since = Clock::now();
    bool atBoundary = false;  // the table is whole and flushed after a stop
    bool released = false;    // the runs under way may be waited for
    bool closing = false;

    std::thread thread;

    Shared(const ExperimentSetup& given, std::filesystem::path path)
        : setup(given), table(std::move(path)), tableName(platform::utf8Name(table)),
          experiment(given.rules, given.variations, given.seeds) {}

    void run();
    void flush(Clock::time_point& flushed);
    void fail(std::string line);
};

void ExperimentRun::Shared::fail(std::string line) {
    const std::lock_guard lock(mutex);
    if (state != State::kFailed) {
        state = State::kFailed;
        problem = std::move(line);
    }
    stopAsked = true;
}

void ExperimentRun::Shared::flush(Clock::time_point& flushed) {
    flushed = Clock::now();
    if (std::fflush(file.stream()) != 0 || std::ferror(file.stream()) != 0) {
        fail(tableName + ": " + std::strerror(errno != 0 ? errno : EIO));
    }
}

void ExperimentRun::Shared::run() {
    const std::uint64_t first = runsBefore;
    const RunWork work = tableRows(experiment, first, setup.generations, true);
    Clock::time_point flushed = Clock::now();
    SweepControl control;
    control.stopAsked = [this] { return stopAsked.load(); };
    control.paused = [this] { return paused.load(); };
    control.waiting = [this, &flushed] {
        if (Clock::now() - flushed >= kFlushEvery) {
            flush(flushed);
        }
    };
    control.stopped = [this, &flushed](std::uint64_t) {
        flush(flushed);
        std::unique_lock lock(mutex);
        atBoundary = true;
        if (state != State::kFailed) {
            state = State::kStopped;
        }
        changed.notify_all();
        // A window that closes leaves the runs under way to the process's end.
        changed.wait(lock, [this] { return released; });
    };
    sweepRuns(
        runs - first, setup.jobs, [this, first](std::uint64_t index) { return experiment.rulesOf(first + index); },
        work,
        [this, &flushed](std::string_view text, std::uint64_t runsOutput) {
            if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size()) {
                fail(tableName + ": " + std::strerror(errno != 0 ? errno : EIO));
            }
            {
                const std::lock_guard lock(mutex);
                tally.read(text);
                done = runsOutput;
            }
            if (Clock::now() - flushed >= kFlushEvery) {
                flush(flushed);
            }
        },
        control);
    flush(flushed);
    const std::optional<std::string> committed = file.commit();
    const std::lock_guard lock(mutex);
    if (committed && state != State::kFailed) {
        state = State::kFailed;
        problem = tableName + ": " + *committed;
    } else if (state == State::kRunning || state == State::kPaused) {
        state = State::kFinished;
    }
    spentBefore += Clock::now() - since;
    since = Clock::now();
    atBoundary = true;
    changed.notify_all();
}

std::unique_ptr<ExperimentRun> ExperimentRun::start(const ExperimentSetup& setup, const std::filesystem::path& table,
                                                    std::string& problem) {
    auto shared = std::make_shared<Shared>(setup, table);
    const std::optional<std::uint64_t> runs = shared->experiment.runCount();
    if (!runs || *runs == 0 || *runs > kMostRunsInWindow || setup.generations < 1 || setup.jobs < 1) {
        problem = words::fill(words::translate("Experiment", "an experiment in the window has 1 to %1 runs"),
                              {std::to_string(kMostRunsInWindow)});
        return nullptr;
    }
    shared->runs = *runs;
    const TableShape shape = tableShape(shared->experiment, {0, *runs}, setup.generations, true, true);
    GoingOn goingOn;
    if (const std::optional<GoOnRefusal> refused = openToGoOn(table, shape, goingOn)) {
        problem = refused->line;
        return nullptr;
    }
    shared->file = std::move(goingOn.file);
    shared->runsBefore = goingOn.end.runs;
    // What the table held is counted from the file, cut as it now is.
    if (goingOn.end.hasHeader) {
        if (std::FILE* in = platform::openFile(table, "rb")) {
            std::vector<char> bytes(std::size_t{1} << 16);
            for (std::size_t read = 0; (read = std::fread(bytes.data(), 1, bytes.size(), in)) > 0;) {
                shared->tally.read(std::string_view(bytes.data(), read));
            }
            std::fclose(in);
        }
    } else {
        const std::string header = tableHeader(true) + "\n";
        shared->tally.read(header);
        if (std::fwrite(header.data(), 1, header.size(), shared->file.stream()) != header.size()) {
            problem = shared->tableName + ": " + std::strerror(errno != 0 ? errno : EIO);
            return nullptr;
        }
    }
    if (shared->runsBefore == *runs) {
        (void)shared->file.commit();
        shared->state = State::kFinished;
        shared->atBoundary = true;
    } else {
        shared->thread = std::thread([shared] { shared->run(); });
    }
    return std::unique_ptr<ExperimentRun>(new ExperimentRun(std::move(shared)));
}

ExperimentRun::ExperimentRun(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

ExperimentRun::~ExperimentRun() {
    Shared& shared = *shared_;
    shared.stopAsked = true;
    shared.paused = false;
    bool closing = false;
    {
        const std::lock_guard lock(shared.mutex);
        closing = shared.closing;
        if (!closing) {
            shared.released = true;
        }
    }
    shared.changed.notify_all();
    if (!shared.thread.joinable()) {
        return;
    }
    // The thread holds the shared state; a window that closes does not wait
    // for the runs under way.
    if (closing) {
        shared.thread.detach();
    } else {
        shared.thread.join();
    }
}

void ExperimentRun::pause() {
    Shared& shared = *shared_;
    const std::lock_guard lock(shared.mutex);
    if (shared.state == State::kRunning) {
        shared.paused = true;
        shared.state = State::kPaused;
        shared.spentBefore += Clock::now() - shared.since;
    }
}

void ExperimentRun::carryOn() {
    Shared& shared = *shared_;
    const std::lock_guard lock(shared.mutex);
    if (shared.state == State::kPaused) {
        shared.paused = false;
        shared.state = State::kRunning;
        shared.since = Clock::now();
    }
}

void ExperimentRun::stop() {
    Shared& shared = *shared_;
    shared.stopAsked = true;
    shared.paused = false;
    std::unique_lock lock(shared.mutex);
    if (shared.state == State::kPaused) {
        shared.since = Clock::now();
    }
    shared.changed.wait(lock, [&shared] { return shared.atBoundary; });
    shared.released = true;
    shared.changed.notify_all();
}

std::optional<std::string> ExperimentRun::endForClose() {
    Shared& shared = *shared_;
    {
        const std::lock_guard lock(shared.mutex);
        if (shared.state != State::kRunning && shared.state != State::kPaused) {
            return std::nullopt;
        }
        shared.closing = true;
    }
    shared.stopAsked = true;
    shared.paused = false;
    std::unique_lock lock(shared.mutex);
    shared.changed.wait(lock, [&shared] { return shared.atBoundary; });
    return words::fill(words::translate("Experiment", "vivar: the experiment stopped with the window: %1 of %2 runs "
                                                      "are in %3, whole; Experiment… goes on with them"),
                       {std::to_string(shared.runsBefore + shared.done), std::to_string(shared.runs), shared.tableName});
}

ExperimentRun::Progress ExperimentRun::progress() const {
    const Shared& shared = *shared_;
    const std::lock_guard lock(shared.mutex);
    Progress progress;
    progress.done = shared.runsBefore + shared.done;
    progress.total = shared.runs;
    progress.state = shared.state;
    progress.problem = shared.problem;
    progress.spent = shared.spentBefore;
    if (shared.state == State::kRunning) {
        progress.spent += Clock::now() - shared.since;
    }
    if (shared.done > 0 && progress.done < progress.total) {
        const auto remaining = static_cast<double>(progress.total - progress.done);
        progress.left = std::chrono::duration_cast<Clock::duration>(progress.spent * remaining /
                                                                    static_cast<double>(shared.done));
    }
    return progress;
}

ExperimentTally ExperimentRun::tally() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->tally;
}

const ExperimentSetup& ExperimentRun::setup() const { return shared_->setup; }
const std::filesystem::path& ExperimentRun::table() const { return shared_->table; }
