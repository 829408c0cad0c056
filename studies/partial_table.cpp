// Reading a table back row by row against the key fields it should hold.
#include "studies/partial_table.h"

#include <algorithm>
#include <utility>

namespace {

// The first `fields` fields of a line with the comma after each, or the
// whole line when it has fewer: what stood where the key fields should.
std::string_view leadingFields(std::string_view text, std::size_t fields) {
    std::size_t end = 0;
    for (std::size_t field = 0; field < fields; ++field) {
        const std::size_t comma = text.find(',', end);
        if (comma == std::string_view::npos) {
            return text;
        }
        end = comma + 1;
    }
    return text.substr(0, end);
}

}  // namespace

PartialTable::PartialTable(TableShape shape) : shape_(std::move(shape)) {}

bool PartialTable::read(std::string_view bytes) {
    if (!problem_ && !takeLines(bytes, unfinished_, kLongestLine, [this](std::string_view text) {
            line(text);
            return !problem_;
        })) {
        problem_ = std::to_string(lineNumber_) + ": a line longer than any row of this table";
    }
    return !problem_;
}

void PartialTable::line(std::string_view text) {
    const std::uint64_t at = lineNumber_++;
    const std::string number = std::to_string(at);
    bytesRead_ += text.size() + 1;
    if (at == 1 && !shape_.header.empty()) {
        if (text != shape_.header) {
            problem_ = headerProblem();
            return;
        }
        hasHeader_ = true;
        bytesWhole_ = bytesRead_;
        return;
    }
    if ((problem_ = rowProblem(number, text, false))) {
        return;
    }
    const auto fields = static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
    if (fields != shape_.fields) {
        problem_ = number + ": " + std::to_string(fields) + " fields, not the " + std::to_string(shape_.fields) +
                   " of this command's rows";
        return;
    }
    ++rows_;
    if (rows_ % shape_.rowsPerRun == 0) {
        bytesWhole_ = bytesRead_;
    }
}

std::string PartialTable::headerProblem() const {
    return "1: not this command's table, whose header is " + shape_.header;
}

std::optional<std::string> PartialTable::rowProblem(const std::string& number, std::string_view text,
                                                    bool cutShort) const {
    const std::uint64_t run = rows_ / shape_.rowsPerRun;
    if (run >= shape_.runs) {
        return number + ": more rows than the " + std::to_string(shape_.runs * shape_.rowsPerRun) +
               " this command writes";
    }
    const std::string key = shape_.keyOf(run, rows_ % shape_.rowsPerRun);
    if (text.starts_with(key) || (cutShort && std::string_view(key).starts_with(text))) {
        return std::nullopt;
    }
    const auto keyFields = static_cast<std::size_t>(std::count(key.begin(), key.end(), ','));
    return number + ": not this command's table, whose row here begins " + key + " this one " +
           std::string(leadingFields(text, keyFields));
}

std::optional<std::string> PartialTable::end(TableEnd& end) const {
    if (problem_) {
        return problem_;
    }
    // A header cut short is no header yet; anything else in its place is
    // another table.
    if (!shape_.header.empty() && !hasHeader_) {
        if (!shape_.header.starts_with(unfinished_)) {
            return headerProblem();
        }
        end = TableEnd{};
        return std::nullopt;
    }
    // A row cut short is dropped, but only if it began as this command's
    // next row would: a file of something else is not cut to fit.
    if (!unfinished_.empty()) {
        if (std::optional<std::string> problem = rowProblem(std::to_string(lineNumber_), unfinished_, true)) {
            return problem;
        }
    }
    end = TableEnd{bytesWhole_, rows_ / shape_.rowsPerRun, hasHeader_};
    return std::nullopt;
}
