// vivar-sim's help, in both languages, and the reading of its options with
// every complaint about them.
#include "programs/vivar-sim/options.h"

#include <algorithm>
#include <ctime>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "app/options.h"
#include "base/numbers.h"
#include "base/words.h"
#include "model/run_seeds.h"
#include "platform/system.h"
#include "studies/experiment_tally.h"

namespace sim {
namespace {

constexpr unsigned kMaxJobs = 1024;

// The help, in four texts, from --usage, --film-rate, --plot and --language
// on, as one text would need more markers than words::fill has; English
// unless --language asks.
constexpr const char* kUsage = QT_TRANSLATE_NOOP("VivarSim",
    "Usage: vivar-sim [OPTION]... [--counts | --summary] [--save-board FILE [--at K]]\n"
    "  or:  vivar-sim --seeds A:B [OPTION]... --counts | --summary\n"
    "  or:  vivar-sim --seeds A:B --vary NAME=VALUES [OPTION]... --counts | --summary\n"
    "  or:  vivar-sim --plot TABLE FILE [--against NAME] [--show WHAT] [--plot-size WxH]\n"
    "\n"
    "Runs the terrarium without a window.\n"
    "\n"
    "Options:\n"
    "  --seed S           calendar second that seeds the fill, 0 to %1\n"
    "                     (default: now, or the board file's seed); generation k\n"
    "                     is seeded with S + k\n"
    "  --board FILE       start from the board in FILE instead of the fill, at\n"
    "                     the generation it was saved after, and run N more\n"
    "                     generations seeded as its run was (its seed, or the\n"
    "                     seeds it recorded), so that it goes on exactly; with\n"
    "                     --seed S, generation k is seeded with S + k instead\n"
    "  --generations N    number of generations (default %2)\n"
    "  --counts           print a CSV of the populations instead of the trace;\n"
    "                     with --seeds, each row starts with its run's size,\n"
    "                     rules and seed\n"
    "  --summary          print one CSV row per seed: the last generation's\n"
    "                     populations and, for each lizard species, the first\n"
    "                     generation with none of its adults or eggs left\n"
    "  --save-board FILE  after the last generation, write the board to FILE\n"
    "                     with its place in the run, which --board FILE goes on\n"
    "                     from (not with --seeds)\n"
    "  --at K             with --save-board, save the board after generation K\n"
    "                     instead, from the first to the last, as the run passes\n"
    "                     it: the output is the same\n"
    "  --seeds A:B        run every seed from A to B (each 0 to %1);\n"
    "                     needs --counts or --summary\n"
    "  --jobs J           threads for --seeds (default: the number of cores)\n"
    "  --size WxH         a board W squares wide and H high on a torus, each at\n"
    "                     least %3, at most %4 squares (default %5x%6)\n"
    "  --film FILE        film the run into FILE, one frame per generation, the\n"
    "                     first board included: a WebM video (VP8) when FILE ends\n"
    "                     in .webm, an animated GIF when it ends in .gif; the\n"
    "                     board as the window's home view shows it, a board map\n"
    "                     of one colour per kind where its squares would be too\n"
    "                     small for their pictures (not with --seeds)\n"
    "  --film-size WxH    the film's size in pixels, %7x%7 to %8 (default: the\n"
    "                     board's shape, %9 pixels on its longer side)\n");
constexpr const char* kUsageFromRule = QT_TRANSLATE_NOOP("VivarSim",
    "  --film-rate N      the film's generations per second, %7 to %8 (default %9)\n"
    "  --film-caption     under the board, a line with the generation and the\n"
    "                     populations\n"
    "  --film-chart       beside the board, the population chart as the window\n"
    "                     draws it\n"
    "  --rule NAME=VALUE\n"
    "                     change one of the rules (repeatable): hatch, mating,\n"
    "                     meal are the visits an egg takes to hatch and a\n"
    "                     mating and a meal last, %1 to %2 (default %3, %4, %5);\n"
    "                     fill=E:B:G:C are the fill's whole percentages of\n"
    "                     empty squares, brown and green lizards and cats,\n"
    "                     summing to 100 (default %6)\n"
    "  --vary NAME=V1,V2,...\n"
    "                     with --seeds, run every seed under each of these values\n"
    "                     of a rule (hatch, mating, meal, fill) or of size (WxH);\n"
    "                     hatch, mating, meal and size also take FIRST:LAST:STEP,\n"
    "                     a size N there meaning NxN. Repeatable: every\n"
    "                     combination of the values runs, the first --vary\n"
    "                     changing slowest; the values replace what --rule or\n"
    "                     --size says\n"
    "  --part I/N         with --seeds, run only the I-th of N equal shares of\n"
    "                     the runs, in order: parts 1 to N, concatenated, are the\n"
    "                     whole output, and part 1 alone prints the header\n"
    "  --resume FILE      with --seeds, go on with FILE, this command's table cut\n"
    "                     short by a stop: its whole runs are kept, the rest run\n"
    "                     and added to FILE, which then holds what one run without\n"
    "                     a stop writes; a file that is not this command's table\n"
    "                     (or part) is refused and left as it was\n");
constexpr const char* kUsagePlot = QT_TRANSLATE_NOOP("VivarSim",
    "  --plot TABLE FILE  draw the experiment in TABLE (the output of --seeds A:B\n"
    "                     --summary, with --vary or not, or its parts one after\n"
    "                     another) into FILE, a PNG picture or an SVG drawing by\n"
    "                     its ending, and run nothing: the share of runs in which\n"
    "                     both lizard species survive and in which one does,\n"
    "                     with 95 % intervals, against the varied setting; a grid\n"
    "                     of the shares when two settings vary\n"
    "  --against NAME     with --plot, the setting along the x axis (size, hatch,\n"
    "                     mating, meal, fill), one line for each value of the\n"
    "                     other varied ones\n"
    "  --show WHAT        with --plot: survival (default), populations (the last\n"
    "                     generation's, median and quartiles) or extinction (the\n"
    "                     generation at which the first species died out)\n"
    "  --plot-size WxH    with --plot, the picture's size in pixels, %1 to %2\n"
    "                     (default %3x%4)\n");
constexpr const char* kUsageFromLanguage = QT_TRANSLATE_NOOP("VivarSim",
    "  --language L       speak L, en or es, in this help and the complaints\n"
    "                     (default en, whatever the system's language)\n"
    "  --help, /?         print this help\n"
    "  --version          print the version\n"
    "\n"
    "In the CSV, lizard1 and egg1 are the brown lizards and their eggs, lizard2\n"
    "and egg2 the green ones; species1 is brown, species2 green. With --seeds, and\n"
    "in --summary, every row begins with its run's size and rules, varied or not:\n"
    "size,hatch,mating,meal,fill, then the seed.\n"
    "\n"
    "Ctrl+C or SIGTERM ends the output at a whole row, says on stderr how much was\n"
    "written, and exits with status 130 or 143.\n");

std::string usage() {
    const Rules standard;
    const auto number = [](auto value) { return std::to_string(value); };
    return words::fill(words::translate("VivarSim", kUsage),
                       {number(kLargestSeed), number(kDefaultGenerations), number(Rules::kLeastSide),
                        number(Rules::kMostSquares), number(standard.width), number(standard.height),
                        number(kLeastFilmSide), number(kLargestFilm.width) + "x" + number(kLargestFilm.height),
                        number(kDefaultFilmSide)}) +
           words::fill(words::translate("VivarSim", kUsageFromRule),
                       {number(Rules::kLeastVisits), number(Rules::kMostVisits), number(standard.hatch),
                        number(standard.mating), number(standard.meal), ruleValue(standard, "fill"),
                        number(kLeastFilmRate), number(kMostFilmRate), number(kDefaultFilmRate)}) +
           words::fill(words::translate("VivarSim", kUsagePlot),
                       {number(kLeastPlotSide), number(kLargestPlotSide), number(kDefaultPlotWidth),
                        number(kDefaultPlotHeight)}) +
           words::translate("VivarSim", kUsageFromLanguage);
}

// A complaint about the options, in the language --language asks for.
std::string said(const char* text, std::initializer_list<std::string_view> values = {}) {
    return words::fill(words::translate("VivarSim", text), values);
}

constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

// "A:B" with A <= B, both seeds.
SeedRange parseSeedRange(CommandLine& arguments) {
    const std::string text = arguments.text();
    const auto colon = text.find(':');
    SeedRange range;
    const std::string_view whole = text;
    if (colon == std::string::npos || !parseWholeNumber(whole.substr(0, colon), 0, kLargestSeed, range.first) ||
        !parseWholeNumber(whole.substr(colon + 1), 0, kLargestSeed, range.last)) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--seeds needs a range A:B of whole numbers from 0 to %1, not '%2'"),
                            {std::to_string(kLargestSeed), text}));
    }
    if (range.first > range.last) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--seeds needs A:B with A no greater than B, not '%1'"), {text}));
    }
    return range;
}

