// vivar-sim: the terrarium without a window, for reproducible runs.
//
//   vivar-sim [--seed S] [--board FILE] [--generations N] [--counts | --summary]
//             [--save-board FILE [--at K]] [--size RxC] [--rule NAME=VALUE]...
//   vivar-sim --seeds A:B [--board FILE] [--jobs J] [--generations N] --counts | --summary
//   vivar-sim --seeds A:B --vary NAME=VALUES... [--part I/N] [OPTION]... --counts | --summary
//
// Fills the board as if at calendar second S, or reads it from a board file,
// then runs N generations, generation k seeded with S + k as if one second
// passed per generation. Prints the full console trace, or with --counts a
// CSV of the populations, or with --summary one row of how the run ended,
// and may save the last board, or with --at the one after generation K.
// --seeds runs every seed from A to B on J threads and prints their rows in
// seed order; --vary runs them under every combination of the values of
// some rules, and --part only a share of it.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/options.h"
#include "model/board_file.h"
#include "model/census.h"
#include "model/experiment.h"
#include "model/rules.h"
#include "model/seeded_run.h"
#include "model/sweep.h"
#include "model/trace.h"
#include "platform/system.h"

namespace {

constexpr std::int64_t kDefaultGenerations = 100;
constexpr unsigned kMaxJobs = 1024;

constexpr const char* kUsage =
    "Usage: vivar-sim [OPTION]... [--counts | --summary] [--save-board FILE [--at K]]\n"
    "  or:  vivar-sim --seeds A:B [OPTION]... --counts | --summary\n"
    "  or:  vivar-sim --seeds A:B --vary NAME=VALUES [OPTION]... --counts | --summary\n"
    "\n"
    "Runs the terrarium without a window.\n"
    "\n"
    "Options:\n"
    "  --seed S           calendar second that seeds the fill, 0 to 4294967295\n"
    "                     (default: now); generation k is seeded with S + k\n"
    "  --board FILE       start from the board in FILE instead of the fill;\n"
    "                     generation k is still seeded with S + k, so a board\n"
    "                     saved after generation K of seed S goes on exactly as\n"
    "                     that run did with --seed S+K\n"
    "  --generations N    number of generations (default 100)\n"
    "  --counts           print a CSV of the populations instead of the trace;\n"
    "                     with --seeds, each row starts with its seed\n"
    "  --summary          print one CSV row per seed: the last generation's\n"
    "                     populations and, for each lizard species, the first\n"
    "                     generation with none of its adults or eggs left\n"
    "  --save-board FILE  after the last generation, write the board to FILE,\n"
    "                     with a comment that says how to resume the run (not\n"
    "                     with --seeds)\n"
    "  --at K             with --save-board, save the board after generation K\n"
    "                     instead, 0 to N, as the run passes it: the output is\n"
    "                     the same\n"
    "  --seeds A:B        run every seed from A to B (each 0 to 4294967295);\n"
    "                     needs --counts or --summary\n"
    "  --jobs J           threads for --seeds (default: the number of cores)\n"
    "  --size RxC         a board of R rows and C columns on a torus, each at\n"
    "                     least 2, at most 4000000 squares (default 20x20)\n"
    "  --rule NAME=VALUE\n"
    "                     change one of the rules (repeatable): hatch, mating,\n"
    "                     meal are the visits an egg takes to hatch and a\n"
    "                     mating and a meal last, 1 to 1000 (default 5, 3, 3);\n"
    "                     fill=E:B:G:C are the fill's whole percentages of\n"
    "                     empty squares, brown and green lizards and cats,\n"
    "                     summing to 100 (default 60:15:15:10)\n"
    "  --vary NAME=V1,V2,...\n"
    "                     with --seeds, run every seed under each of these values\n"
    "                     of a rule (hatch, mating, meal, fill) or of size (RxC);\n"
    "                     hatch, mating, meal and size also take FIRST:LAST:STEP,\n"
    "                     a size N there meaning NxN. Repeatable: every\n"
    "                     combination of the values runs, the first --vary\n"
    "                     changing slowest, and each row starts with the values,\n"
    "                     which replace what --rule or --size says\n"
    "  --part I/N         with --seeds, run only the I-th of N equal shares of\n"
    "                     the runs, in order: parts 1 to N, concatenated, are the\n"
    "                     whole output, and part 1 alone prints the header\n"
    "  --help             print this help\n"
    "  --version          print the version\n"
    "\n"
    "In the CSV, lizard1 and egg1 are the brown lizards and their eggs, lizard2\n"
    "and egg2 the green ones; species1 is brown, species2 green. With --vary, the\n"
    "varied values come first, in columns named as in --vary.\n";

// A part of an experiment, 1 to count.
struct Part {
    std::uint64_t index = 1;
    std::uint64_t count = 1;
};

constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

struct Options {
    std::int64_t seed = 0;
    std::optional<std::filesystem::path> board;
    std::optional<std::filesystem::path> saveBoard;
    std::optional<std::int64_t> saveAt;
    std::optional<SeedRange> seeds;
    std::optional<unsigned> jobs;
    std::vector<Variation> variations;
    std::optional<Part> part;
    std::int64_t generations = kDefaultGenerations;
    bool counts = false;
    bool summary = false;
    Rules rules;
    // What --size and --rule set, 0 for what they leave alone: a board file
    // brings its own rules, which these must not contradict.
    Rules rulesGiven = board_file::kNothingGiven;
};

// "A:B" with A <= B, both seeds.
SeedRange parseSeedRange(CommandLine& arguments) {
    const std::string text = arguments.text();
    const auto colon = text.find(':');
    SeedRange range;
    const std::string_view whole = text;
    if (colon == std::string::npos || !parseWholeNumber(whole.substr(0, colon), 0, kLargestSeed, range.first) ||
        !parseWholeNumber(whole.substr(colon + 1), 0, kLargestSeed, range.last)) {
        arguments.fail("--seeds needs a range A:B of whole numbers from 0 to " + std::to_string(kLargestSeed) +
                       ", not '" + text + "'");
    }
    if (range.first > range.last) {
        arguments.fail("--seeds needs A:B with A no greater than B, not '" + text + "'");
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
        arguments.fail("--part needs I/N, whole numbers with 1 <= I <= N, not '" + text + "'");
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
            arguments.fail("--vary " + variation.name + " is given twice: list all its values in one --vary");
        }
    }
    variations.push_back(std::move(variation));
}

