// vivar: the terrarium in a window. Reads the options and a board file,
// then hands the run to the window until it closes.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "app/console_trace.h"
#include "app/counts_file.h"
#include "app/lifecycle.h"
#include "app/options.h"
#include "app/run_options.h"
#include "app/run_session.h"
#include "app/steering.h"
#include "base/words.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/model.h"
#include "model/trace.h"
#include "platform/random.h"
#include "platform/system.h"
#include "view/language.h"
#include "view/view.h"

namespace {

// Reads the --board file with its rules, which become the run's, and its
// place in its run. On a problem returns the line to tell.
std::optional<std::string> openBoard(RunOptions& options, Board& squares, board_file::RunPlace& place) {
    Rules rules;
    if (auto problem = board_file::load(options.boardFile, squares, rules, &place)) {
        return problem;
    }
    const std::string name = platform::utf8Name(options.boardFile);
    if (const auto problem = board_file::contradiction(rules, options.rulesGiven)) {
        return name + ": " + *problem;
    }
    // The window goes on from the board one generation at least.
    if (const auto problem = board_file::noRoomToRun(place.generation, 1)) {
        return name + " " + *problem;
    }
    // The board is read, and the counts are added to: one file cannot be both.
    std::error_code different;
    if (!options.countsFile.empty() && std::filesystem::equivalent(options.boardFile, options.countsFile, different)) {
        return words::fill(words::translate("main", "%1 is the board file, which --counts would write over: name "
                                                    "another file for the counts"),
                           {platform::utf8Name(options.countsFile)});
    }
    options.rules = rules;
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    platform::keepNewlines(platform::SlowConsole::LeaveOut);
    // The help and the complaints about options speak the user's language.
    language::chooseFromLocale();
    if (const auto asked = askedLanguage("vivar", argc, argv)) {
        language::chooseAsked(*asked);
    }
    // Options are read, and refused, before anything opens; so is a board
    // file, whose rules the run and the next fill take.
    RunOptions options = parseRunOptions(argc, argv);
    Board opened;
    board_file::RunPlace place;
    if (!options.boardFile.empty()) {
        if (const auto problem = openBoard(options, opened, place)) {
            std::fprintf(stderr, "vivar: %s\n", problem->c_str());
            return 2;
        }
    }
    if (!options.countsFile.empty()) {
        if (const auto problem = CountsFile::check(options.countsFile)) {
            const std::string line =
                words::fill(words::translate("main", "vivar: cannot write the counts file '%1': %2"),
                            {platform::utf8Name(options.countsFile), *problem});
            std::fprintf(stderr, "%s\n", line.c_str());
            return 2;
        }
    }
    Steering steering(options);
    if (options.quiet) {
        trace::setSink(nullptr);
    } else if (!platform::isTerminal(stdout)) {
        // A trace kept in a file or piped on is throughput: written in large
        // blocks, it costs Windows (and Wine) a system call per 64 KB rather
        // than per line. Every generation still ends with a flush.
        static char buffer[1 << 16];
        std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    }

    // The board read is the window's; a 2000 x 2000 board is never held twice.
    if (!options.boardFile.empty()) {
        board = std::move(opened);
    } else {
        board.resize(options.rules.width, options.rules.height);
        clearBoard();
    }
    const RunSession::Start start = RunSession::continuing(place, options.seed);
    RunSession session(options.seed, board, options.rules, start, !options.boardFile.empty());
    if (!options.countsFile.empty()) {
        (void)session.openCounts(options.countsFile);
    }

    View view;
    Model model;
    // The window's model traces to the console, where its lines are shown;
    // started, it draws from its thread's generator.
    console_trace::watchTerminal(!options.quiet && platform::isTerminal(stdout));
    console_trace::fitTo(options.rules, model);
    // The scene belongs to the view thread: the model's hand-off asks it to
    // show the board and waits until it has.
    model.displayUpdate = [&view] { view.showBoard(); };
    view.steer(steering, session, &model,
               options.boardFile.empty() ? QString() : View::continuationNotice(place, start));
    steering.steer(model, session);

    platform::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    model.rules = options.rules;
    model.setUpLattice();

    int status = runWorkers(model, view);
    // The window told of an output it could not write; so does the status.
    tellTraceFailureOnce();
    if (status == 0 && (trace::failure() != 0 || !session.countsProblem().empty())) {
        status = 1;
    }
    // An experiment's runs left under way at the close end here, before
    // anything they use is taken down.
    if (view.leftRunsUnderWay()) {
        std::fflush(nullptr);
        platform::endAtOnce(status);
    }
    return status;
}