// "I/N" with 1 <= I <= N.
Part parsePart(CommandLine& arguments) {
    const std::string text = arguments.text();
    const std::string_view whole = text;
    const auto slash = whole.find('/');
    Part part;
    if (slash == std::string_view::npos || !parseWholeNumber(whole.substr(slash + 1), 1, kLargest, part.count) ||
        !parseWholeNumber(whole.substr(0, slash), 1, part.count, part.index)) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--part needs I/N, whole numbers with 1 <= I <= N, not '%1'"), {text}));
    }
    return part;
}

void addVariation(CommandLine& arguments, std::vector<Variation>& variations) {
    Variation variation;
    if (const std::optional<std::string> problem = readVariation(arguments.text(), variation)) {
        arguments.fail(*problem);
    }
    for (const Variation& earlier : variations) {
        if (earlier.name == variation.name) {
            arguments.fail(
                said(QT_TRANSLATE_NOOP("VivarSim", "--vary %1 is given twice: list all its values in one --vary"),
                     {variation.name}));
        }
    }
    variations.push_back(std::move(variation));
}

std::filesystem::path fileName(CommandLine& arguments, const char* option) {
    const std::string name = arguments.text();
    if (name.empty()) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "%1 needs a file name"), {option}));
    }
    return platform::pathFromUtf8(name);
}