std::filesystem::path fileName(CommandLine& arguments, const char* option) {
    const std::string name = arguments.text();
    if (name.empty()) {
        arguments.fail(std::string(option) + " needs a file name");
    }
    return platform::pathFromUtf8(name);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    options.seed = static_cast<std::int64_t>(std::time(nullptr));
    bool seedGiven = false;
    CommandLine arguments("vivar-sim", argc, platform::utf8Arguments(argc, argv));
    while (arguments.next()) {
        arguments.answerHelpOrVersion([] { return std::string(kUsage); });
        if (arguments.is("--counts")) {
            options.counts = arguments.flag();
        } else if (arguments.is("--summary")) {
            options.summary = arguments.flag();
        } else if (arguments.is("--seed")) {
            options.seed = static_cast<std::int64_t>(arguments.number(0, kLargestSeed));
            seedGiven = true;
        } else if (arguments.is("--seeds")) {
            options.seeds = parseSeedRange(arguments);
        } else if (arguments.is("--jobs")) {
            options.jobs = static_cast<unsigned>(arguments.number(1, kMaxJobs));
        } else if (arguments.is("--vary")) {
            addVariation(arguments, options.variations);
        } else if (arguments.is("--part")) {
            options.part = parsePart(arguments);
        } else if (arguments.is("--board")) {
            options.board = fileName(arguments, "--board");
        } else if (arguments.is("--save-board")) {
            options.saveBoard = fileName(arguments, "--save-board");
        } else if (arguments.is("--at")) {
            options.saveAt = static_cast<std::int64_t>(arguments.number(0, kLargest));
        } else if (arguments.is("--generations")) {
            options.generations = static_cast<std::int64_t>(arguments.number(0, kLargest));
        } else if (arguments.is("--size") || arguments.is("--rule")) {
            readRulesOption(arguments, options.rules, options.rulesGiven);
        } else {
            arguments.unknown();
        }
    }
    if (options.counts && options.summary) {
        arguments.fail("--counts and --summary do not go together");
    }
    if (options.seeds && seedGiven) {
        arguments.fail("--seed and --seeds do not go together");
    }
    if (options.seeds && !options.counts && !options.summary) {
        arguments.fail("--seeds needs --counts or --summary: the traces of many runs would be one tangle");
    }
    if (options.jobs && !options.seeds) {
        arguments.fail("--jobs goes with --seeds");
    }
    if (options.saveBoard && options.seeds) {
        arguments.fail("--save-board goes with a single run, not with --seeds");
    }
    if (options.saveAt && !options.saveBoard) {
        arguments.fail("--at goes with --save-board");
    }
    if (options.saveAt && *options.saveAt > options.generations) {
        arguments.fail("--at " + std::to_string(*options.saveAt) + " is after the last generation, " +
                       std::to_string(options.generations));
    }
    if (!options.variations.empty() && !options.seeds) {
        arguments.fail("--vary goes with --seeds A:B (a single seed S is --seeds S:S)");
    }
    if (options.part && !options.seeds) {
        arguments.fail("--part goes with --seeds");
    }
    const auto variesSize = [](const Variation& variation) { return variation.name == "size"; };
    if (options.board && std::any_of(options.variations.begin(), options.variations.end(), variesSize)) {
        arguments.fail("--vary size does not go with --board: a board file has its own size");
    }
    if (options.seeds && !Experiment(options.rules, options.variations, *options.seeds).runCount()) {
        arguments.fail("--vary and --seeds make more runs than can be counted");
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

class Progress {
public:
    // Counted in runs when an experiment varies rules, in seeds when not.
    Progress(std::uint64_t total, bool runs) : total_(total), runs_(runs), shown_(platform::isTerminal(stderr)) {}

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
        // Back to the start of the line, and clear what a longer line left.
        if (runs_) {
            std::fprintf(stderr, "\rvivar-sim: %" PRIu64 " of %" PRIu64 " runs, %.1f runs/s, %s\033[K%s", done, total_,
                         rate, when.c_str(), last ? "\n" : "");
        } else {
            std::fprintf(stderr, "\rvivar-sim: %" PRIu64 " of %" PRIu64 " seeds, %.1f seeds/s, %s\033[K%s", done,
                         total_, rate, when.c_str(), last ? "\n" : "");
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kQuietStart{1};
    static constexpr std::chrono::milliseconds kInterval{200};

    std::uint64_t total_;
    bool runs_;
    bool shown_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_;
};

// Once standard output cannot be written, there is no one left to run for.
// A reader that has gone, as when the output is piped into head, needs no
// message: Linux ends the program with SIGPIPE at that write, or fails it
// with EPIPE where SIGPIPE is ignored; Windows fails it, and its C library
// calls that EINVAL. Anything else, such as a full disk, is said.
[[noreturn]] void outputFailed(int error) {
    if (error != EPIPE && error != EINVAL) {
        std::fprintf(stderr, "vivar-sim: standard output: %s\n",
                     error != 0 ? std::strerror(error) : "could not be written");
    }
    std::_Exit(1);
}

void endIfOutputFailed() {
    if (std::ferror(stdout) != 0) {
        outputFailed(errno);
    }
}

void finishOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        outputFailed(errno);
    }
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
    const Rules standard;
    std::string text;
    if (rules.rows != standard.rows || rules.columns != standard.columns) {
        text += " --size " + sizeText(rules);
    }
    for (const std::string_view name : kRuleNames) {
        if (ruleValue(rules, name) != ruleValue(standard, name)) {
            text += " --rule " + std::string(name) + "=" + ruleValue(rules, name);
        }
    }
    return text;
}

// The saved board's comment: how the run came to it, and how to go on,
// which needs no rules: the file has them. The seed to go on with wraps as
// the generator's seed does.
std::string resumeComment(const Options& options, const std::filesystem::path& file, std::int64_t after) {
    const auto seed = static_cast<std::uint64_t>(options.seed);
    const auto generations = static_cast<std::uint64_t>(after);
    const std::string from = options.board ? "--board " + shellWord(platform::utf8Name(*options.board)) + " " : "";
    const std::string rules = options.board ? "" : ruleOptions(options.rules);
    return "vivar-sim " + from + "--seed " + std::to_string(seed) + rules + ", after generation " +
           std::to_string(generations) + ": resume with --board " + shellWord(platform::utf8Name(file)) + " --seed " +
           std::to_string((seed + generations) & kLargestSeed);
}

std::optional<std::string> saveBoard(const Options& options, const SeededRun& run, std::int64_t after) {
    return board_file::save(*options.saveBoard, run.squares(), run.rules(),
                            resumeComment(options, *options.saveBoard, after));
}

// A sweep of seeds, or an experiment: the runs of every combination of the
// varied rules for every seed, or the options' part of them.
void runSweep(const Options& options, const Board* from) {
    const Experiment experiment(options.rules, options.variations, *options.seeds);
    const std::uint64_t runs = experiment.runCount().value_or(0);  // counted when the options were read
    const RunSpan span = options.part ? partOfRuns(runs, options.part->index, options.part->count) : RunSpan{0, runs};
    const unsigned jobs = options.jobs.value_or(platform::usableCores());
    const std::int64_t generations = options.generations;
    const bool summary = options.summary;
    const bool varies = !experiment.variations().empty();
    // The parts, concatenated, are the whole table with its header once.
    if (!options.part || options.part->index == 1) {
        std::fprintf(stdout, "%s%s\n", experiment.names().c_str(), summary ? kSummaryHeader : kSweepCountsHeader);
    }
    // Every thread's run starts from a copy of the one board read.
    const auto appendRun = [generations, from, summary](SeededRun& run, std::uint64_t seed, std::string& text) {
        if (summary) {
            appendSummaryOfRun(text, run, seed, generations, from);
        } else {
            appendCountsOfRun(text, run, seed, generations, from);
        }
    };
    RunWork work = [&](SeededRun& run, std::uint64_t index, std::string& text) {
        const std::uint64_t number = span.first + index;
        if (!varies) {
            appendRun(run, experiment.seedOf(number), text);
            return;
        }
        // The varied values lead every row of the run.
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
    Progress progress(span.end - span.first, varies);
    sweepRuns(
        span.end - span.first, jobs, [&](std::uint64_t index) { return experiment.rulesOf(span.first + index); }, work,
        [&](std::string_view text, std::uint64_t done) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            endIfOutputFailed();
            progress.update(done);
        });
}

}  // namespace

