// The folders the films module is looked for in, and its loading.
#include "programs/vivar-sim/film_module.h"

#include <algorithm>
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
        found.outcome = found.open != nullptr ? FilmModule::Outcome::kLoaded : FilmModule::Outcome::kOtherVersion;
        return found;
    }();
    return module;
}
