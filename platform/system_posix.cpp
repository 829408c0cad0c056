#include "platform/system.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <random>
#include <system_error>
#include <thread>

namespace platform {

void keepNewlines() {}

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

std::filesystem::path executablePath() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

unsigned usableCores() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 0) {
        return static_cast<unsigned>(CPU_COUNT(&cores));
    }
    return std::max(1U, std::thread::hardware_concurrency());
}

void waitForChange(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
    for (std::uint32_t now = counter.load(); now == value; now = counter.load()) {
        counter.wait(value);
    }
}

void announceChange(std::atomic<std::uint32_t>& counter) { counter.notify_one(); }

void napBriefly() { std::this_thread::sleep_for(std::chrono::microseconds(50)); }

namespace {

// A lock-free atomic is what a signal handler may touch besides
// sig_atomic_t, and other threads read it as well.
std::atomic<int> interruptSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void noteInterrupt(int signal) {
    int none = 0;
    interruptSignal.compare_exchange_strong(none, signal);
}

// Whether SIGPIPE ended the program before it was told to fail writes
// instead: a program started with SIGPIPE ignored got failed writes.
bool endedBySigpipe = true;

}  // namespace

void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    // A write or a wait that the signal falls into goes on: the program
    // stops where it chooses, not where the signal happened to come.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

Interrupt interrupted() {
    switch (interruptSignal.load()) {
        case 0:
            return Interrupt::none;
        case SIGTERM:
            return Interrupt::termination;
        default:
            return Interrupt::keyboard;
    }
}

void failWritesWhenReaderGoes() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction before {};
    if (sigaction(SIGPIPE, &ignore, &before) == 0) {
        endedBySigpipe = before.sa_handler == SIG_DFL;
    }
}

bool isReaderGone(int error) { return error == EPIPE; }

void endAsReaderGone() {
    if (endedBySigpipe) {
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
    }
    std::_Exit(1);
}

std::filesystem::path pathFromUtf8(std::string_view name) { return std::filesystem::path(std::string(name)); }

std::string utf8Name(const std::filesystem::path& path) { return path.native(); }

std::filesystem::path environmentPath(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? value : "";
}

char** utf8Arguments(int /*argc*/, char** argv) { return argv; }

std::FILE* openFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* createNewFile(const std::filesystem::path& path) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
        ::close(descriptor);
    }
    return file;
}

namespace {

// Names tried for the new file before giving up: each clashes only with a
// file of the same random name.
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

int writeAll(int file, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(file, text.data(), text.size());
        if (written < 0 && errno != EINTR) {
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
    }
    return 0;
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

}  // namespace

int followLinks(const std::filesystem::path& path, std::filesystem::path& file) {
    namespace fs = std::filesystem;
    // As many links in a row as Linux follows before it gives up with ELOOP.
    constexpr int kMostLinks = 40;
    fs::path name = path;
    for (int link = 0; link <= kMostLinks; ++link) {
        std::error_code error;
        // A name that cannot be looked at is taken as it is: opening it will
        // tell why.
        if (!fs::is_symlink(fs::symlink_status(name, error))) {
            file = name;
            return 0;
        }
        const fs::path target = fs::read_symlink(name, error);
        if (error) {
            return error.value();
        }
        name = target.is_absolute() ? target : name.parent_path() / target;
    }
    return ELOOP;
}

int replaceFile(const std::filesystem::path& path, std::string_view contents) {
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // The new file never lets in more than the old one did, not even while
    // it is written.
    const mode_t mode = replacing ? (old.st_mode & 0777) : 0666;

    std::random_device entropy;
    std::mt19937 draw(entropy());
    std::string temporary;
    int file = -1;
    for (int attempt = 0; file < 0 && attempt < kNameAttempts; ++attempt) {
        temporary = nameBeside(path.native(), draw);
        file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (file < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (file < 0) {
        return EEXIST;
    }
    if (replacing) {
        // Owner and group come along where the user may give them (as
        // root); the umask does not take away what the old file allowed.
        [[maybe_unused]] const int given = ::fchown(file, old.st_uid, old.st_gid);
        ::fchmod(file, mode);
    }
    int error = writeAll(file, contents);
    if (error == 0 && ::fsync(file) != 0) {
        error = errno;
    }
    if (::close(file) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    syncFolderOf(path);
    return 0;
}

}  // namespace platform
