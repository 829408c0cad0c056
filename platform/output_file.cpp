#include "platform/output_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

OutputFile::~OutputFile() { abandon(); }

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      intoStream_(std::exchange(other.intoStream_, false)),
      target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        abandon();
        file_ = std::exchange(other.file_, nullptr);
        intoStream_ = std::exchange(other.intoStream_, false);
        target_ = std::move(other.target_);
        temporary_ = std::exchange(other.temporary_, {});
    }
    return *this;
}

std::optional<std::string> writeWholeFile(const std::filesystem::path& path, std::string_view contents,
                                          Streams streams) {
    OutputFile file;
    if (auto problem = file.open(path, Writing::whole, streams)) {
        return problem;
    }
    if (std::fwrite(contents.data(), 1, contents.size(), file.stream()) != contents.size()) {
        const int error = errno;
        file.abandon();
        return reasonOf(error != 0 ? error : EIO);
    }
    return file.commit();
}

std::string reasonOf(int error) { return std::strerror(error != 0 ? error : EIO); }

}  // namespace platform
