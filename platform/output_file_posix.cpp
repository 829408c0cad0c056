#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <utility>

#include "base/words.h"
#include "platform/system.h"

namespace platform {
namespace {

// Names tried for new whole contents before giving up: each clashes only
// with a file of the same random name.
constexpr int kNameAttempts = 100;

std::string nameBeside(const std::string& path, std::mt19937& draw) {
    constexpr std::string_view kLetters = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    std::string name = path + ".tmp-";
    for (int i = 0; i < 8; ++i) {
        name += kLetters[letter(draw)];
    }
    return name;
}

// The rename itself reaches the disk with the folder. Some file systems
// cannot sync a folder; the file is in place all the same.
void syncFolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path();
    const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

// What a name that is not a regular file is, when nothing may be written
// into it; none for what may be.
std::optional<std::string> refusalOf(mode_t mode, Streams streams) {
    if (S_ISDIR(mode)) {
        return reasonOf(EISDIR);
    }
    if (S_ISBLK(mode)) {
        return words::translate("OutputFile", "a disk device, not a file");
    }
    if (S_ISSOCK(mode)) {
        return words::translate("OutputFile", "a socket, not a file");
    }
    if (streams == Streams::no && S_ISCHR(mode)) {
        return words::translate("OutputFile", "a device, not a file: this is written only to a file");
    }
    if (streams == Streams::no && S_ISFIFO(mode)) {
        return words::translate("OutputFile", "a FIFO, not a file: this is written only to a file");
    }
    return std::nullopt;
}

std::FILE* streamOf(int descriptor, const char* mode) {
    std::FILE* file = ::fdopen(descriptor, mode);
    if (file == nullptr) {
        ::close(descriptor);
    }
    return file;
}

}  // namespace

std::optional<std::string> OutputFile::refusal(const std::filesystem::path& path, Streams streams) {
    std::filesystem::path target;
    if (const int error = followLinks(path, target)) {
        return reasonOf(error);
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        const std::optional<std::string> refused = refusalOf(existing.st_mode, streams);
        return refused && target != path
                   ? words::fill(words::translate("OutputFile", "leads to %1, %2"), {utf8Name(target), *refused})
                   : refused;
    }
    if (errno != ENOENT) {
        return reasonOf(errno);
    }
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    if (::stat(folder.c_str(), &existing) != 0) {
        return reasonOf(errno);
    }
    if (!S_ISDIR(existing.st_mode)) {
        return reasonOf(ENOTDIR);
    }
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? std::nullopt : std::optional(reasonOf(errno));
}

std::optional<std::string> OutputFile::open(const std::filesystem::path& path, Writing how, Streams streams) {
    abandon();
    std::filesystem::path target;
    if (const int error = followLinks(path, target)) {
        return reasonOf(error);
    }
    // Where a link leads, the user is told what to.
    const auto told = [&](const std::string& what) {
        return target == path ? what
                              : words::fill(words::translate("OutputFile", "leads to %1, %2"), {utf8Name(target), what});
    };

    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        if (errno != ENOENT) {
            return reasonOf(errno);
        }
    } else if (!S_ISREG(existing.st_mode)) {
        if (const std::optional<std::string> refused = refusalOf(existing.st_mode, streams)) {
            return told(*refused);
        }
        if (how == Writing::fresh) {
            return reasonOf(EEXIST);
        }
        // A FIFO that nobody reads would hold the program until somebody
        // did; it is told instead.
        const int descriptor = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (descriptor < 0) {
            return errno == ENXIO ? told(words::translate("OutputFile", "a FIFO that no program reads"))
                                  : reasonOf(errno);
        }
        ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
        file_ = streamOf(descriptor, "wb");
        if (file_ == nullptr) {
            return reasonOf(errno);
        }
        intoStream_ = true;
        target_ = std::move(target);
        return std::nullopt;
    }
    const bool exists = S_ISREG(existing.st_mode);

    if (how == Writing::fresh || how == Writing::adding) {
        if (how == Writing::fresh && exists) {
            return reasonOf(EEXIST);
        }
        const int flags = how == Writing::fresh ? O_CREAT | O_EXCL : O_CREAT | O_APPEND;
        const int descriptor = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | flags, 0666);
        if (descriptor < 0) {
            return reasonOf(errno);
        }
        file_ = streamOf(descriptor, how == Writing::fresh ? "wb" : "ab");
        if (file_ == nullptr) {
            return reasonOf(errno);
        }
        target_ = std::move(target);
        return std::nullopt;
    }

    // A file that may not be written is not replaced either, as a rename
    // alone would do.
    if (exists) {
        const int writable = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (writable < 0) {
            return reasonOf(errno);
        }
        ::close(writable);
    }
    // The new file never lets in more than the old one did, not even while
    // it is written.
    const mode_t mode = exists ? (existing.st_mode & 0777) : 0666;
    std::random_device entropy;
    std::mt19937 draw(entropy());
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < kNameAttempts; ++attempt) {
        temporary = nameBeside(target.native(), draw);
        descriptor = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor < 0 && errno != EEXIST) {
            return reasonOf(errno);
        }
    }
    if (descriptor < 0) {
        return reasonOf(EEXIST);
    }
    if (exists) {
        // Owner and group come along where the user may give them (as
        // root); the umask does not take away what the old file allowed.
        [[maybe_unused]] const int given = ::fchown(descriptor, existing.st_uid, existing.st_gid);
        ::fchmod(descriptor, mode);
    }
    file_ = streamOf(descriptor, "w+b");
    if (file_ == nullptr) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return reasonOf(error);
    }
    target_ = std::move(target);
    temporary_ = std::move(temporary);
    return std::nullopt;
}

std::optional<std::string> OutputFile::commit() {
    if (file_ == nullptr) {
        return reasonOf(EBADF);
    }
    int error = std::fflush(file_) != 0 || std::ferror(file_) != 0 ? (errno != 0 ? errno : EIO) : 0;
    if (error == 0 && !temporary_.empty() && ::fsync(::fileno(file_)) != 0) {
        error = errno;
    }
    if (std::fclose(std::exchange(file_, nullptr)) != 0 && error == 0) {
        error = errno;
    }
    std::optional<std::string> problem;
    if (error != 0) {
        problem = reasonOf(error);
    } else if (!temporary_.empty()) {
        // What the name leads to may have changed while the contents were
        // written: only a regular file, or none, is replaced.
        struct stat now {};
        if (::stat(target_.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
            problem = refusalOf(now.st_mode, Streams::no).value_or(reasonOf(EINVAL));
        } else if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            problem = reasonOf(errno);
        } else {
            temporary_.clear();
            syncFolderOf(target_);
        }
    }
    abandon();
    return problem;
}

void OutputFile::abandon() {
    if (file_ != nullptr) {
        std::fclose(std::exchange(file_, nullptr));
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    intoStream_ = false;
}

}  // namespace platform
