// The rows of an experiment's runs, and a table gone on with.
#include "studies/experiment_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "model/census.h"
#include "model/seeded_run.h"
#include "platform/system.h"

std::string tableHeader(bool summary) {
    return rulesHeader() + (summary ? kSummaryHeader : kSweepCountsHeader);
}

TableShape tableShape(const Experiment& experiment, RunSpan span, std::int64_t generations, bool summary,
                      bool withHeader) {
    TableShape shape;
    const std::string header = tableHeader(summary);
    if (withHeader) {
        shape.header = header;
    }
    shape.runs = span.end - span.first;
    shape.rowsPerRun = summary ? 1 : static_cast<std::uint64_t>(generations) + 1;
    shape.fields = static_cast<std::size_t>(std::count(header.begin(), header.end(), ',')) + 1;
    // A run's rules are worked out once for all its rows.
    auto lastRun = std::make_shared<std::pair<std::uint64_t, std::string>>(span.end, "");
    shape.keyOf = [&experiment, span, lastRun, summary, generations](std::uint64_t run, std::uint64_t row) {
        if (lastRun->first != run) {
            const std::uint64_t number = span.first + run;
            *lastRun = {run, experiment.valuesOf(number) + std::to_string(experiment.seedOf(number)) + ","};
        }
        return lastRun->second + std::to_string(summary ? static_cast<std::uint64_t>(generations) : row) + ",";
    };
    return shape;
}

RunWork tableRows(const Experiment& experiment, std::uint64_t first, std::int64_t generations, bool summary,
                  const StartingBoard* from) {
    return [&experiment, first, generations, summary, from](SeededRun& run, std::uint64_t index, std::string& text) {
        const std::uint64_t number = first + index;
        std::string rows;
        if (summary) {
            appendSummaryOfRun(rows, run, experiment.seedOf(number), generations, from);
        } else {
            appendCountsOfRun(rows, run, experiment.seedOf(number), generations, from);
        }
        // The run's size and rules lead every row of it.
        const std::string values = experiment.valuesOf(number);
        for (std::size_t row = 0; row < rows.size();) {
            const std::size_t end = rows.find('\n', row);
            const std::size_t next = end == std::string::npos ? rows.size() : end + 1;
            text += values;
            text.append(rows, row, next - row);
            row = next;
        }
    };
}

std::optional<GoOnRefusal> openToGoOn(const std::filesystem::path& path, const TableShape& shape, GoingOn& goingOn) {
    const std::string name = platform::utf8Name(path);
    const auto refusal = [&name](const std::string& problem, int status) {
        return GoOnRefusal{name + problem, status};
    };
    // A table is read back, so it is a file: a FIFO would be waited on.
    if (const std::optional<std::string> refused = platform::OutputFile::refusal(path, platform::Streams::no)) {
        return refusal(": " + *refused, 2);
    }
    goingOn.end = TableEnd{};
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
            return refusal(std::string(": ") + std::strerror(error), 2);
        }
        if (const std::optional<std::string> problem = table.end(goingOn.end)) {
            return refusal(":" + *problem, 2);
        }
        if (goingOn.end.bytes < size) {
            std::error_code failure;
            std::filesystem::resize_file(path, goingOn.end.bytes, failure);
            if (failure) {
                return refusal(": " + failure.message(), 1);
            }
        }
    } else if (errno != ENOENT) {
        return refusal(std::string(": ") + std::strerror(errno), 2);
    }
    if (const std::optional<std::string> failed =
            goingOn.file.open(path, platform::Writing::adding, platform::Streams::no)) {
        return refusal(": " + *failed, 1);
    }
    return std::nullopt;
}
