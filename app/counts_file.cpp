#include "app/counts_file.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "platform/system.h"

namespace {

// Far more files of one run than anyone makes; beyond it a name is refused.
constexpr int kMostSiblings = 100'000;

// A line of the file, without its line feed; false at the end. Rows are
// short, but a file edited by hand may have any line. `ended` tells whether
// the line had its line feed.
bool readLine(std::FILE* file, std::string& line, bool* ended = nullptr) {
    line.clear();
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        if (c == '\n') {
            if (ended != nullptr) {
                *ended = true;
            }
            return true;
        }
        line += static_cast<char>(c);
    }
    if (ended != nullptr) {
        *ended = false;
    }
    return !line.empty();
}

// A row of the CSV, or none for a line that is not one.
std::optional<CountsFile::Row> rowOf(const std::string& line) {
    std::array<std::int64_t, 7> fields{};
    const char* at = line.data();
    const char* const end = line.data() + line.size();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto [next, error] = std::from_chars(at, end, fields[i]);
        if (error != std::errc{} || (i + 1 < fields.size() ? next == end || *next != ',' : next != end)) {
            return std::nullopt;
        }
        at = next + 1;
    }
    CountsFile::Row row;
    row.generation = fields[0];
    row.census.empty = static_cast<int>(fields[1]);
    row.census.lizards[0] = static_cast<int>(fields[2]);
    row.census.lizards[1] = static_cast<int>(fields[3]);
    row.census.eggs[0] = static_cast<int>(fields[4]);
    row.census.eggs[1] = static_cast<int>(fields[5]);
    row.census.cats = static_cast<int>(fields[6]);
    return row;
}

bool sameCounts(const Census& a, const Census& b) {
    return a.empty == b.empty && a.lizards[0] == b.lizards[0] && a.lizards[1] == b.lizards[1] &&
           a.eggs[0] == b.eggs[0] && a.eggs[1] == b.eggs[1] && a.cats == b.cats;
}

// What a counts file already holds: its first and last rows, when it is
// the header and whole rows in order and nothing else.
struct Record {
    bool empty = true;
    bool whole = false;
    std::int64_t first = 0;
    std::optional<CountsFile::Row> last;
};

Record recordIn(const std::filesystem::path& path) {
    Record record;
    // A device or a FIFO holds no record, and reading a FIFO would wait for
    // a program to write into it.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return record;
    }
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr) {
        return record;  // nothing there yet, or nothing that can be read: never continued
    }
    std::string line;
    bool ended = false;
    bool whole = readLine(file, line, &ended);
    record.empty = !whole;
    whole = whole && ended && line == kCountsHeader;
    while (whole && readLine(file, line, &ended)) {
        const std::optional<CountsFile::Row> row = rowOf(line);
        whole = ended && row && (!record.last || row->generation == record.last->generation + 1);
        if (whole) {
            if (!record.last) {
                record.first = row->generation;
            }
            record.last = row;
        }
    }
    record.whole = whole && std::ferror(file) == 0;
    std::fclose(file);
    return record;
}

}  // namespace

CountsFile::CountsFile(std::filesystem::path path, platform::OutputFile file)
    : path_(std::move(path)), name_(platform::utf8Name(path_)), file_(std::move(file)), stream_(file_.intoStream()) {}

std::optional<std::string> CountsFile::check(const std::filesystem::path& path) {
    return platform::OutputFile::refusal(path, platform::Streams::yes);
}

std::shared_ptr<CountsFile> CountsFile::begin(const std::filesystem::path& path, const std::optional<Row>& continues,
                                              std::string& problem) {
    const Record record = recordIn(path);
    const bool goesOn = record.whole && record.last && continues &&
                        record.last->generation == continues->generation &&
                        sameCounts(record.last->census, continues->census);
    if (record.empty || goesOn) {
        // Added to: a file that holds nothing, a device, a FIFO, or the
        // record of this very run.
        platform::OutputFile file;
        if (auto failure = file.open(path, platform::Writing::adding, platform::Streams::yes)) {
            problem = platform::utf8Name(path) + ": " + *failure;
            return nullptr;
        }
        std::shared_ptr<CountsFile> counts(new CountsFile(path, std::move(file)));
        if (goesOn) {
            counts->continued_ = true;
            counts->first_ = record.first;
            counts->last_ = record.last->generation;
        }
        return counts;
    }
    // Rows of another run, or what is no counts file at all: left as they are.
    std::shared_ptr<CountsFile> named(new CountsFile(path, platform::OutputFile{}));
    return named->another(problem);
}

