// The folders the films module is looked for in, and its loading.
#include "programs/vivar-sim/film_module.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "platform/module.h"
#include "platform/system.h"

namespace fs = std::filesystem;

const char* filmModuleName() { return VIVAR_FILMS_MODULE; }

std::vector<fs::path> filmModuleFolders(const fs::path& executable) {
    std::vector<fs::path> folders;
    for (const fs::path& folder :
         {executable.parent_path(), (executable.parent_path() / VIVAR_INSTALLED_MODULES).lexically_normal()}) {
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

const FilmModule& filmModule() {
    static const FilmModule module = [] {
        FilmModule found;
        found.folders = filmModuleFolders(platform::executablePath());
        for (const fs::path& folder : found.folders) {
            std::error_code error;
            if (fs::exists(folder / filmModuleName(), error)) {
                found.file = folder / filmModuleName();
                break;
            }
        }
        if (found.file.empty()) {
            return found;
        }
        platform::Module* loaded = platform::loadModule(found.file, found.problem);
        if (loaded == nullptr) {
            found.outcome = FilmModule::Outcome::kDoesNotLoad;
            return found;
        }
        found.open = reinterpret_cast<OpenBoardFilm*>(platform::moduleFunction(loaded, kOpenBoardFilm));
        found.plot = reinterpret_cast<WriteExperimentPlot*>(platform::moduleFunction(loaded, kWriteExperimentPlot));
        found.outcome = found.open != nullptr && found.plot != nullptr ? FilmModule::Outcome::kLoaded
                                                                       : FilmModule::Outcome::kOtherVersion;
        return found;
    }();
    return module;
}

const FilmModule& filmModuleFor(const char* option) {
    const FilmModule& module = filmModule();
    const std::string name = platform::utf8Name(module.file);
    switch (module.outcome) {
        case FilmModule::Outcome::kLoaded:
            return module;
        case FilmModule::Outcome::kNotFound: {
            std::string folders;
            for (const fs::path& folder : module.folders) {
                folders += (folders.empty() ? "" : " or ") + platform::utf8Name(folder);
            }
            std::fprintf(stderr, "vivar-sim: %s needs the films module %s, which is not in %s\n", option,
                         filmModuleName(), folders.c_str());
            break;
        }
        case FilmModule::Outcome::kDoesNotLoad:
            std::fprintf(stderr, "vivar-sim: %s needs the films module %s, which does not load: %s\n", option,
                         name.c_str(), module.problem.c_str());
            break;
        case FilmModule::Outcome::kOtherVersion:
            std::fprintf(stderr, "vivar-sim: %s needs the films module %s, which is of another version of vivar\n",
                         option, name.c_str());
            break;
    }
    std::exit(1);
}
