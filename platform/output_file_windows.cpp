#include "platform/output_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <random>
#include <string>
#include <utility>

#include "base/words.h"
#include "platform/system.h"
#include "platform/windows_errors.h"

namespace platform {
namespace {

constexpr int kNameAttempts = 100;

std::wstring nameBeside(const std::wstring& path, std::mt19937& draw) {
    constexpr std::wstring_view kLetters = L"0123456789abcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    std::wstring name = path + L".tmp-";
    for (int i = 0; i < 8; ++i) {
        name += kLetters[letter(draw)];
    }
    return name;
}

bool isFolder(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string folderRefusal() { return reasonOf(EISDIR); }

// A C stream over a handle of the system's; the handle is closed either way.
std::FILE* streamOf(HANDLE handle, int flags, const char* mode) {
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), flags | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, mode);
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
}

}  // namespace

std::optional<std::string> OutputFile::refusal(const std::filesystem::path& path, Streams /*streams*/) {
    const std::wstring& name = path.native();
    if (isFolder(name)) {
        return folderRefusal();
    }
    if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    const std::filesystem::path folder = path.parent_path().empty() ? L"." : path.parent_path();
    return isFolder(folder.native()) ? std::nullopt : std::optional(reasonOf(ENOENT));
}

std::optional<std::string> OutputFile::open(const std::filesystem::path& path, Writing how, Streams streams) {
    abandon();
    // Windows' symbolic links need rights that few users have: a name is
    // taken as it is.
    const std::wstring& name = path.native();
    if (isFolder(name)) {
        return folderRefusal();
    }
    // Devices (NUL, CON, COM1) and pipes are no files on a disk, which
    // only their handle tells.
    bool exists = false;
    HANDLE existing = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(existing);
        if (type != FILE_TYPE_DISK) {
            if (streams == Streams::no) {
                CloseHandle(existing);
                return words::translate("OutputFile", "a device, not a file: this is written only to a file");
            }
            if (how == Writing::fresh) {
                CloseHandle(existing);
                return reasonOf(EEXIST);
            }
            file_ = streamOf(existing, 0, "wb");
            if (file_ == nullptr) {
                return reasonOf(EIO);
            }
            intoStream_ = true;
            target_ = path;
            return std::nullopt;
        }
        // It could be written, so it may be replaced.
        CloseHandle(existing);
        exists = true;
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        return reasonOf(errnoOf(error));
    }

    if (how == Writing::fresh || how == Writing::adding) {
        if (how == Writing::fresh && exists) {
            return reasonOf(EEXIST);
        }
        HANDLE handle = CreateFileW(name.c_str(), how == Writing::fresh ? GENERIC_WRITE : FILE_APPEND_DATA,
                                    FILE_SHARE_READ, nullptr, how == Writing::fresh ? CREATE_NEW : OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return reasonOf(errnoOf(GetLastError()));
        }
        file_ = streamOf(handle, how == Writing::adding ? _O_APPEND : 0, how == Writing::fresh ? "wb" : "ab");
        if (file_ == nullptr) {
            return reasonOf(EIO);
        }
        target_ = path;
        return std::nullopt;
    }

    std::random_device entropy;
    std::mt19937 draw(entropy());
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; handle == INVALID_HANDLE_VALUE && attempt < kNameAttempts; ++attempt) {
        temporary = nameBeside(name, draw);
        handle = CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return reasonOf(errnoOf(GetLastError()));
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return reasonOf(EEXIST);
    }
    file_ = streamOf(handle, 0, "w+b");
    if (file_ == nullptr) {
        DeleteFileW(temporary.c_str());
        return reasonOf(EIO);
    }
    target_ = path;
    temporary_ = std::move(temporary);
    return std::nullopt;
}

std::optional<std::string> OutputFile::commit() {
    if (file_ == nullptr) {
        return reasonOf(EBADF);
    }
    DWORD error = 0;
    int cError = std::fflush(file_) != 0 || std::ferror(file_) != 0 ? (errno != 0 ? errno : EIO) : 0;
    if (cError == 0 && !temporary_.empty()) {
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_)));
        if (!FlushFileBuffers(handle)) {
            error = GetLastError();
        }
    }
    if (std::fclose(std::exchange(file_, nullptr)) != 0 && cError == 0) {
        cError = errno != 0 ? errno : EIO;
    }
    std::optional<std::string> problem;
    if (cError != 0) {
        problem = reasonOf(cError);
    } else if (error != 0) {
        problem = reasonOf(errnoOf(error));
    } else if (!temporary_.empty()) {
        const std::wstring& name = target_.native();
        if (isFolder(name)) {
            problem = folderRefusal();
        } else {
            // ReplaceFileW gives the new file the old one's attributes and
            // access rights; with no old file, or where it cannot, a plain
            // move that returns once the move is on the disk.
            const bool replacing = GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
            const std::wstring& temporary = temporary_.native();
            if (!(replacing && ReplaceFileW(name.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                            nullptr, nullptr)) &&
                !MoveFileExW(temporary.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                problem = reasonOf(errnoOf(GetLastError()));
            } else {
                temporary_.clear();
            }
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
        DeleteFileW(temporary_.c_str());
        temporary_.clear();
    }
    intoStream_ = false;
}

}  // namespace platform
