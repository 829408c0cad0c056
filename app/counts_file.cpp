#include "app/counts_file.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "platform/system.h"

namespace {

// Far more files of one run than anyone makes; beyond it a name is refused.
constexpr int kMostSiblings = 100'000;

std::string reasonOf(int error) { return std::strerror(error != 0 ? error : EIO); }

// A line of the file, without its line feed; false at the end. Rows are
// short, but a file edited by hand may have any line.
bool readLine(std::FILE* file, std::string& line) {
    line.clear();
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        if (c == '\n') {
            return true;
        }
        line += static_cast<char>(c);
    }
    return !line.empty();
}

}  // namespace

CountsFile::CountsFile(std::filesystem::path path, std::FILE* file)
    : path_(std::move(path)), name_(platform::utf8Name(path_)), file_(file) {}

CountsFile::~CountsFile() { close(); }

std::shared_ptr<CountsFile> CountsFile::create(const std::filesystem::path& path, std::string& problem) {
    // Binary: "\n" stays "\n" on Windows too, as vivar-sim writes it.
    std::FILE* file = platform::openFile(path, "wb");
    if (file == nullptr) {
        problem = reasonOf(errno);
        return nullptr;
    }
    return std::shared_ptr<CountsFile>(new CountsFile(path, file));
}

std::shared_ptr<CountsFile> CountsFile::another(std::string& problem) const {
    const std::filesystem::path folder = path_.parent_path();
    const std::filesystem::path stem = path_.stem();
    const std::filesystem::path ending = path_.extension();
    for (int number = 2; number <= kMostSiblings; ++number) {
        // Appended piece by piece: MinGW's g++ 12 at -O3 takes "-" + a
        // string for an overlapping copy (-Wrestrict) and stops the build.
        std::filesystem::path name = stem;
        // In two steps: MinGW's g++ 12 takes "-" + a temporary string for
        // an overlapping copy (-Wrestrict), which fails the Windows build.
        name += "-";
        name += std::to_string(number);
        name += ending;
        const std::filesystem::path path = folder / name;
        if (std::FILE* file = platform::createNewFile(path)) {
            return std::shared_ptr<CountsFile>(new CountsFile(path, file));
        }
        if (errno != EEXIST) {
            problem = platform::utf8Name(path) + ": " + reasonOf(errno);
            return nullptr;
        }
    }
    problem = name_ + ": " + reasonOf(EEXIST);
    return nullptr;
}

std::optional<std::string> CountsFile::opened() {
    if (file_ == nullptr) {
        file_ = platform::openFile(path_, "ab");
        if (file_ == nullptr) {
            return failed(errno);
        }
    }
    return std::nullopt;
}

std::optional<std::string> CountsFile::failed(int error) {
    broken_ = true;
    close();
    return reasonOf(error);
}

std::optional<std::string> CountsFile::append(std::int64_t generation, const Census& census) {
    if (broken_) {
        return reasonOf(EIO);
    }
    if (auto problem = opened()) {
        return problem;
    }
    if (!last_) {
        printCountsHeader(file_);
        first_ = generation;
    }
    printCountsRow(file_, generation, census);
    if (std::fflush(file_) != 0 || std::ferror(file_) != 0) {
        return failed(errno);
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
        return from.name_ + ": " + reasonOf(errno);
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
        if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) {
            std::fclose(source);
            return failed(errno);
        }
    }
    const bool unread = std::ferror(source) != 0;
    std::fclose(source);
    if (unread) {
        return from.name_ + ": " + reasonOf(EIO);
    }
    if (std::fflush(file_) != 0 || std::ferror(file_) != 0) {
        return failed(errno);
    }
    return std::nullopt;
}

void CountsFile::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}
