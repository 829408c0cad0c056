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
#include "studies/partial_table.h"
#include "studies/sweep.h"

namespace sim {
namespace {

void endIfOutputFailed(const RowOutput& output) {
    if (output.error() != 0) {
        outputFailed(output.name(), output.error());
    }
}

// The table a sweep writes, for a --resume to hold a file against: the
// header (part 1's alone), and the key fields that begin the rows of each
// run, its size, rules and seed, then the generation or, in a summary, the
// number of generations.
TableShape tableShape(const Options& options, const Experiment& experiment, RunSpan span) {
    TableShape shape;
    const std::string header = rulesHeader() + (options.summary ? kSummaryHeader : kSweepCountsHeader);
    if (!options.part || options.part->index == 1) {
        shape.header = header;
    }
    shape.runs = span.end - span.first;
    shape.rowsPerRun = options.summary ? 1 : static_cast<std::uint64_t>(options.generations) + 1;
    shape.fields = static_cast<std::size_t>(std::count(header.begin(), header.end(), ',')) + 1;
    // A run's rules are worked out once for all its rows.
    auto lastRun = std::make_shared<std::pair<std::uint64_t, std::string>>(span.end, "");
    shape.keyOf = [&experiment, span, lastRun, summary = options.summary,
                   generations = options.generations](std::uint64_t run, std::uint64_t row) {
        if (lastRun->first != run) {
            const std::uint64_t number = span.first + run;
            *lastRun = {run, experiment.valuesOf(number) + std::to_string(experiment.seedOf(number)) + ","};
        }
        return lastRun->second + std::to_string(summary ? static_cast<std::uint64_t>(generations) : row) + ",";
    };
    return shape;
}

// A table to go on with, open for adding to, and what it holds already.
struct Resumed {
    platform::OutputFile file;
    TableEnd end;
};

// Opens FILE to go on with it: checked against this command's table,
// whole line by whole line, before anything changes; then cut after its
// last whole run (a row cut short, the rows of a run that never finished)
// and opened for adding the rest. A file that is not yet there is begun.
// A file that is not this command's table, or cannot be read, is refused
// in one line with status 2 and left untouched.
Resumed openToResume(const std::filesystem::path& path, const TableShape& shape) {
    const std::string name = platform::utf8Name(path);
    const auto refuse = [&name](const std::string& problem, int status) {
        std::fprintf(stderr, "vivar-sim: %s%s\n", name.c_str(), problem.c_str());
        platform::endAtOnce(status);
    };
    // A table is read back, so it is a file: a FIFO would be waited on.
    if (const std::optional<std::string> refused = platform::OutputFile::refusal(path, platform::Streams::no)) {
        refuse(": " + *refused, 2);
    }
    Resumed resumed;
    errno = 0;
    if (std::FILE* in = platform::openFile(path, "rb")) {
        PartialTable table(shape);
        std::vector<char> bytes(std::size_t{1} << 16);
        std::uint64_t size = 0;
        for (std::size_t read = 0; (read = std::fread(bytes.data(), 1, bytes.size(), in)) > 0;) {
            size += read;
            if (!table.read(std::string_view(bytes.data(), read))) {
                break;
            }
        }
        const int error = std::ferror(in) != 0 ? (errno != 0 ? errno : EIO) : 0;
        std::fclose(in);
        if (error != 0) {
            refuse(std::string(": ") + std::strerror(error), 2);
        }
        if (const std::optional<std::string> problem = table.end(resumed.end)) {
            refuse(":" + *problem, 2);
        }
        if (resumed.end.bytes < size) {
            std::error_code failure;
            std::filesystem::resize_file(path, resumed.end.bytes, failure);
            if (failure) {
                refuse(": " + failure.message(), 1);
            }
        }
    } else if (errno != ENOENT) {
        refuse(std::string(": ") + std::strerror(errno), 2);
    }
    if (const std::optional<std::string> failed =
            resumed.file.open(path, platform::Writing::adding, platform::Streams::no)) {
        refuse(": " + *failed, 1);
    }
    return resumed;
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
    const TableShape shape = tableShape(options, experiment, span);

    Resumed resumed;
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
    const auto appendRun = [generations, from, summary](SeededRun& run, std::uint64_t seed, std::string& text) {
        if (summary) {
            appendSummaryOfRun(text, run, seed, generations, from);
        } else {
            appendCountsOfRun(text, run, seed, generations, from);
        }
    };
    RunWork work = [&](SeededRun& run, std::uint64_t index, std::string& text) {
        const std::uint64_t number = first + index;
        // The run's size and rules lead every row of it.
        std::string rows;
        appendRun(run, experiment.seedOf(number), rows);
        const std::string values = experiment.valuesOf(number);
        for (std::size_t row = 0; row < rows.size();) {
            const std::size_t end = rows.find('\n', row);
            const std::size_t next = end == std::string::npos ? rows.size() : end + 1;
            text += values;
            text.append(rows, row, next - row);
            row = next;
        }
    };
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
