#pragma once

#include <filesystem>
#include <string>

#include "model/board.h"

// Every scene test process builds the scene once, as the program does, in a
// folder holding every picture but one, from a board that is empty apart
// from the squares below.
namespace scene_environment {

inline constexpr const char* kMissingPicture = "lvi8.png";

// Squares given a creature, or a kind no square should hold, before the
// scene is built.
inline constexpr int kLizardSquare = 2 * kBoardSide + 7;       // kind 1, phase 1, heading 3: picture 4
inline constexpr int kEatingCatSquare = 19 * kBoardSide + 0;   // eating a kind 2 lizard: picture 52
inline constexpr int kUnknownKindSquare = 0 * kBoardSide + 19;  // kind 7
inline constexpr int kUnknownKind = 7;

// The folder the scene was built in, which lacks kMissingPicture.
[[nodiscard]] const std::filesystem::path& pictureFolder();
// What reached the process's stderr and stdout while the scene was built.
[[nodiscard]] const std::string& stderrDuringBuild();
[[nodiscard]] const std::string& stdoutDuringBuild();

}  // namespace scene_environment