// The options of --plot are gathered as they come, before or after it.
PlotAsk& plotAsk(Options& options) {
    if (!options.plot) {
        options.plot.emplace();
    }
    return *options.plot;
}

void readPlot(CommandLine& arguments, Options& options) {
    PlotAsk& plot = plotAsk(options);
    plot.table = fileName(arguments, "--plot");
    plot.file = fileName(arguments, "--plot");
    const std::optional<PlotFormat> format = plotFormatOf(plot.file);
    if (!format) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--plot needs a picture's name ending in .png or .svg, "
                                                          "not '%1'"),
                            {platform::utf8Name(plot.file)}));
    }
    plot.format = *format;
}

std::size_t settingNamed(CommandLine& arguments) {
    const std::string name = arguments.text();
    const auto found = std::find(kSettingNames.begin(), kSettingNames.end(), name);
    if (found == kSettingNames.end()) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--against needs one of size, hatch, mating, meal, fill, not '%1'"),
                 {name}));
    }
    return static_cast<std::size_t>(found - kSettingNames.begin());
}

PlotShows shownBy(CommandLine& arguments) {
    const std::string name = arguments.text();
    if (name == "survival") {
        return PlotShows::kSurvival;
    }
    if (name == "populations") {
        return PlotShows::kPopulations;
    }
    if (name != "extinction") {
        arguments.fail(said(
            QT_TRANSLATE_NOOP("VivarSim", "--show needs survival, populations or extinction, not '%1'"), {name}));
    }
    return PlotShows::kExtinction;
}

void readPlotSize(CommandLine& arguments, PlotAsk& plot) {
    const std::string text = arguments.text();
    const std::string_view whole = text;
    const auto x = whole.find_first_of("xX");
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    if (x == std::string_view::npos || !parseWholeNumber(whole.substr(0, x), kLeastPlotSide, kLargestPlotSide, width) ||
        !parseWholeNumber(whole.substr(x + 1), kLeastPlotSide, kLargestPlotSide, height)) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--plot-size needs WxH, each from %1 to %2, not '%3'"),
                            {std::to_string(kLeastPlotSide), std::to_string(kLargestPlotSide), text}));
    }
    plot.width = static_cast<int>(width);
    plot.height = static_cast<int>(height);
}

}  // namespace

