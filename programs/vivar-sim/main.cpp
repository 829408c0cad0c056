// vivar-sim: the terrarium without a window, for reproducible runs.
//
//   vivar-sim [--seed S] [--board FILE] [--generations N] [--counts | --summary]
//             [--save-board FILE [--at K]] [--size WxH] [--rule NAME=VALUE]...
//             [--film FILE.webm|FILE.gif [--film-size WxH] [--film-rate N]
//              [--film-caption] [--film-chart]]
//   vivar-sim --seeds A:B [--board FILE] [--jobs J] [--generations N] --counts | --summary
//   vivar-sim --seeds A:B --vary NAME=VALUES... [--part I/N] [OPTION]... --counts | --summary
//   vivar-sim --plot TABLE FILE.png|FILE.svg [--against NAME] [--show WHAT] [--plot-size WxH]
//
// Fills the board as if at calendar second S, or reads it from a board file,
// then runs N generations, generation k seeded with S + k as if one second
// passed per generation; a board file's run goes on from its generation.
// Prints the full console trace, or with --counts a CSV of the populations,
// or with --summary one row of how the run ended, and may save the last
// board, or with --at the one after generation K, and may film the run,
// one frame per generation.
// --seeds runs every seed from A to B on J threads and prints their rows in
// seed order; --vary runs them under every combination of the values of
// some rules, and --part only a share of it. A sweep's rows name the size
// and every rule of their run; --resume goes on with a table that a stop cut
// short. Ctrl+C and SIGTERM end every output at a whole row. --plot draws
// such a table and runs nothing.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "app/options.h"
#include "base/languages.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/rules.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/system.h"
#include "programs/vivar-sim/options.h"
#include "programs/vivar-sim/plot.h"
#include "programs/vivar-sim/saved_board.h"
#include "programs/vivar-sim/single_run.h"
#include "programs/vivar-sim/tables.h"

int main(int argc, char** argv) {
    platform::keepNewlines();
    // English, which scripts read, unless asked: the locale is not looked at.
    if (const auto asked = askedLanguage("vivar-sim", argc, argv)) {
        languages::speak(*asked);
    }
    sim::Options options = sim::parseOptions(argc, argv);
    if (options.plot) {
        return sim::drawPlot(*options.plot);
    }
    // A stop ends the output at a whole row; with a board to save, a
    // reader that has gone does not end the run before the save.
    platform::catchInterrupts();
    if (options.saveBoard) {
        platform::failWritesWhenReaderGoes();
    }

    // A large buffer: the trace of a long run is mostly throughput.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    trace::setSink(options.counts || options.summary ? nullptr : stdout);

    // The board file is read once, before anything is written, and refused
    // as an option would be. Its rules are the run's, and so is its seed,
    // unless one is typed.
    std::optional<Board> loaded;
    if (options.board) {
        loaded.emplace();
        Rules rules;
        if (const std::optional<std::string> problem =
                board_file::load(*options.board, *loaded, rules, &options.boardPlace)) {
            std::fprintf(stderr, "vivar-sim: %s\n", problem->c_str());
            return 2;
        }
        if (const std::optional<std::string> problem = board_file::contradiction(rules, options.rulesGiven)) {
            std::fprintf(stderr, "vivar-sim: %s: %s\n", platform::utf8Name(*options.board).c_str(), problem->c_str());
            return 2;
        }
        if (const std::optional<std::string> problem = sim::placeProblem(options)) {
            std::fprintf(stderr, "vivar-sim: %s\n", problem->c_str());
            return 2;
        }
        options.rules = rules;
        if (!options.seedGiven && options.boardPlace.seed) {
            options.seed = *options.boardPlace.seed;
        }
    }

    if (options.seeds) {
        // Every seed is typed: none takes the seeds the file recorded.
        std::optional<StartingBoard> from;
        if (loaded) {
            from.emplace(StartingBoard{*loaded, options.boardPlace.generation, {}});
        }
        sim::runSweep(options, from ? &*from : nullptr);
        return 0;
    }
    return sim::runSingle(options, loaded);
}
