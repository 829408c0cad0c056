#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "model/census.h"

// The window's counts file: one run's populations in the CSV of
// vivar-sim --counts, the header, then a row for each generation from the
// run's first on. Rows are only ever added, so that nothing the window does
// while going through a run, back or forth, cuts a record; a run that leaves
// the recorded one gets a file of its own.
//
// Only the view thread uses it. At most one file is open at a time: the one
// whose run is on screen (see RunSession).
class CountsFile {
public:
    // Opens `path` afresh, as the command line named it; on failure, why.
    static std::shared_ptr<CountsFile> create(const std::filesystem::path& path, std::string& problem);
    // A new file beside this one, named as it is with "-2", "-3", ... before
    // its ending ("cut.csv", "cut-2.csv"): the first name that no file has,
    // so that no file is ever replaced.
    std::shared_ptr<CountsFile> another(std::string& problem) const;

    CountsFile(const CountsFile&) = delete;
    CountsFile& operator=(const CountsFile&) = delete;
    ~CountsFile();

    // The generations written, from first() to last(); none yet when empty.
    [[nodiscard]] bool empty() const { return !last_; }
    [[nodiscard]] std::int64_t first() const { return first_; }
    [[nodiscard]] std::int64_t last() const { return last_.value_or(first_ - 1); }
    [[nodiscard]] const std::string& name() const { return name_; }

    // Adds the row of `generation`, the header before the first, flushed so
    // that tail -f follows. On failure returns why and writes nothing more.
    std::optional<std::string> append(std::int64_t generation, const Census& census);
    // Starts this empty file with `from`'s header and its rows up to and
    // including `through`, read back from its file, a row at a time.
    std::optional<std::string> copyRows(const CountsFile& from, std::int64_t through);
    // Lets go of the open file: another run's file is written now. The next
    // append opens it again, at its end.
    void close();

private:
    CountsFile(std::filesystem::path path, std::FILE* file);
    std::optional<std::string> opened();
    std::optional<std::string> failed(int error);

    std::filesystem::path path_;
    std::string name_;
    std::FILE* file_;
    std::int64_t first_ = 0;
    std::optional<std::int64_t> last_;
    bool broken_ = false;
};
