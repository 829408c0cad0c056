#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Where the tile pictures and the button bitmaps are found, by bare file
// name, whatever folder the program starts in; the window and vivar-sim's
// films look alike. The first folder that has a file wins:
//   1. the working folder, so that a folder of pictures of one's own wins;
//   2. the folder named by VIVAR_PICTURES, when it is set;
//   3. the installed pictures, found from the executable's own folder
//      (../share/vivar/pictures from bin/), so that a moved installation works;
//   4. pictures/ beside the executable, where the build folder keeps its own
//      copy of them (and Windows installs them), so that a build folder
//      moved or copied anywhere works too. No path of the source tree or
//      the build folder is built into the programs.
struct PictureSearch {
    std::filesystem::path workingFolder;
    std::filesystem::path environment;  // VIVAR_PICTURES; empty when unset
    std::filesystem::path executable;
    std::filesystem::path installedFromExecutableFolder;  // relative, e.g. ../share/vivar/pictures
    std::filesystem::path besideExecutable;               // relative, e.g. pictures
};

// The folders in the order they are searched, each once, whether or not
// they exist.
[[nodiscard]] std::vector<std::filesystem::path> pictureFolders(const PictureSearch& search);
// This process's folders, worked out on first use.
[[nodiscard]] const std::vector<std::filesystem::path>& pictureFolders();

// The file in the first of the folders that has it.
[[nodiscard]] std::optional<std::filesystem::path> findPicture(const std::string& fileName,
                                                               const std::vector<std::filesystem::path>& folders);
