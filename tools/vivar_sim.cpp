// vivar-sim: the terrarium without a window, for reproducible runs.
//
//   vivar-sim [--seed S] [--generations N] [--counts]
//
// Fills the board as if at calendar second S, then runs N generations,
// generation k seeded with S + k as if one second passed per generation.
// Prints the full console trace, or with --counts a CSV of the populations.

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "model/board.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

constexpr std::int64_t kDefaultGenerations = 100;

constexpr const char* kUsage =
    "usage: vivar-sim [--seed S] [--generations N] [--counts]\n"
    "\n"
    "Runs the terrarium without a window.\n"
    "  --seed S         calendar second that seeds the fill (default: now);\n"
    "                   generation k is seeded with S + k\n"
    "  --generations N  number of generations (default 100)\n"
    "  --counts         print a CSV of the populations instead of the trace\n"
    "  --help           print this help\n";

struct Options {
    std::int64_t seed = 0;
    std::int64_t generations = kDefaultGenerations;
    bool counts = false;
    bool help = false;
};

// A whole non-negative decimal number that fits in 63 bits.
std::optional<std::int64_t> parseCount(const char* text) {
    if (text == nullptr || *text < '0' || *text > '9') {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0') {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value);
}

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "vivar-sim: %s (try --help)\n", message.c_str());
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    options.seed = static_cast<std::int64_t>(std::time(nullptr));
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            options.help = true;
        } else if (argument == "--counts") {
            options.counts = true;
        } else if (argument == "--seed" || argument == "--generations") {
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            const auto number = parseCount(value);
            if (!number) {
                usageError(std::string(argument) + (value ? " needs a non-negative whole number, not '" + std::string(value) + "'"
                                                          : " needs a value"));
            }
            (argument == "--seed" ? options.seed : options.generations) = *number;
        } else {
            usageError("unknown option '" + std::string(argument) + "'");
        }
    }
    return options;
}

void printCounts(std::int64_t generation) {
    std::int64_t empty = 0;
    std::int64_t lizards[2] = {0, 0};
    std::int64_t eggs[2] = {0, 0};
    std::int64_t cats = 0;
    for (const CellState& cell : board) {
        if (cell.kind == kEmpty) {
            ++empty;
        } else if (cell.kind == kLizard1 || cell.kind == kLizard2) {
            ++(cell.juvenile != 0 ? eggs : lizards)[cell.kind - 1];
        } else if (cell.kind == kCat) {
            ++cats;
        }
    }
    std::printf("%" PRId64 ",%" PRId64 ",%" PRId64 ",%" PRId64 ",%" PRId64 ",%" PRId64 ",%" PRId64 "\n", generation, empty,
                lizards[0], lizards[1], eggs[0], eggs[1], cats);
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    // A large buffer: the trace of a long run is mostly throughput.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    trace::setSink(options.counts ? nullptr : stdout);

    Model model;
    model.setUpLattice();
    clearBoard();
    fillBoard(static_cast<std::time_t>(options.seed));
    if (options.counts) {
        std::puts("generation,empty,lizard1,lizard2,egg1,egg2,cat");
        printCounts(0);
    }
    for (std::int64_t k = 1; k <= options.generations; ++k) {
        // The simulated clock wraps like the generator's 32-bit seed.
        platform::srand(static_cast<std::uint32_t>(static_cast<std::uint64_t>(options.seed) + static_cast<std::uint64_t>(k)));
        model.computeGeneration();
        trace::print("model ----------------------------- a cambiar imagenes \n");
        if (options.counts) {
            printCounts(k);
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
