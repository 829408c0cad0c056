#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Every file the programs write is opened here, so that one rule holds for
// all of them: nothing that is not a regular file is ever replaced or
// removed, and nothing a user keeps is emptied.
//
// A name is followed through its symbolic links to the file it leads to,
// which is what is written; the links stay. What that file is decides the
// rest:
// - a regular file, or none yet: written as the kind of writing asks;
// - a character device or a FIFO: written into, where the format can go to
//   a stream (rows of a table into a FIFO that a plot reads, a board into
//   standard output), and refused otherwise;
// - a folder, a block device or a socket: always refused.
namespace platform {

enum class Writing {
    // New contents, written beside the file under a name of their own and
    // renamed over it once whole: a failure, a crash or a power cut leaves
    // the old file as it was, and a file that is abandoned leaves nothing.
    whole,
    // Added at the end of what the file holds, or a new file begun.
    adding,
    // A file of a name that nothing has yet; EEXIST's reason otherwise.
    fresh,
};

// Whether the format can be written into a character device or a FIFO.
enum class Streams { no, yes };

class OutputFile {
public:
    OutputFile() = default;
    // Without commit(), abandons.
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // What would keep open() from writing to the name, found without
    // creating or changing anything: what the name leads to, or a folder
    // that is not there.
    [[nodiscard]] static std::optional<std::string> refusal(const std::filesystem::path& path, Streams streams);

    // Opens the file for writing in binary; on failure, what is wrong, in
    // the user's words, for the caller to put after the name.
    [[nodiscard]] std::optional<std::string> open(const std::filesystem::path& path, Writing how, Streams streams);

    [[nodiscard]] bool isOpen() const { return file_ != nullptr; }
    // Where the contents go until commit(); seekable unless intoStream().
    [[nodiscard]] std::FILE* stream() const { return file_; }
    // Whether the contents go straight into a device or a FIFO.
    [[nodiscard]] bool intoStream() const { return intoStream_; }

    // Makes what was written the file's: flushed and closed, and new whole
    // contents on the disk under the file's name. On failure, what went
    // wrong; whole contents are then abandoned.
    [[nodiscard]] std::optional<std::string> commit();
    // Closes without committing: new whole contents are removed, leaving
    // the file as it was; what was added or streamed stays.
    void abandon();

private:
    std::FILE* file_ = nullptr;
    bool intoStream_ = false;
    // The file the name leads to, and the name of new whole contents until
    // they take its place.
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

// The whole contents of a file, written through an OutputFile; what went
// wrong otherwise.
[[nodiscard]] std::optional<std::string> writeWholeFile(const std::filesystem::path& path, std::string_view contents,
                                                        Streams streams);

// The text of an errno value, as the programs tell it.
[[nodiscard]] std::string reasonOf(int error);

}  // namespace platform
