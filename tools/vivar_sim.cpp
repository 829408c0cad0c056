// vivar-sim: the terrarium without a window, for reproducible runs.
//
//   vivar-sim [--seed S] [--generations N] [--counts]
//
// Fills the board as if at calendar second S, then runs N generations,
// generation k seeded with S + k as if one second passed per generation.
// Prints the full console trace, or with --counts a CSV of the populations.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "app/options.h"
#include "model/board.h"
#include "model/census.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

constexpr std::int64_t kDefaultGenerations = 100;

constexpr const char* kUsage =
    "usage: vivar-sim [--seed S] [--generations N] [--counts] [--help] [--version]\n"
    "\n"
    "Runs the terrarium without a window.\n"
    "  --seed S         calendar second that seeds the fill (default: now);\n"
    "                   generation k is seeded with S + k\n"
    "  --generations N  number of generations (default 100)\n"
    "  --counts         print a CSV of the populations instead of the trace\n"
    "  --help           print this help\n"
    "  --version        print the version\n";

struct Options {
    std::int64_t seed = 0;
    std::int64_t generations = kDefaultGenerations;
    bool counts = false;
};

constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

Options parseOptions(int argc, char** argv) {
    Options options;
    options.seed = static_cast<std::int64_t>(std::time(nullptr));
    CommandLine arguments("vivar-sim", argc, argv);
    while (arguments.next()) {
        if (arguments.is("--help") && arguments.flag()) {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arguments.is("--version") && arguments.flag()) {
            std::printf("vivar-sim %s\n", programVersion());
            std::exit(0);
        } else if (arguments.is("--counts")) {
            options.counts = arguments.flag();
        } else if (arguments.is("--seed")) {
            options.seed = static_cast<std::int64_t>(arguments.number(0, kLargest));
        } else if (arguments.is("--generations")) {
            options.generations = static_cast<std::int64_t>(arguments.number(0, kLargest));
        } else {
            arguments.unknown();
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);

    // A large buffer: the trace of a long run is mostly throughput.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    trace::setSink(options.counts ? nullptr : stdout);

    Model model;
    model.setUpLattice();
    clearBoard();
    fillBoard(static_cast<std::time_t>(options.seed));
    if (options.counts) {
        printCountsHeader(stdout);
        printCountsRow(stdout, 0, takeCensus(board));
    }
    for (std::int64_t k = 1; k <= options.generations; ++k) {
        // The simulated clock wraps like the generator's 32-bit seed.
        platform::srand(static_cast<std::uint32_t>(static_cast<std::uint64_t>(options.seed) + static_cast<std::uint64_t>(k)));
        model.computeGeneration();
        trace::line("model ----------------------------- a cambiar imagenes \n");
        if (options.counts) {
            printCountsRow(stdout, k, takeCensus(board));
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
