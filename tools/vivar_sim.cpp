// vivar-sim: the terrarium without a window, for reproducible runs.
//
//   vivar-sim [--seed S] [--board FILE] [--generations N] [--counts | --summary]
//             [--save-board FILE [--at K]] [--size WxH] [--rule NAME=VALUE]...
//             [--film FILE.webm|FILE.gif [--film-size WxH] [--film-rate N]
//              [--film-caption] [--film-chart]]
//   vivar-sim --seeds A:B [--board FILE] [--jobs J] [--generations N] --counts | --summary
//   vivar-sim --seeds A:B --vary NAME=VALUES... [--part I/N] [OPTION]... --counts | --summary
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
// short. Ctrl+C and SIGTERM end every output at a whole row.

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "app/options.h"
#include "base/languages.h"
#include "base/words.h"
#include "film/board_film.h"
#include "film/film_format.h"
#include "looks/picture_search.h"
#include "looks/tile_pictures.h"
#include "model/board_file.h"
#include "model/census.h"
#include "model/experiment.h"
#include "model/partial_table.h"
#include "model/rules.h"
#include "model/seeded_run.h"
#include "model/sweep.h"
#include "model/trace.h"
#include "platform/output_file.h"
#include "platform/system.h"
#include "tools/film_module.h"
#include "tools/row_output.h"

namespace {

constexpr std::int64_t kDefaultGenerations = 100;
constexpr unsigned kMaxJobs = 1024;

// The help, in two texts, the second from --film-rate on, as one text would
// need more markers than words::fill has; English unless --language asks.
constexpr const char* kUsage = QT_TRANSLATE_NOOP("VivarSim",
    "Usage: vivar-sim [OPTION]... [--counts | --summary] [--save-board FILE [--at K]]\n"
    "  or:  vivar-sim --seeds A:B [OPTION]... --counts | --summary\n"
    "  or:  vivar-sim --seeds A:B --vary NAME=VALUES [OPTION]... --counts | --summary\n"
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
    "                     (or part) is refused and left as it was\n"
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
                        number(kLeastFilmRate), number(kMostFilmRate), number(kDefaultFilmRate)});
}

// A complaint about the options, in the language --language asks for.
std::string said(const char* text, std::initializer_list<std::string_view> values = {}) {
    return words::fill(words::translate("VivarSim", text), values);
}

// A part of an experiment, 1 to count.
struct Part {
    std::uint64_t index = 1;
    std::uint64_t count = 1;
};

constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

struct Options {
    std::int64_t seed = 0;
    bool seedGiven = false;
    std::optional<std::filesystem::path> board;
    std::optional<std::filesystem::path> saveBoard;
    std::optional<std::int64_t> saveAt;
    std::optional<SeedRange> seeds;
    std::optional<unsigned> jobs;
    std::vector<Variation> variations;
    std::optional<Part> part;
    std::optional<std::filesystem::path> resume;
    std::optional<std::filesystem::path> film;
    FilmKind filmKind = FilmKind::kWebM;
    std::optional<FilmSize> filmSize;
    std::optional<int> filmRate;
    FilmExtras filmExtras;
    std::int64_t generations = kDefaultGenerations;
    bool counts = false;
    bool summary = false;
    Rules rules;
    // What --size and --rule set, 0 for what they leave alone: a board file
    // brings its own rules, which these must not contradict.
    Rules rulesGiven = board_file::kNothingGiven;
    // Where the --board file's board stands in its run, as the file says.
    board_file::RunPlace boardPlace;
};

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

Options parseOptions(int argc, char** argv) {
    Options options;
    options.seed = static_cast<std::int64_t>(std::time(nullptr));
    CommandLine arguments("vivar-sim", argc, platform::utf8Arguments(argc, argv));
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
        } else if (arguments.is("--film-rate")) {
            options.filmRate = static_cast<int>(arguments.number(kLeastFilmRate, kMostFilmRate));
        } else if (arguments.is("--size") || arguments.is("--rule")) {
            readRulesOption(arguments, options.rules, options.rulesGiven);
        } else if (arguments.is("--language")) {
            (void)arguments.text();  // spoken since before the options were read
        } else {
            arguments.unknown();
        }
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

