#include "view/picture_folders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include <QCoreApplication>
#include <QString>

#include <Inventor/SoInput.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/nodes/SoTexture2.h>

#include "platform/system.h"
#include "view/scene.h"
#include "view/view.h"

namespace fs = std::filesystem;

namespace {

[[nodiscard]] bool isWithin(const fs::path& path, const fs::path& folder) {
    std::error_code pathError;
    std::error_code folderError;
    const fs::path inner = fs::weakly_canonical(path, pathError);
    const fs::path outer = fs::weakly_canonical(folder, folderError);
    if (pathError || folderError || folder.empty()) {
        return false;
    }
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

[[nodiscard]] bool hasFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

// Coin's messages about a file already counted as missing.
void holdBack(const SoError* /*error*/, void* /*data*/) {}

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
        if (isWithin(search.executable, search.buildFolder)) {
            add(search.sourcePictures);
        }
    }
    return folders;
}

const std::vector<fs::path>& pictureFolders() {
    static const std::vector<fs::path> folders = [] {
        std::error_code error;
        PictureSearch search;
        search.workingFolder = fs::current_path(error);
        const char* environment = std::getenv("VIVAR_PICTURES");
        search.environment = environment != nullptr ? environment : "";
        search.executable = platform::executablePath();
        search.installedFromExecutableFolder = VIVAR_INSTALLED_PICTURES;
        search.buildFolder = VIVAR_BUILD_FOLDER;
        search.sourcePictures = VIVAR_SOURCE_PICTURES;
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

std::string picturePath(const char* fileName) {
    return findPicture(fileName, pictureFolders()).value_or(fileName).string();
}

void lookForPicturesInTheirFolders() {
    // Coin tries the bare name in the working folder first, then each folder
    // of its list: ours go after its own ".", in our order.
    for (const fs::path& folder : pictureFolders()) {
        SoInput::addDirectoryLast(folder.string().c_str());
    }
}

void setPictureFile(SoTexture2& texture, const char* fileName) {
    if (findPicture(fileName, pictureFolders())) {
        texture.filename.setValue(fileName);
        return;
    }
    // Coin reads the file as soon as the name is set.
    SoErrorCB* const handler = SoDebugError::getHandlerCallback();
    void* const data = SoDebugError::getHandlerData();
    SoDebugError::setHandlerCallback(holdBack, nullptr);
    texture.filename.setValue(fileName);
    SoDebugError::setHandlerCallback(handler, data);
}

int reportMissingPictures() {
    int total = 0;
    int missing = 0;
    const auto check = [&](const char* fileName) {
        ++total;
        missing += findPicture(fileName, pictureFolders()) ? 0 : 1;
    };
    for (int index = 0; index < kTextureCount; ++index) {
        check(pictureFile(index));
    }
    for (const View::Button& button : View::kButtons) {
        check(button.bitmapFile);
    }
    for (const View::Control& control : View::kControls) {
        check(control.bitmapFile);
    }
    if (missing > 0) {
        std::string places;
        for (const fs::path& folder : pictureFolders()) {
            places += (places.empty() ? "" : ", ") + folder.string();
        }
        const QString line =
            QCoreApplication::translate(
                "View", "vivar: %1 of %2 pictures not found; looked in %3 (VIVAR_PICTURES can name their folder)")
                .arg(missing)
                .arg(total)
                .arg(QString::fromLocal8Bit(places.c_str()));
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
    return missing;
}
