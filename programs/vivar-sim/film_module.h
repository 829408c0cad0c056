// Where vivar-sim finds the films module that --film loads, and loading it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "film/board_film.h"

// The films module, which vivar-sim loads only for --film, so that a run
// without a film starts without Qt and FFmpeg. It is looked for beside the
// executable (the build folder, a Windows folder), then in the private
// folder it is installed in, found from the executable's own
// (../lib/<architecture>/vivar from /usr/bin), so that a moved installation
// finds it as it finds its pictures.
struct FilmModule {
    enum class Outcome { kLoaded, kNotFound, kDoesNotLoad, kOtherVersion };
    Outcome outcome = Outcome::kNotFound;
    // The entry point, once loaded.
    OpenBoardFilm* open = nullptr;
    // The file tried, or every folder looked in when none was there.
    std::filesystem::path file;
    std::vector<std::filesystem::path> folders;
    // The system's words for why it does not load.
    std::string problem;
};

// The module's file name, and the folders it is looked for in, in order.
[[nodiscard]] const char* filmModuleName();
[[nodiscard]] std::vector<std::filesystem::path> filmModuleFolders(const std::filesystem::path& executable);

// Loads the module once; later calls give the same.
[[nodiscard]] const FilmModule& filmModule();