std::shared_ptr<CountsFile> CountsFile::another(std::string& problem) const {
    const std::filesystem::path folder = path_.parent_path();
    const std::filesystem::path stem = path_.stem();
    const std::filesystem::path ending = path_.extension();
    for (int number = 2; number <= kMostSiblings; ++number) {
        // In two steps: MinGW's g++ 12 takes "-" + a temporary string for
        // an overlapping copy (-Wrestrict), which fails the Windows build.
        std::filesystem::path name = stem;
        name += "-";
        name += std::to_string(number);
        name += ending;
        const std::filesystem::path path = folder / name;
        // Any name that is taken, by a file, a link or anything else, is
        // passed by.
        std::error_code error;
        const std::filesystem::file_type there = std::filesystem::symlink_status(path, error).type();
        if (there == std::filesystem::file_type::none) {
            problem = platform::utf8Name(path) + ": " + error.message();
            return nullptr;
        }
        if (there != std::filesystem::file_type::not_found) {
            continue;
        }
        platform::OutputFile file;
        if (const auto failure = file.open(path, platform::Writing::fresh, platform::Streams::no)) {
            if (*failure == platform::reasonOf(EEXIST)) {
                continue;  // taken meanwhile
            }
            problem = platform::utf8Name(path) + ": " + *failure;
            return nullptr;
        }
        return std::shared_ptr<CountsFile>(new CountsFile(path, std::move(file)));
    }
    problem = name_ + ": " + platform::reasonOf(EEXIST);
    return nullptr;
}

std::optional<std::string> CountsFile::opened() {
    if (!file_.isOpen()) {
        if (auto failure = file_.open(path_, platform::Writing::adding, platform::Streams::yes)) {
            return failed(*failure);
        }
    }
    return std::nullopt;
}

std::optional<std::string> CountsFile::failed(const std::string& reason) {
    broken_ = true;
    file_.abandon();
    return reason;
}

std::optional<std::string> CountsFile::append(std::int64_t generation, const Census& census) {
    if (broken_) {
        return platform::reasonOf(EIO);
    }
    if (auto problem = opened()) {
        return problem;
    }
    if (!last_) {
        printCountsHeader(file_.stream());
        first_ = generation;
    }
    printCountsRow(file_.stream(), generation, census);
    if (std::fflush(file_.stream()) != 0 || std::ferror(file_.stream()) != 0) {
        return failed(platform::reasonOf(errno));
    }
    last_ = generation;
    return std::nullopt;
}

std::optional<std::string> CountsFile::copyRows(const CountsFile& from, std::int64_t through) {
    if (auto problem = opened()) {
        return problem;
    }
    std::FILE* source = platform::openFile(from.path_, "rb");
    if (source == nullptr) {
        return from.name_ + ": " + platform::reasonOf(errno);
    }
    std::string line;
    bool header = true;
    while (readLine(source, line)) {
        std::int64_t generation = 0;
        if (!header) {
            const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), generation);
            if (error != std::errc{} || generation > through) {
                break;
            }
            if (!last_) {
                first_ = generation;
            }
            last_ = generation;
        }
        header = false;
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), file_.stream()) != line.size()) {
            std::fclose(source);
            return failed(platform::reasonOf(errno));
        }
    }
    const bool unread = std::ferror(source) != 0;
    std::fclose(source);
    if (unread) {
        return from.name_ + ": " + platform::reasonOf(EIO);
    }
    if (std::fflush(file_.stream()) != 0 || std::ferror(file_.stream()) != 0) {
        return failed(platform::reasonOf(errno));
    }
    return std::nullopt;
}

void CountsFile::close() {
    if (file_.isOpen() && !stream_) {
        // Rows go out as they are written: nothing is left to commit.
        (void)file_.commit();
    }
}