Options parseOptions(int argc, char** argv) {
    Options options;
    options.seed = static_cast<std::int64_t>(std::time(nullptr));
    CommandLine arguments("vivar-sim", argc, platform::utf8Arguments(argc, argv));
    // The last of --against, --show and --plot-size given, which need --plot.
    const char* plotOption = nullptr;
    while (arguments.next()) {
        arguments.answerHelpOrVersion(usage);
        if (arguments.is("--counts")) {
            options.counts = arguments.flag();
        } else if (arguments.is("--summary")) {
            options.summary = arguments.flag();
        } else if (arguments.is("--seed")) {
            options.seed = static_cast<std::int64_t>(arguments.number(0, kLargestSeed));
            options.seedGiven = true;
        } else if (arguments.is("--seeds")) {
            options.seeds = parseSeedRange(arguments);
        } else if (arguments.is("--jobs")) {
            options.jobs = static_cast<unsigned>(arguments.number(1, kMaxJobs));
        } else if (arguments.is("--vary")) {
            addVariation(arguments, options.variations);
        } else if (arguments.is("--part")) {
            options.part = parsePart(arguments);
        } else if (arguments.is("--resume")) {
            options.resume = fileName(arguments, "--resume");
        } else if (arguments.is("--board")) {
            options.board = fileName(arguments, "--board");
        } else if (arguments.is("--save-board")) {
            options.saveBoard = fileName(arguments, "--save-board");
        } else if (arguments.is("--at")) {
            options.saveAt = static_cast<std::int64_t>(arguments.number(0, kLargest));
        } else if (arguments.is("--generations")) {
            options.generations = static_cast<std::int64_t>(arguments.number(0, kLargest));
        } else if (arguments.is("--film")) {
            options.film = fileName(arguments, "--film");
            const std::optional<FilmKind> kind = filmKindOf(*options.film);
            if (!kind) {
                arguments.fail(
                    said(QT_TRANSLATE_NOOP("VivarSim", "--film needs a file name ending in .webm (a video) or "
                                                       ".gif (an animated GIF), not '%1'"),
                         {platform::utf8Name(*options.film)}));
            }
            options.filmKind = *kind;
        } else if (arguments.is("--film-size")) {
            FilmSize size;
            if (const std::optional<std::string> problem = readFilmSize(arguments.text(), size)) {
                arguments.fail("--film-size " + *problem);
            }
            options.filmSize = size;
        } else if (arguments.is("--film-caption")) {
            options.filmExtras.caption = arguments.flag();
        } else if (arguments.is("--film-chart")) {
            options.filmExtras.chart = arguments.flag();
        } else if (arguments.is("--plot")) {
            readPlot(arguments, options);
        } else if (arguments.is("--against")) {
            plotAsk(options).choice.against = settingNamed(arguments);
            plotOption = "--against";
        } else if (arguments.is("--show")) {
            plotAsk(options).choice.shows = shownBy(arguments);
            plotOption = "--show";
        } else if (arguments.is("--plot-size")) {
            readPlotSize(arguments, plotAsk(options));
            plotOption = "--plot-size";
        } else if (arguments.is("--film-rate")) {
            options.filmRate = static_cast<int>(arguments.number(kLeastFilmRate, kMostFilmRate));
        } else {
            readSharedOption(arguments, options.rules, options.rulesGiven);
        }
    }
    if (plotOption != nullptr && options.plot->table.empty()) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "%1 goes with --plot TABLE FILE"), {plotOption}));
    }
    if (options.plot && (options.seeds || options.board || options.film || options.saveBoard || options.counts ||
                         options.summary)) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--plot draws a table and runs nothing: it goes with "
                                                          "--against, --show and --plot-size only")));
    }
    if (options.counts && options.summary) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--counts and --summary do not go together")));
    }
    if (options.seeds && options.seedGiven) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--seed and --seeds do not go together")));
    }
    if (options.seeds && !options.counts && !options.summary) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--seeds needs --counts or --summary: the traces of many runs "
                                               "would be one tangle")));
    }
    if (options.jobs && !options.seeds) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--jobs goes with --seeds")));
    }
    if (options.saveBoard && options.seeds) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--save-board goes with a single run, not with --seeds")));
    }
    if (options.saveAt && !options.saveBoard) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--at goes with --save-board")));
    }
    if (options.film && options.seeds) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--film goes with a single run, not with --seeds")));
    }
    if ((options.filmSize || options.filmRate || !(options.filmExtras == FilmExtras{})) && !options.film) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "%1 goes with --film FILE"),
                 {options.filmSize             ? "--film-size"
                  : options.filmRate           ? "--film-rate"
                  : options.filmExtras.caption ? "--film-caption"
                                               : "--film-chart"}));
    }
    // From a board, the first generation is the board's: known once it is read.
    if (options.saveAt && !options.board && *options.saveAt > options.generations) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--at %1 is after the last generation, %2"),
                            {std::to_string(*options.saveAt), std::to_string(options.generations)}));
    }
    if (!options.variations.empty() && !options.seeds) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--vary goes with --seeds A:B (a single seed S is --seeds S:S)")));
    }
    if (options.part && !options.seeds) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--part goes with --seeds")));
    }
    if (options.resume && !options.seeds) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--resume goes with --seeds: it goes on with a table")));
    }
    const auto variesSize = [](const Variation& variation) { return variation.name == "size"; };
    if (options.board && std::any_of(options.variations.begin(), options.variations.end(), variesSize)) {
        arguments.fail(
            said(QT_TRANSLATE_NOOP("VivarSim", "--vary size does not go with --board: a board file has its own size")));
    }
    if (options.seeds && !Experiment(options.rules, options.variations, *options.seeds).runCount()) {
        arguments.fail(said(QT_TRANSLATE_NOOP("VivarSim", "--vary and --seeds make more runs than can be counted")));
    }
    return options;
}

}  // namespace sim
