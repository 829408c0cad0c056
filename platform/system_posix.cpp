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
#include <system_error>
#include <thread>

namespace platform {

void keepNewlines(SlowConsole /*slow*/) {}

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

bool showsEscapeCodes(std::FILE* stream) { return isTerminal(stream); }

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

void endAtOnce(int status) { std::_Exit(status); }

std::filesystem::path pathFromUtf8(std::string_view name) { return std::filesystem::path(std::string(name)); }

std::string utf8Name(const std::filesystem::path& path) { return path.native(); }

std::filesystem::path environmentPath(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? value : "";
}

char** utf8Arguments(int /*argc*/, char** argv) { return argv; }

std::FILE* openFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

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

}  // namespace platform
