// The boards vivar-sim saves: their place in the run and their comment.
#include "programs/vivar-sim/saved_board.h"

#include <cstdint>
#include <filesystem>
#include <span>

#include "model/board_file.h"
#include "model/run_seeds.h"
#include "model/seeded_run.h"
#include "platform/system.h"

namespace sim {
namespace {

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
// says nothing until the run has gone past generation 0: such a board names
// no seed, so that it loads as any board without one does; its comment
// still names the seed.
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

}  // namespace

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

}  // namespace sim