// Seeds done, rate and time left on a terminal's stderr, once a sweep has
// taken more than a second; nothing at all when stderr is not a terminal.
// "2 h 05 min", "4 min 10 s", "12 s".
std::string duration(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[48];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld h %02lld min", whole / 3600, whole % 3600 / 60);
    } else if (whole >= 60) {
        std::snprintf(text, sizeof text, "%lld min %02lld s", whole / 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld s", whole);
    }
    return text;
}

// A line of progress on a terminal's stderr, each one written over the one
// before. Where the terminal takes "\033[K" it clears what a longer line
// left; elsewhere (a Windows console that shows it as "[K") spaces do.
class ProgressLine {
public:
    void show(const std::string& text, bool last) {
        std::string line = "\r" + text;
        if (escapeCodes_) {
            line += "\033[K";
        } else if (text.size() < width_) {
            line.append(width_ - text.size(), ' ');
        }
        width_ = last ? 0 : text.size();
        std::fprintf(stderr, "%s%s", line.c_str(), last ? "\n" : "");
    }

private:
    bool escapeCodes_ = platform::showsEscapeCodes(stderr);
    std::size_t width_ = 0;
};

// The text of a printf format, for a progress line.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formatted(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return std::string(text, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
}

class Progress {
public:
    // Counted in runs when an experiment varies rules, in seeds when not;
    // `already` are done before this program started, as a --resume finds.
    Progress(std::uint64_t total, bool runs, std::uint64_t already)
        : total_(total), already_(already), runs_(runs), shown_(platform::isTerminal(stderr)) {}

    void update(std::uint64_t done) {
        if (!shown_) {
            return;
        }
        const auto now = Clock::now();
        const bool last = done == total_;
        if (now - start_ < kQuietStart || (!last && now - lastShown_ < kInterval)) {
            return;
        }
        lastShown_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        const double rate = static_cast<double>(done) / seconds;
        const std::string when = last ? "done in " + duration(seconds)
                                      : "about " + duration(static_cast<double>(total_ - done) / rate) + " left";
        if (runs_) {
            line_.show(formatted("vivar-sim: %" PRIu64 " of %" PRIu64 " runs, %.1f runs/s, %s", already_ + done,
                                 already_ + total_, rate, when.c_str()),
                       last);
        } else {
            line_.show(formatted("vivar-sim: %" PRIu64 " of %" PRIu64 " seeds, %.1f seeds/s, %s", already_ + done,
                                 already_ + total_, rate, when.c_str()),
                       last);
        }
        open_ = !last;
    }

    // Ends the line shown, so that a message can follow on a line of its own.
    void leaveLine() {
        if (open_) {
            std::fputs("\n", stderr);
            open_ = false;
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kQuietStart{1};
    static constexpr std::chrono::milliseconds kInterval{200};

    std::uint64_t total_;
    std::uint64_t already_;
    bool runs_;
    bool shown_;
    bool open_ = false;
    ProgressLine line_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_;
};

constexpr const char* kStandardOutput = "standard output";

// Once the output cannot be written, there is no one left to run for.
// A reader that has gone, as when the output is piped into head, needs no
// message: Linux ends the program with SIGPIPE at that write, unless it
// asked for a failed write instead, as it does when a board is still to be
// saved; Windows fails it. Anything else, such as a full disk, is said.
[[noreturn]] void outputFailed(const std::string& name, int error) {
    if (platform::isReaderGone(error)) {
        platform::endAsReaderGone();
    }
    std::fprintf(stderr, "vivar-sim: %s: %s\n", name.c_str(),
                 error != 0 ? std::strerror(error) : "could not be written");
    platform::endAtOnce(1);
}

void endIfOutputFailed(const RowOutput& output) {
    if (output.error() != 0) {
        outputFailed(output.name(), output.error());
    }
}

// "1,234,567": the counts a stop tells.
std::string grouped(std::uint64_t number) {
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) {
            text += ',';
        }
        text += digits[at];
    }
    return text;
}

