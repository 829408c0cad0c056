#pragma once

#include <string>

#include "model/board.h"

// Every scene test process builds the scene once, as the program does, in an
// empty working folder, from a board that is empty apart from the squares
// below.
namespace scene_environment {

// Squares given a creature, or a kind no square should hold, before the
// scene is built.
inline constexpr int kLizardSquare = 2 * Rules{}.height + 7;       // kind 1, phase 1, heading 3: picture 4
inline constexpr int kEatingCatSquare = 19 * Rules{}.height + 0;   // eating a kind 2 lizard: picture 52
inline constexpr int kUnknownKindSquare = 0 * Rules{}.height + 19;  // kind 7
inline constexpr int kUnknownKind = 7;

// What reached the process's stdout while the scene was built.
[[nodiscard]] const std::string& stdoutDuringBuild();

}  // namespace scene_environment
