#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/board.h"

// Board files: a whole board as text that a person can read and edit, and
// that holds everything the next generation reads, so that a saved board
// resumes exactly.
//
//   vivar board 1
//   # comments and blank lines are allowed anywhere
//   kinds
//   20 lines of 20 characters, the board as the home view shows it (lines
//   from the top, characters from the left): . empty, B brown lizard,
//   b brown egg, G green lizard, g green egg, C cat, E eating cat
//   headings
//   20 lines of 20 digits 1 to 8, for every square, h pointing (h - 1) x 45
//   degrees anticlockwise from the right: 1 east, 3 north, 5 west, 7 south;
//   an egg laid into an empty square keeps its heading
//   phases
//   20 lines of 20 digits 0 or 1: which of its two pictures a creature shows
//   timers
//   ROW COLUMN NAME VALUE lines, rows from the top and columns from the
//   left, 1 to 20, as the inspector names them; a timer not listed is 0:
//     age 0..4          an egg's visits so far (it hatches on the fifth)
//     mating 0..1       an adult lizard that is mating
//     mate-turns 0..2   a lizard's or a cat's mating count
//     eat-turns 0..2    an eating cat's meal count
//     prey brown|green  what an eating cat is eating (brown if not listed)
//   end
namespace board_file {

inline constexpr int kVersion = 1;
// Far beyond any board with comments; a larger file is not a board.
inline constexpr std::size_t kLargestFile = 1 << 20;

// Reads a board from its text. On success fills `squares` and returns
// nothing; otherwise returns "line N: what is wrong" (or what is wrong with
// the whole text) and leaves `squares` untouched.
std::optional<std::string> parse(std::string_view text, Board& squares);

// The board as text, the comment lines (without their "# ") after the
// version line.
std::string format(const Board& squares, std::string_view comment = {});

// Reads the file; on failure returns one line naming the file, and the line
// where there is one: "FILE:LINE: what is wrong" or "FILE: reason".
std::optional<std::string> load(const std::filesystem::path& path, Board& squares);

// Writes the board through a new file beside the target, on the disk
// before it is renamed over the target, so that neither a failed save nor a
// power cut leaves a damaged file in place of a good one; the replaced
// file's permissions stay. On failure returns one line: "FILE: reason".
std::optional<std::string> save(const std::filesystem::path& path, const Board& squares,
                                std::string_view comment = {});

}  // namespace board_file