int main(int argc, char** argv) {
    platform::keepNewlines();
    Options options = parseOptions(argc, argv);

    // A large buffer: the trace of a long run is mostly throughput.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    trace::setSink(options.counts || options.summary ? nullptr : stdout);

    // The board file is read once, before anything is written, and refused
    // as an option would be. Its rules are the run's.
    std::optional<Board> loaded;
    if (options.board) {
        loaded.emplace();
        Rules rules;
        if (const std::optional<std::string> problem = board_file::load(*options.board, *loaded, rules)) {
            std::fprintf(stderr, "vivar-sim: %s\n", problem->c_str());
            return 2;
        }
        if (const std::optional<std::string> problem = board_file::contradiction(rules, options.rulesGiven)) {
            std::fprintf(stderr, "vivar-sim: %s: %s\n", platform::utf8Name(*options.board).c_str(), problem->c_str());
            return 2;
        }
        options.rules = rules;
    }
    const Board* from = loaded ? &*loaded : nullptr;

    if (options.seeds) {
        runSweep(options, from);
        finishOutput();
        return 0;
    }

    // A single run takes the board read as its own: a 2000 x 2000 board
    // held twice would double the run's memory.
    std::unique_ptr<SeededRun> owned =
        loaded ? std::make_unique<SeededRun>(options.rules, std::move(*loaded)) : std::make_unique<SeededRun>(options.rules);
    loaded.reset();
    SeededRun& run = *owned;
    if (from != nullptr) {
        from = &run.squares();
    }
    const auto seed = static_cast<std::uint64_t>(options.seed);
    // With --at, the board is saved as the run passes that generation, not
    // kept for the end: a large board is large. A failure is told when the
    // output is complete.
    std::optional<std::string> saveProblem;
    const auto saveIfAt = [&](std::int64_t generation, const SeededRun& now) {
        if (options.saveAt && generation == *options.saveAt) {
            saveProblem = saveBoard(options, now, generation);
        }
    };
    if (options.summary) {
        std::string text;
        appendSummaryOfRun(text, run, seed, options.generations, from, saveIfAt);
        std::fprintf(stdout, "%s\n%s", kSummaryHeader, text.c_str());
    } else {
        // A second core, idle otherwise, makes each generation's random
        // values ahead of it; on one core that would only take turns with
        // the run.
        const bool drawsAhead = platform::usableCores() > 1;
        if (from != nullptr) {
            run.startFrom(*from, seed, drawsAhead);
        } else {
            run.start(seed, drawsAhead);
        }
        if (options.counts) {
            printCountsHeader(stdout);
            printCountsRow(stdout, 0, run.census());
        }
        saveIfAt(0, run);
        for (std::int64_t k = 1; k <= options.generations; ++k) {
            run.step();
            if (options.counts) {
                printCountsRow(stdout, k, run.census());
            }
            saveIfAt(k, run);
            endIfOutputFailed();
        }
    }
    finishOutput();

    if (options.saveBoard && !options.saveAt) {
        saveProblem = saveBoard(options, run, options.generations);
    }
    if (saveProblem) {
        std::fprintf(stderr, "vivar-sim: %s\n", saveProblem->c_str());
        return 1;
    }
    return 0;
}
