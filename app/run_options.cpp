#include "app/run_options.h"

#include <cstdio>
#include <cstdlib>

#include "app/options.h"
#include "base/words.h"
#include "platform/system.h"

std::string vivarHelp() {
    const Rules standard;
    const auto number = [](auto value) { return std::to_string(value); };
    // In two texts, the second from --rule on, as one text would need more
    // markers than words::fill has.
    const std::string options = words::translate("RunOptions",
        "Usage: vivar [OPTION]...\n"
        "\n"
        "A terrarium of lizards and cats on a board whose edges wrap, %1 x %2\n"
        "squares unless told otherwise, shown in a 3D view that you can turn and\n"
        "zoom.\n"
        "\n"
        "Options:\n"
        "  --seed S          seed every fill with S (0 to %3) and generation\n"
        "                    k after the latest fill or clear with S + k, as\n"
        "                    vivar-sim does (default: the clock)\n"
        "  --pace MS         how long each generation stays on screen, 0 to %4 ms\n"
        "                    (default %5; 0: as fast as the window keeps up)\n"
        "  --counts FILE     write the populations of every generation the run\n"
        "                    reaches to FILE as CSV, as vivar-sim --counts does; a\n"
        "                    new run gets a file of its own beside it (run.csv,\n"
        "                    run-2.csv, run-3.csv...), and so does a run whose FILE\n"
        "                    holds another run's rows, which are never written over\n"
        "  --board FILE      start with the board saved in FILE, stopped, and go on\n"
        "                    with its run: from its generation, with its seed or\n"
        "                    its recorded seeds (a --seed given wins)\n"
        "  --quiet           print nothing on standard output (no trace)\n"
        "  --size WxH        a board W squares wide and H high, at least %6 each and\n"
        "                    at most %7 squares in all (default %1x%2)\n");
    //: The rest of --help, which follows its first part (up to --size) directly
    const std::string rest = words::translate("RunOptions",
        "  --rule NAME=VALUE\n"
        "                    change one of the rules (repeatable): hatch, mating,\n"
        "                    meal are the visits an egg takes to hatch and a mating\n"
        "                    and a meal last, %1 to %2 (default %3, %4, %5);\n"
        "                    fill=E:B:G:C are the fill's whole percentages of empty\n"
        "                    squares, brown and green lizards and cats, summing to\n"
        "                    100 (default %6)\n"
        "  --language L      speak L, en or es, whatever the system's language\n"
        "  --help, /?        print this help\n"
        "  --version         print the version\n"
        "\n"
        "Keys:\n"
        "  Space             play or stop\n"
        "  N, . or Alt+Right one generation, then stop; after going back, the next\n"
        "                    one of the run again\n"
        "  , or Alt+Left     one generation back (while stopped); a click on the\n"
        "                    chart goes to the generation under it\n"
        "  + / -             faster / slower\n"
        "  C                 show or hide the population chart\n"
        "  1 to 8            the buttons of the column, from the top: play, stop,\n"
        "                    clear, fill, lighter, less green, more blue, less blue\n"
        "  Home, S, Esc      the viewer's own: home view, seek, pick or turn\n"
        "  Ctrl+S            save the board shown to a file; while running, the\n"
        "                    generation on screen when the key is pressed\n"
        "  Ctrl+O            open a board file (while stopped)\n"
        "  P                 save a picture of the view as a PNG, at a size asked for\n"
        "  V                 record a film of the generations shown (WebM or GIF);\n"
        "                    V again stops it\n"
        "  R                 the rules: the board's size, the visits and the fill's\n"
        "                    shares that the next fill or clear brings (while\n"
        "                    stopped)\n"
        "  Esc, then click   pick a square: the inspector beside the board tells\n"
        "                    about it; Esc again lets go of it\n"
        "  Del, B, G, K      make the picked square empty, a brown or green lizard,\n"
        "                    or a cat (while stopped)\n"
        "  Ctrl+B, Ctrl+G    a brown or green egg there\n"
        "  [ and ]           turn the picked creature left or right\n"
        "  F                 follow the picked creature: the picked square moves\n"
        "                    with it, generation after generation\n"
        "  Ctrl+Z            undo the latest change to the board: an edit, a fill,\n"
        "                    a clear, an opened board, new rules (while stopped)\n"
        "  Ctrl+Shift+Z, Ctrl+Y  redo it\n"
        "  Ctrl+Q            quit, as closing the window does\n"
        "Letters work with or without Shift.\n"
        "\n"
        "Drag in the board to turn it; the wheels zoom and turn. Closing the window\n"
        "ends the program after the generation under way.\n");
    return words::fill(options, {number(standard.width), number(standard.height), number(RunOptions::kMaxSeed),
                                 number(RunOptions::kMaxPaceMilliseconds),
                                 number(RunOptions::kDefaultPaceMilliseconds), number(Rules::kLeastSide),
                                 number(Rules::kMostSquares)}) +
           words::fill(rest, {number(Rules::kLeastVisits), number(Rules::kMostVisits), number(standard.hatch),
                              number(standard.mating), number(standard.meal), ruleValue(standard, "fill")});
}

RunOptions parseRunOptions(int argc, char** argv) {
    RunOptions options;
    CommandLine arguments("vivar", argc, platform::utf8Arguments(argc, argv));
    while (arguments.next()) {
        arguments.answerHelpOrVersion(vivarHelp);
        if (arguments.is("--seed")) {
            options.seed = static_cast<std::uint32_t>(arguments.number(0, RunOptions::kMaxSeed));
        } else if (arguments.is("--pace")) {
            options.paceMilliseconds = static_cast<int>(arguments.number(0, RunOptions::kMaxPaceMilliseconds));
        } else if (arguments.is("--counts")) {
            options.countsFile = platform::pathFromUtf8(arguments.text());
            if (options.countsFile.empty()) {
                arguments.fail(words::translate("RunOptions", "--counts needs a file name"));
            }
        } else if (arguments.is("--board")) {
            options.boardFile = platform::pathFromUtf8(arguments.text());
            if (options.boardFile.empty()) {
                arguments.fail(words::translate("RunOptions", "--board needs a file name"));
            }
        } else if (arguments.is("--quiet")) {
            options.quiet = arguments.flag();
        } else {
            readSharedOption(arguments, options.rules, options.rulesGiven);
        }
    }
    return options;
}
