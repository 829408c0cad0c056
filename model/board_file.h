#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/board.h"
#include "model/packed_board.h"
#include "model/rules.h"

// Board files: a whole board and the rules it runs by, as text that a person
// can read and edit, holding everything the next generation reads and where
// the board stands in its run, so that a saved board goes on exactly as its
// run would have.
//
//   vivar board 3
//   # comments and blank lines are allowed anywhere
//   size WxH
//   the board's width and height in squares, as --size gives them
//   rule NAME=VALUE
//   zero or more lines, one per rule that is not standard, as --rule gives
//   them: hatch, mating, meal (visits, 1 to 1000), fill (E:B:G:C)
//   generation G
//   seed S
//   next-seeds N
//   the board's place in its run, each line optional and at most once, in
//   any order: the generation the board is, 0 to 9223372036854775807
//   (0 if not given); a seeded run's seed S, 0 to 4294967295, generation k
//   of that run seeded with S + k (wrapping at 32 bits); and, for a run
//   whose seeds came from the clock, N (at most 16777216) whole numbers
//   0 to 4294967295 on the lines after it, spread over as many lines as
//   wanted (8 to a line as written): the generator's recorded starting
//   states of generations G + 1 to G + N
//   kinds
//   H lines of W characters, the board as the home view shows it (lines
//   from the top, characters from the left): . empty, B brown lizard,
//   b brown egg, G green lizard, g green egg, C cat, E eating cat
//   headings
//   H lines of W digits 1 to 8, for every square, h pointing (h - 1) x 45
//   degrees anticlockwise from the right: 1 east, 3 north, 5 west, 7 south;
//   an egg laid into an empty square keeps its heading
//   phases
//   H lines of W digits 0 or 1: which of its two pictures a creature shows
//   timers
//   ROW COLUMN NAME VALUE lines, rows from the top (1 to H) and columns
//   from the left (1 to W), as the inspector names them; a timer not listed
//   is 0:
//     age 0..hatch-1         an egg's visits so far (it hatches on visit hatch)
//     mating 0..1            an adult lizard that is mating
//     mate-turns 0..999      a lizard's or a cat's mating count; a count left
//                            by a board's earlier rules may pass mating-1
//     eat-turns 0..meal-1    an eating cat's meal count
//     prey brown|green       what an eating cat is eating (brown if not listed)
//   end
//
// Version 1 is the standard board: 20 x 20, the standard rules, no size or
// rule lines, mate-turns 0..2. Version 2 adds the size and rule lines, and
// version 3 the place lines. A board is written in the first version that
// holds it, so that nothing changes for a run without options: version 3
// only when its place says something (a generation other than 0, a seed or
// next seeds), version 1 for a standard board, version 2 otherwise. A reader
// refuses a later version than its own by its first line.
//
// A board comes with its rules: whoever loads one runs it by the rules
// loaded with it (the size too), and saves it with the rules it runs by.
//
//   Board squares;
//   Rules rules;
//   board_file::RunPlace place;
//   if (const auto problem = board_file::load(path, squares, rules, &place)) {
//       tell(*problem);  // squares, rules and place are as they were
//   } else {
//       model.rules = rules;  // and the board's size is rules' size
//   }
//   board_file::save(path, squares, model.rules, "after generation 40", {40, seed, {}});
namespace board_file {

// The newest version this reads and writes.
inline constexpr int kVersion = 3;

// Where a saved board stands in its run.
struct RunPlace {
    std::int64_t generation = 0;           // the generation the board is
    std::optional<std::uint32_t> seed;     // a seeded run's seed: generation k was seeded with seed + k
    std::vector<std::uint32_t> nextSeeds;  // recorded starting states of generations generation+1, generation+2, ...
    bool operator==(const RunPlace&) const = default;
};

// The most a file holds of each: a generation's number, and next seeds (64
// MiB of them, some 200 MB of text; a window that recorded more saves the
// first of them).
inline constexpr std::int64_t kLargestGeneration = std::numeric_limits<std::int64_t>::max();
inline constexpr std::size_t kMostNextSeeds = 16'777'216;

// Generations are counted up to kLargestGeneration: a run of `generations`
// more from a board at generation `first` must end within them. The
// problem, as one line to follow the file's name, when it would not.
[[nodiscard]] std::optional<std::string> noRoomToRun(std::int64_t first, std::int64_t generations);

// The largest file a board of this size can be: its grids, every timer of
// every square, the next seeds it lists, Windows line ends, and a megabyte
// for comments. A larger file is not a board.
[[nodiscard]] std::size_t largestFile(int width, int height, std::size_t nextSeeds = 0);

// Reads a board, its rules and its place in its run from its text. On
// success fills `squares`, sized by the file, `rules` (the standard ones for
// what the file does not set) and `place` when given (generation 0, no seed,
// no next seeds for what the file does not say) and returns nothing;
// otherwise returns "line N: what is wrong" (or what is wrong with the
// whole text) and leaves them untouched.
std::optional<std::string> parse(std::string_view text, Board& squares, Rules& rules, RunPlace* place = nullptr);

// The board as text, the comment lines (without their "# ") after the
// version line. The size written is the board's own; the other rules are
// taken from `rules`. Of the place's next seeds, the first kMostNextSeeds
// are written.
std::string format(const Board& squares, const Rules& rules, std::string_view comment = {},
                   const RunPlace& place = {});

// Reads the file; on failure returns one line naming the file, and the line
// where there is one: "FILE:LINE: what is wrong" or "FILE: reason".
std::optional<std::string> load(const std::filesystem::path& path, Board& squares, Rules& rules,
                                RunPlace* place = nullptr);

// Writes the board through a new file beside the target, on the disk
// before it is renamed over the target, so that neither a failed save nor a
// power cut leaves a damaged file in place of a good one; the replaced
// file's permissions stay. A target that is a symbolic link stays one: the
// file it leads to is replaced (made, if the link dangles). On failure
// returns one line: "FILE: reason".
std::optional<std::string> save(const std::filesystem::path& path, const Board& squares, const Rules& rules,
                                std::string_view comment = {}, const RunPlace& place = {});
// The same from a board kept packed, which a large board is, unpacked a
// square at a time as it is written.
std::optional<std::string> save(const std::filesystem::path& path, const PackedBoard& squares, const Rules& rules,
                                std::string_view comment = {}, const RunPlace& place = {});

// The first of the rules a command line gives that a board file's rules
// contradict, as one line: "the board is 37x53, not 20x20 as --size says".
// `given` holds what the command line sets and 0 for what it leaves alone
// (see kNothingGiven); a rule it does not name is the file's.
inline constexpr Rules kNothingGiven{{0, 0, 0, 0}, 0, 0, 0, 0, 0};
std::optional<std::string> contradiction(const Rules& file, const Rules& given);

}  // namespace board_file
