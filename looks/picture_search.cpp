// Where the pictures are looked for, and the first folder that has one.
#include "looks/picture_search.h"

#include <algorithm>
#include <system_error>

#include "platform/system.h"

namespace fs = std::filesystem;

namespace {

[[nodiscard]] bool hasFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

}  // namespace

std::vector<fs::path> pictureFolders(const PictureSearch& search) {
    std::vector<fs::path> folders;
    const auto add = [&folders](const fs::path& folder) {
        const fs::path normal = folder.lexically_normal();
        if (!normal.empty() && std::find(folders.begin(), folders.end(), normal) == folders.end()) {
            folders.push_back(normal);
        }
    };
    add(search.workingFolder);
    if (!search.environment.empty()) {
        std::error_code error;
        add(fs::absolute(search.environment, error));
    }
    if (!search.executable.empty()) {
        add(search.executable.parent_path() / search.installedFromExecutableFolder);
        if (!search.besideExecutable.empty()) {
            add(search.executable.parent_path() / search.besideExecutable);
        }
    }
    return folders;
}

const std::vector<fs::path>& pictureFolders() {
    static const std::vector<fs::path> folders = [] {
        std::error_code error;
        PictureSearch search;
        search.workingFolder = fs::current_path(error);
        search.environment = platform::environmentPath("VIVAR_PICTURES");
        search.executable = platform::executablePath();
        search.installedFromExecutableFolder = VIVAR_INSTALLED_PICTURES;
        search.besideExecutable = VIVAR_PICTURES_BESIDE;
        return pictureFolders(search);
    }();
    return folders;
}

std::optional<fs::path> findPicture(const std::string& fileName, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        if (hasFile(folder / fileName)) {
            return folder / fileName;
        }
    }
    return std::nullopt;
}