// A file name as a shell would take it back from a copied command.
std::string shellWord(const std::string& name) {
    if (name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-/+:,=@%") ==
        std::string::npos) {
        return name;
    }
    std::string quoted = "'";
    for (const char c : name) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The options that give these rules: " --size 37x53 --rule meal=5", or
// nothing for the standard ones.
std::string ruleOptions(const Rules& rules) {
    const RuleDifferences differing = differencesFromStandard(rules);
    std::string text;
    if (differing.size) {
        text += " --size " + *differing.size;
    }
    for (const auto& [name, value] : differing.rules) {
        text += " --rule " + std::string(name) + "=" + value;
    }
    return text;
}

// Whether the saved board names the run's seed. One that the clock chose
// says nothing until the run has gone past generation 0: such a board is
// written as it always was, and its comment names the seed.
bool savesSeed(const Options& options, const SeededRun& run) {
    return options.seedGiven || options.boardPlace.seed || run.generation() > 0;
}

// The saved board's comment: how the run came to it, and how to go on,
// which needs no rules, nor a seed that the file has. A seed the clock
// chose is named, so that the run can be made again.
std::string resumeComment(const Options& options, const std::filesystem::path& file, const SeededRun& run) {
    const std::string seed = std::to_string(options.seed);
    std::string how = "vivar-sim";
    if (options.board) {
        const board_file::RunPlace& place = options.boardPlace;
        how += " --board " + shellWord(platform::utf8Name(*options.board));
        if (options.seedGiven || (!place.seed && place.nextSeeds.empty())) {
            how += " --seed " + seed;
        } else if (!place.seed &&
                   run.generation() - place.generation > static_cast<std::int64_t>(place.nextSeeds.size())) {
            how += " (its recorded seeds, then generation k seeded with " + seed + " + k)";
        }
    } else {
        how += " --seed " + seed + ruleOptions(options.rules);
    }
    return how + ", after generation " + std::to_string(run.generation()) + ": continue with vivar-sim --board " +
           shellWord(platform::utf8Name(file)) + (savesSeed(options, run) ? "" : " --seed " + seed);
}

// The board as the run has it now, with its place in the run: what
// --board FILE needs to go on exactly.
std::optional<std::string> saveBoard(const Options& options, const SeededRun& run) {
    const std::span<const std::uint32_t> next = run.nextSeeds();
    board_file::RunPlace place{run.generation(), {}, {next.begin(), next.end()}};
    if (savesSeed(options, run)) {
        // The fill's seed, which a clock past 32 bits wraps too.
        place.seed = seedOfGeneration(static_cast<std::uint64_t>(options.seed), 0);
    }
    return board_file::save(*options.saveBoard, run.squares(), run.rules(),
                            resumeComment(options, *options.saveBoard, run), place);
}

// What a board's generation rules out among the options: a run past the
// last generation that can be counted, or --at outside the run.
std::optional<std::string> placeProblem(const Options& options) {
    const std::int64_t first = options.boardPlace.generation;
    if (const std::optional<std::string> problem = board_file::noRoomToRun(first, options.generations)) {
        return platform::utf8Name(*options.board) + " " + *problem;
    }
    if (options.saveAt && *options.saveAt < first) {
        return "--at " + std::to_string(*options.saveAt) + " is before the board's generation, " +
               std::to_string(first) + " (try --help)";
    }
    if (options.saveAt && *options.saveAt > first + options.generations) {
        return "--at " + std::to_string(*options.saveAt) + " is after the last generation, " +
               std::to_string(first + options.generations) + " (try --help)";
    }
    return std::nullopt;
}

// The table a sweep writes, for a --resume to hold a file against: the
// header (part 1's alone), and the key fields that begin the rows of each
// run, its size, rules and seed, then the generation or, in a summary, the
// number of generations.
TableShape tableShape(const Options& options, const Experiment& experiment, RunSpan span) {
    TableShape shape;
    const std::string header = rulesHeader() + (options.summary ? kSummaryHeader : kSweepCountsHeader);
    if (!options.part || options.part->index == 1) {
        shape.header = header;
    }
    shape.runs = span.end - span.first;
    shape.rowsPerRun = options.summary ? 1 : static_cast<std::uint64_t>(options.generations) + 1;
    shape.fields = static_cast<std::size_t>(std::count(header.begin(), header.end(), ',')) + 1;
    // A run's rules are worked out once for all its rows.
    auto lastRun = std::make_shared<std::pair<std::uint64_t, std::string>>(span.end, "");
    shape.keyOf = [&experiment, span, lastRun, summary = options.summary,
                   generations = options.generations](std::uint64_t run, std::uint64_t row) {
        if (lastRun->first != run) {
            const std::uint64_t number = span.first + run;
            *lastRun = {run, experiment.valuesOf(number) + std::to_string(experiment.seedOf(number)) + ","};
        }
        return lastRun->second + std::to_string(summary ? static_cast<std::uint64_t>(generations) : row) + ",";
    };
    return shape;
}

// A table to go on with, open for adding to, and what it holds already.
struct Resumed {
    platform::OutputFile file;
    TableEnd end;
};

// Opens FILE to go on with it: checked against this command's table,
// whole line by whole line, before anything changes; then cut after its
// last whole run (a row cut short, the rows of a run that never finished)
// and opened for adding the rest. A file that is not yet there is begun.
// A file that is not this command's table, or cannot be read, is refused
// in one line with status 2, as it was.
Resumed openToResume(const std::filesystem::path& path, const TableShape& shape) {
    const std::string name = platform::utf8Name(path);
    const auto refuse = [&name](const std::string& problem, int status) {
        std::fprintf(stderr, "vivar-sim: %s%s\n", name.c_str(), problem.c_str());
        platform::endAtOnce(status);
    };
    // A table is read back, so it is a file: a FIFO would be waited on.
    if (const std::optional<std::string> refused = platform::OutputFile::refusal(path, platform::Streams::no)) {
        refuse(": " + *refused, 2);
    }
    Resumed resumed;
    errno = 0;
    if (std::FILE* in = platform::openFile(path, "rb")) {
        PartialTable table(shape);
        std::vector<char> bytes(std::size_t{1} << 16);
        std::uint64_t size = 0;
        for (std::size_t read = 0; (read = std::fread(bytes.data(), 1, bytes.size(), in)) > 0;) {
            size += read;
            if (!table.read(std::string_view(bytes.data(), read))) {
                break;
            }
        }
        const int error = std::ferror(in) != 0 ? (errno != 0 ? errno : EIO) : 0;
        std::fclose(in);
        if (error != 0) {
            refuse(std::string(": ") + std::strerror(error), 2);
        }
        if (const std::optional<std::string> problem = table.end(resumed.end)) {
            refuse(":" + *problem, 2);
        }
        if (resumed.end.bytes < size) {
            std::error_code failure;
            std::filesystem::resize_file(path, resumed.end.bytes, failure);
            if (failure) {
                refuse(": " + failure.message(), 1);
            }
        }
    } else if (errno != ENOENT) {
        refuse(std::string(": ") + std::strerror(errno), 2);
    }
    if (const std::optional<std::string> failed =
            resumed.file.open(path, platform::Writing::adding, platform::Streams::no)) {
        refuse(": " + *failed, 1);
    }
    return resumed;
}

// A sweep of seeds, or an experiment: the runs of every combination of the
// varied rules for every seed, or the options' part of them, or what a
// --resume finds missing of them.
void runSweep(const Options& options, const StartingBoard* from) {
    const Experiment experiment(options.rules, options.variations, *options.seeds);
    const std::uint64_t runs = experiment.runCount().value_or(0);  // counted when the options were read
    const RunSpan span = options.part ? partOfRuns(runs, options.part->index, options.part->count) : RunSpan{0, runs};
    const unsigned jobs = options.jobs.value_or(platform::usableCores());
    const std::int64_t generations = options.generations;
    const bool summary = options.summary;
    const bool varies = !experiment.variations().empty();
    const TableShape shape = tableShape(options, experiment, span);

    Resumed resumed;
    if (options.resume) {
        resumed = openToResume(*options.resume, shape);
    }
    RowOutput output(options.resume ? resumed.file.stream() : stdout,
                     options.resume ? platform::utf8Name(*options.resume) : kStandardOutput);
    // The parts, concatenated, are the whole table with its header once.
    if (!shape.header.empty() && !resumed.end.hasHeader) {
        output.write(shape.header + "\n");
    }
    const std::uint64_t first = span.first + resumed.end.runs;
    const std::uint64_t total = span.end - span.first;

    // Every thread's run starts from a copy of the one board read.
    const auto appendRun = [generations, from, summary](SeededRun& run, std::uint64_t seed, std::string& text) {
        if (summary) {
            appendSummaryOfRun(text, run, seed, generations, from);
        } else {
            appendCountsOfRun(text, run, seed, generations, from);
        }
    };
    RunWork work = [&](SeededRun& run, std::uint64_t index, std::string& text) {
        const std::uint64_t number = first + index;
        // The run's size and rules lead every row of it.
        std::string rows;
        appendRun(run, experiment.seedOf(number), rows);
        const std::string values = experiment.valuesOf(number);
        for (std::size_t row = 0; row < rows.size();) {
            const std::size_t end = rows.find('\n', row);
            const std::size_t next = end == std::string::npos ? rows.size() : end + 1;
            text += values;
            text.append(rows, row, next - row);
            row = next;
        }
    };
    Progress progress(span.end - first, varies, resumed.end.runs);
    SweepControl control;
    control.stopAsked = [] { return platform::interrupted() != platform::Interrupt::none; };
    // Rows that wait while no run ends go out, for whoever follows the file.
    control.waiting = [&output] {
        output.flush();
        endIfOutputFailed(output);
    };
    // The runs still under way end with the program.
    control.stopped = [&](std::uint64_t runsOutput) {
        output.flush();
        endIfOutputFailed(output);
        progress.leaveLine();
        const std::string written = grouped(resumed.end.runs + runsOutput);
        if (options.resume) {
            std::fprintf(stderr, "vivar-sim: stopped: %s of %s runs written to %s; the same command goes on\n",
                         written.c_str(), grouped(total).c_str(), output.name().c_str());
        } else {
            std::fprintf(stderr,
                         "vivar-sim: stopped: %s of %s runs written; the same command with --resume FILE goes on\n",
                         written.c_str(), grouped(total).c_str());
        }
        platform::endAtOnce(platform::exitStatusAfter(platform::interrupted()));
    };
    sweepRuns(
        span.end - first, jobs, [&](std::uint64_t index) { return experiment.rulesOf(first + index); }, work,
        [&](std::string_view text, std::uint64_t done) {
            output.write(text);
            endIfOutputFailed(output);
            progress.update(done);
        },
        control);
    output.flush();
    endIfOutputFailed(output);
    if (options.resume) {
        if (const std::optional<std::string> failed = resumed.file.commit()) {
            std::fprintf(stderr, "vivar-sim: %s: %s\n", output.name().c_str(), failed->c_str());
            platform::endAtOnce(1);
        }
    }
}

// A single run's standard output, the trace or the counts, through stdio's
// buffer: sent on at least once a second, so that `tail -f` follows a slow
// run. Once it fails (a reader gone, a full disk) nothing more is written,
// the trace included, and the run goes on only as far as it must to save
// its board; the failure is told at the end.
class RunOutput {
public:
    [[nodiscard]] bool cut() {
        if (error_ == 0 && std::ferror(stdout) != 0) {
            error_ = errno != 0 ? errno : EIO;
            trace::setSink(nullptr);
        }
        return error_ != 0;
    }
    void sendIfDue() {
        const auto now = Clock::now();
        if (now - lastSent_ >= RowOutput::kLongestWait && !cut()) {
            std::fflush(stdout);
            lastSent_ = now;
        }
    }
    void finish() {
        if (!cut() && std::fflush(stdout) != 0) {
            error_ = errno != 0 ? errno : EIO;
        }
    }
    [[nodiscard]] int error() const { return error_; }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastSent_ = Clock::now();
    int error_ = 0;
};

// Ends a single run that Ctrl+C or SIGTERM stopped after the generation,
// its output whole up to there, saying how far it came and, when the board
// to save was still ahead, that none was saved.
[[noreturn]] void endStoppedRun(const Options& options, std::int64_t generation, bool saved) {
    std::fflush(stdout);
    const std::string done = grouped(static_cast<std::uint64_t>(generation));
    const std::string all = grouped(static_cast<std::uint64_t>(options.generations));
    const std::string unsaved = options.saveBoard && !saved ? platform::utf8Name(*options.saveBoard) : "";
    if (options.summary && !unsaved.empty()) {
        std::fprintf(stderr, "vivar-sim: stopped at generation %s of %s: no summary written, nothing saved to %s\n",
                     done.c_str(), all.c_str(), unsaved.c_str());
    } else if (options.summary) {
        std::fprintf(stderr, "vivar-sim: stopped at generation %s of %s: no summary written\n", done.c_str(),
                     all.c_str());
    } else if (!unsaved.empty()) {
        std::fprintf(stderr, "vivar-sim: stopped: %s of %s generations written; nothing saved to %s\n", done.c_str(),
                     all.c_str(), unsaved.c_str());
    } else {
        std::fprintf(stderr, "vivar-sim: stopped: %s of %s generations written\n", done.c_str(), all.c_str());
    }
    platform::endAtOnce(platform::exitStatusAfter(platform::interrupted()));
}

// The films module, loaded for --film only; the program ends, having said
// why, when it cannot be had: the installation is not whole.
OpenBoardFilm& filmOpener() {
    const FilmModule& module = filmModule();
    const std::string name = platform::utf8Name(module.file);
    switch (module.outcome) {
        case FilmModule::Outcome::kLoaded:
            return *module.open;
        case FilmModule::Outcome::kNotFound: {
            std::string folders;
            for (const std::filesystem::path& folder : module.folders) {
                folders += (folders.empty() ? "" : " or ") + platform::utf8Name(folder);
            }
            std::fprintf(stderr, "vivar-sim: --film needs the films module %s, which is not in %s\n", filmModuleName(),
                         folders.c_str());
            break;
        }
        case FilmModule::Outcome::kDoesNotLoad:
            std::fprintf(stderr, "vivar-sim: --film needs the films module %s, which does not load: %s\n", name.c_str(),
                         module.problem.c_str());
            break;
        case FilmModule::Outcome::kOtherVersion:
            std::fprintf(stderr, "vivar-sim: --film needs the films module %s, which is of another version of vivar\n",
                         name.c_str());
            break;
    }
    std::exit(1);
}

// The film of a single run: a frame for every generation the run passes,
// its first board's included, with how far it has come on a terminal's
// stderr. A failure to write, such as a full disk, ends the film, cut
// short; it is told when the run's output is complete.
class RunFilm {
public:
    RunFilm(const Options& options, const Rules& rules)
        : name_(platform::utf8Name(*options.film)),
          total_(options.generations + 1),
          shown_(platform::isTerminal(stderr)),
          tells_(!(options.filmExtras == FilmExtras{})) {
        BoardFilmRequest request;
        request.file = *options.film;
        request.kind = options.filmKind;
        request.size = options.filmSize.value_or(defaultFilmSize(rules.width, rules.height));
        request.rate = options.filmRate.value_or(kDefaultFilmRate);
        request.boardWidth = rules.width;
        request.boardHeight = rules.height;
        request.extras = options.filmExtras;
        std::string problem;
        film_.reset(filmOpener()(request, problem));
        if (!film_) {
            std::fprintf(stderr, "vivar-sim: %s: %s\n", name_.c_str(), problem.c_str());
            std::exit(1);
        }
        if (film_->drawsPictures() && film_->missingPictures() > 0) {
            std::string folders;
            for (const std::filesystem::path& folder : pictureFolders()) {
                folders += (folders.empty() ? "" : ", ") + platform::utf8Name(folder);
            }
            std::fprintf(stderr,
                         "vivar-sim: %d of %d pictures not found; looked in %s (VIVAR_PICTURES can name their "
                         "folder); the film shows their squares in the board map's colours\n",
                         film_->missingPictures(), kTilePictureCount, folders.c_str());
        }
    }

    void frame(const SeededRun& run) {
        if (problem_) {
            return;
        }
        // The populations only where a caption or a chart tells them.
        PopulationPoint shown{run.generation(), {}};
        if (tells_) {
            const Census census = run.census();
            shown.counts = {census.lizards[0], census.lizards[1], census.eggs[0], census.eggs[1], census.cats};
        }
        problem_ = film_->add(run.squares(), shown);
        showProgress(false);
    }

    // Ends the file; false, having said why and how much of it there is,
    // when the film was cut short.
    bool finish() {
        const FilmEnd end = film_->finish();
        showProgress(true);
        if (end.whole()) {
            return true;
        }
        if (end.removed()) {
            std::fprintf(stderr, "vivar-sim: %s: %s; no frame reached the file, which is not kept\n", name_.c_str(),
                         end.problem->c_str());
        } else {
            std::fprintf(stderr, "vivar-sim: %s: %s; the film is cut short after %s of %s frames\n", name_.c_str(),
                         end.problem->c_str(), grouped(static_cast<std::uint64_t>(end.frames)).c_str(),
                         grouped(static_cast<std::uint64_t>(total_)).c_str());
        }
        return false;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{200};

    void showProgress(bool last) {
        if (!shown_) {
            return;
        }
        const auto now = Clock::now();
        if (!last && now - lastShown_ < kInterval) {
            return;
        }
        lastShown_ = now;
        line_.show(formatted("vivar-sim: film: %" PRId64 " of %" PRId64 " frames", film_->frames(), total_), last);
    }

    std::string name_;
    std::unique_ptr<BoardFilm> film_;
    std::optional<std::string> problem_;
    std::int64_t total_;
    bool shown_;
    bool tells_;
    Clock::time_point lastShown_;
    ProgressLine line_;
};

}  // namespace

int main(int argc, char** argv) {
    platform::keepNewlines();
    // English, which scripts read, unless asked: the locale is not looked at.
    if (const auto asked = askedLanguage("vivar-sim", argc, argv)) {
        languages::speak(*asked);
    }
    Options options = parseOptions(argc, argv);
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
        if (const std::optional<std::string> problem = placeProblem(options)) {
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
        runSweep(options, from ? &*from : nullptr);
        return 0;
    }

    // A single run takes the board read as its own: a 2000 x 2000 board
    // held twice would double the run's memory.
    std::unique_ptr<SeededRun> owned =
        loaded ? std::make_unique<SeededRun>(options.rules, std::move(*loaded)) : std::make_unique<SeededRun>(options.rules);
    loaded.reset();
    SeededRun& run = *owned;
    // A typed seed wins over the seeds the file recorded.
    const StartingBoard start{run.squares(), options.boardPlace.generation,
                              options.seedGiven ? std::span<const std::uint32_t>{} : options.boardPlace.nextSeeds};
    const StartingBoard* from = options.board ? &start : nullptr;
    const auto seed = static_cast<std::uint64_t>(options.seed);
    // With --at, the board is saved as the run passes that generation, not
    // kept for the end: a large board is large. A failure is told when the
    // output is complete.
    // A film that cannot be made is told before the run.
    std::optional<RunFilm> film;
    if (options.film) {
        film.emplace(options, run.rules());
    }
    const auto filmFrame = [&film](const SeededRun& now) {
        if (film) {
            film->frame(now);
        }
    };
    std::optional<std::string> saveProblem;
    bool saved = false;
    const auto saveIfAt = [&](std::int64_t generation, const SeededRun& now) {
        if (options.saveAt && generation == *options.saveAt) {
            saveProblem = saveBoard(options, now);
            saved = true;
        }
    };
    const auto stopIfAsked = [&](std::int64_t generation) {
        if (platform::interrupted() != platform::Interrupt::none) {
            // The film so far is a whole file.
            if (film) {
                film->finish();
            }
            endStoppedRun(options, generation, saved);
        }
    };
    RunOutput output;
    if (options.summary) {
        // The row of --seeds S:S, under the same header.
        std::string text = rulesFields(run.rules());
        const std::int64_t first = from != nullptr ? from->generation : 0;
        appendSummaryOfRun(text, run, seed, options.generations, from, [&](std::int64_t k, const SeededRun& now) {
            saveIfAt(k, now);
            filmFrame(now);
            // After the last generation, the summary is as good as written.
            if (k - first < options.generations) {
                stopIfAsked(k - first);
            }
        });
        std::fprintf(stdout, "%s%s\n%s", rulesHeader().c_str(), kSummaryHeader, text.c_str());
    } else {
        // A second core, idle otherwise, makes each generation's random
        // values ahead of it; on one core that would only take turns with
        // the run.
        const bool drawsAhead = platform::usableCores() > 1;
        if (from != nullptr) {
            run.startFrom(from->squares, seed, from->generation, from->nextSeeds, drawsAhead);
        } else {
            run.start(seed, drawsAhead);
        }
        const std::int64_t first = run.generation();
        if (options.counts) {
            printCountsHeader(stdout);
            printCountsRow(stdout, first, run.census());
        }
        saveIfAt(first, run);
        filmFrame(run);
        output.sendIfDue();
        // Counted in steps: the last generation may be the largest number there is.
        for (std::int64_t step = 0; step < options.generations; ++step) {
            stopIfAsked(step);
            // Cut short, the run goes on in silence as far as the board it
            // is to save.
            if (output.cut() && !(options.saveBoard && !saved)) {
                break;
            }
            const std::int64_t k = run.step();
            if (options.counts && !output.cut()) {
                printCountsRow(stdout, k, run.census());
            }
            saveIfAt(k, run);
            filmFrame(run);
            output.sendIfDue();
        }
    }
    output.finish();
    const bool filmed = !film || film->finish();

    if (options.saveBoard && !options.saveAt) {
        saveProblem = saveBoard(options, run);
    }
    if (saveProblem) {
        std::fprintf(stderr, "vivar-sim: %s\n", saveProblem->c_str());
    }
    if (output.error() != 0) {
        outputFailed(kStandardOutput, output.error());
    }
    return saveProblem || !filmed ? 1 : 0;
}
