#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/board.h"
#include "model/rules.h"

// Board files: a whole board and the rules it runs by, as text that a person
// can read and edit, holding everything the next generation reads, so that
// a saved board resumes exactly.
//
//   vivar board 2
//   # comments and blank lines are allowed anywhere
//   size WxH
//   the board's width and height in squares, as --size gives them
//   rule NAME=VALUE
//   zero or more lines, one per rule that is not standard, as --rule gives
//   them: hatch, mating, meal (visits, 1 to 1000), fill (E:B:G:C)
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
// rule lines, mate-turns 0..2. A board that fits it is still written as
// version 1, so that nothing changes for a run without options; any other
// is written as version 2, which a reader of version 1 refuses by its first
// line.
//
// A board comes with its rules: whoever loads one runs it by the rules
// loaded with it (the size too), and saves it with the rules it runs by.
//
//   Board squares;
//   Rules rules;
//   if (const auto problem = board_file::load(path, squares, rules)) {
//       tell(*problem);  // squares and rules are as they were
//   } else {
//       model.rules = rules;  // and the board's size is rules' size
//   }
//   board_file::save(path, squares, model.rules, "after generation 40");
namespace board_file {

// The newest version this reads and writes.
inline constexpr int kVersion = 2;

// The largest file a board of this size can be: its grids, every timer of
// every square, Windows line ends, and a megabyte for comments. A larger
// file is not a board.
[[nodiscard]] std::size_t largestFile(int width, int height);

// Reads a board and its rules from its text. On success fills `squares`,
// sized by the file, and `rules` (the standard ones for what the file does
// not set) and returns nothing; otherwise returns "line N: what is wrong"
// (or what is wrong with the whole text) and leaves both untouched.
std::optional<std::string> parse(std::string_view text, Board& squares, Rules& rules);

// The board as text, the comment lines (without their "# ") after the
// version line. The size written is the board's own; the other rules are
// taken from `rules`.
std::string format(const Board& squares, const Rules& rules, std::string_view comment = {});

// Reads the file; on failure returns one line naming the file, and the line
// where there is one: "FILE:LINE: what is wrong" or "FILE: reason".
std::optional<std::string> load(const std::filesystem::path& path, Board& squares, Rules& rules);

// Writes the board through a new file beside the target, on the disk
// before it is renamed over the target, so that neither a failed save nor a
// power cut leaves a damaged file in place of a good one; the replaced
// file's permissions stay. On failure returns one line: "FILE: reason".
std::optional<std::string> save(const std::filesystem::path& path, const Board& squares, const Rules& rules,
                                std::string_view comment = {});

// The first of the rules a command line gives that a board file's rules
// contradict, as one line: "the board is 37x53, not 20x20 as --size says".
// `given` holds what the command line sets and 0 for what it leaves alone
// (see kNothingGiven); a rule it does not name is the file's.
inline constexpr Rules kNothingGiven{{0, 0, 0, 0}, 0, 0, 0, 0, 0};
std::optional<std::string> contradiction(const Rules& file, const Rules& given);

}  // namespace board_file
