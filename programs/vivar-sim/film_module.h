// Where vivar-sim finds the films module that --film loads, and loading it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "film/board_film.h"
#include "film/plot_request.h"

// The films module, which vivar-sim loads only for --film and for a --plot
// picture, so that a run
// without a film starts without Qt and FFmpeg. It is looked for beside the
// executable (the build folder, a Windows folder), then in the private
// folder it is installed in, found from the executable's own
// (../lib/<architecture>/vivar from /usr/bin), so that a moved installation
// finds it as it finds its pictures.
struct FilmModule {
    enum class Outcome { kLoaded, kNotFound, kDoesNotLoad, kOtherVersion };
    Outcome outcome = Outcome::kNotFound;
    // The entry points, once loaded.
    OpenBoardFilm* open = nullptr;
    WriteExperimentPlot* plot = nullptr;
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

// The module loaded, for an option that needs it; the program ends, having
// said why, when it cannot be had: the installation is not whole.
[[nodiscard]] const FilmModule& filmModuleFor(const char* option);
