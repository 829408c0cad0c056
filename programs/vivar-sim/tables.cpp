// vivar-sim's tables of many runs, and a --resume that goes on with one.
#include "programs/vivar-sim/tables.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "model/census.h"
#include "model/seeded_run.h"
#include "platform/output_file.h"
#include "platform/system.h"
#include "programs/vivar-sim/progress.h"
#include "programs/vivar-sim/row_output.h"
#include "studies/experiment.h"
#include "studies/experiment_table.h"
#include "studies/partial_table.h"
#include "studies/sweep.h"

namespace sim {
namespace {

void endIfOutputFailed(const RowOutput& output) {
    if (output.error() != 0) {
        outputFailed(output.name(), output.error());
    }
}

// Opens FILE to go on with it, or ends the program saying why: a file that
// is not this command's table, or cannot be read, is refused with status 2
// and left untouched.
GoingOn openToResume(const std::filesystem::path& path, const TableShape& shape) {
    GoingOn goingOn;
    if (const std::optional<GoOnRefusal> refused = openToGoOn(path, shape, goingOn)) {
        std::fprintf(stderr, "vivar-sim: %s\n", refused->line.c_str());
        platform::endAtOnce(refused->status);
    }
    return goingOn;
}

}  // namespace

void runSweep(const Options& options, const StartingBoard* from) {
    const Experiment experiment(options.rules, options.variations, *options.seeds);
    const std::uint64_t runs = experiment.runCount().value_or(0);  // counted when the options were read
    const RunSpan span = options.part ? partOfRuns(runs, options.part->index, options.part->count) : RunSpan{0, runs};
    const unsigned jobs = options.jobs.value_or(platform::usableCores());
    const std::int64_t generations = options.generations;
    const bool summary = options.summary;
    const bool varies = !experiment.variations().empty();
    const TableShape shape =
        tableShape(experiment, span, generations, summary, !options.part || options.part->index == 1);

    GoingOn resumed;
    if (options.resume) {
        resumed = openToResume(*options.resume, shape);
    }
    RowOutput output(options.resume ? resumed.file.stream() : stdout,
                     options.resume ? platform::utf8Name(*options.resume) : kStandardOutput);
    // The parts, concatenated, are the whole table with its header once.
    if (!shape.header.empty() && !resumed.end.hasHeader) {
        output.write(shape.header + "\n");
    }
    const std::uint64_t first = span.first + resumed.end.runs;
    const std::uint64_t total = span.end - span.first;

    // Every thread's run starts from a copy of the one board read.
    const RunWork work = tableRows(experiment, first, generations, summary, from);
    Progress progress(span.end - first, varies, resumed.end.runs);
    SweepControl control;
    control.stopAsked = [] { return platform::interrupted() != platform::Interrupt::none; };
    // Rows that wait while no run ends go out, for whoever follows the file.
    control.waiting = [&output] {
        output.flush();
        endIfOutputFailed(output);
    };
    // The runs still under way end with the program.
    control.stopped = [&](std::uint64_t runsOutput) {
        output.flush();
        endIfOutputFailed(output);
        progress.leaveLine();
        const std::string written = grouped(resumed.end.runs + runsOutput);
        if (options.resume) {
            std::fprintf(stderr, "vivar-sim: stopped: %s of %s runs written to %s; the same command goes on\n",
                         written.c_str(), grouped(total).c_str(), output.name().c_str());
        } else {
            std::fprintf(stderr,
                         "vivar-sim: stopped: %s of %s runs written; the same command with --resume FILE goes on\n",
                         written.c_str(), grouped(total).c_str());
        }
        platform::endAtOnce(platform::exitStatusAfter(platform::interrupted()));
    };
    sweepRuns(
        span.end - first, jobs, [&](std::uint64_t index) { return experiment.rulesOf(first + index); }, work,
        [&](std::string_view text, std::uint64_t done) {
            output.write(text);
            endIfOutputFailed(output);
            progress.update(done);
        },
        control);
    output.flush();
    endIfOutputFailed(output);
    if (options.resume) {
        if (const std::optional<std::string> failed = resumed.file.commit()) {
            std::fprintf(stderr, "vivar-sim: %s: %s\n", output.name().c_str(), failed->c_str());
            platform::endAtOnce(1);
        }
    }
}

}  // namespace sim
