#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "model/census.h"
#include "platform/output_file.h"

// The window's counts file: one run's populations in the CSV of
// vivar-sim --counts, the header, then a row for each generation from the
// run's first on. Rows are only ever added, so that nothing the window does
// while going through a run, back or forth, cuts a record; a run that leaves
// the recorded one gets a file of its own. A file that holds rows already
// is never emptied: only the very run it records goes on in it.
//
// Only the view thread uses it. At most one file on the disk is open at a
// time: the one whose run is on screen (see RunSession).
class CountsFile {
public:
    // A row of a run, to recognise the record of a run that goes on.
    struct Row {
        std::int64_t generation = 0;
        Census census;
    };

    // What would keep rows from ever being written to `path` (a folder, a
    // folder that does not exist); found without creating or changing
    // anything.
    [[nodiscard]] static std::optional<std::string> check(const std::filesystem::path& path);
    // The file for a run's rows, when the command line named `path`: that
    // file when it holds nothing yet, or when it is a device or a FIFO, or
    // when it is the record of the very run that goes on, which ends with
    // the row `continues`; otherwise the first free name beside it. Made
    // only now, as the run writes its first row; null with the problem.
    [[nodiscard]] static std::shared_ptr<CountsFile> begin(const std::filesystem::path& path,
                                                           const std::optional<Row>& continues,
                                                           std::string& problem);
    // A new file beside this one, named as it is with "-2", "-3", ... before
    // its ending ("cut.csv", "cut-2.csv"): the first name that no file has,
    // so that no file is ever replaced.
    [[nodiscard]] std::shared_ptr<CountsFile> another(std::string& problem) const;

    CountsFile(const CountsFile&) = delete;
    CountsFile& operator=(const CountsFile&) = delete;
    ~CountsFile() = default;

    // The generations written, from first() to last(); none yet when empty.
    [[nodiscard]] bool empty() const { return !last_; }
    [[nodiscard]] std::int64_t first() const { return first_; }
    [[nodiscard]] std::int64_t last() const { return last_.value_or(first_ - 1); }
    [[nodiscard]] const std::string& name() const { return name_; }
    // Whether its rows go on a record that was there before.
    [[nodiscard]] bool continued() const { return continued_; }

    // Adds the row of `generation`, the header before the first, flushed so
    // that tail -f follows. On failure returns why and writes nothing more.
    std::optional<std::string> append(std::int64_t generation, const Census& census);
    // Starts this empty file with `from`'s header and its rows up to and
    // including `through`, read back from its file, a row at a time.
    std::optional<std::string> copyRows(const CountsFile& from, std::int64_t through);
    // Whether its rows can be read back: not those sent into a FIFO.
    [[nodiscard]] bool readable() const { return !stream_; }
    // Lets go of the open file: another run's file is written now. The next
    // append opens it again, at its end. A device or a FIFO stays open, so
    // that what reads it does not see the rows end.
    void close();

private:
    CountsFile(std::filesystem::path path, platform::OutputFile file);
    std::optional<std::string> opened();
    std::optional<std::string> failed(const std::string& reason);

    std::filesystem::path path_;
    std::string name_;
    platform::OutputFile file_;
    bool stream_ = false;
    bool continued_ = false;
    std::int64_t first_ = 0;
    std::optional<std::int64_t> last_;
    bool broken_ = false;
};
