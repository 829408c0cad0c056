#include "view/picture_folders.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include <QCoreApplication>
#include <QImage>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <Inventor/SbImage.h>
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

QString textOf(const fs::path& path) { return QString::fromStdString(platform::utf8Name(path)); }

// Coin's picture, read by Qt under any file name, as SoQt's reader would
// read it: rows from the bottom, red first, alpha where the file has it.
SbBool readPictureFromItsFolder(const SbString& name, SbImage* picture, void* /*closure*/) {
    const std::string fileName = name.getString();
    if (fileName.find_first_of("/\\") != std::string::npos) {
        return FALSE;
    }
    const std::optional<fs::path> path = findPicture(fileName, pictureFolders());
    QImage image;
    if (!path || !image.load(textOf(*path))) {
        return FALSE;
    }
    const bool alpha = image.hasAlphaChannel();
    image = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    int components = alpha ? 4 : 3;
    SbVec2s size(static_cast<short>(image.width()), static_cast<short>(image.height()));
    picture->setValue(size, components, nullptr);
    unsigned char* bytes = picture->getValue(size, components);
    for (int y = 0; y < image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(image.height() - 1 - y));
        for (int x = 0; x < image.width(); ++x) {
            *bytes++ = static_cast<unsigned char>(qRed(pixels[x]));
            *bytes++ = static_cast<unsigned char>(qGreen(pixels[x]));
            *bytes++ = static_cast<unsigned char>(qBlue(pixels[x]));
            if (alpha) {
                *bytes++ = static_cast<unsigned char>(qAlpha(pixels[x]));
            }
        }
    }
    return TRUE;
}

struct Missing {
    int count = 0;
    int total = 0;
};

// The pictures are looked for once: the folders do not change while the
// program runs.
const Missing& missingPictures() {
    static const Missing missing = [] {
        Missing found;
        const auto check = [&found](const char* fileName) {
            ++found.total;
            found.count += findPicture(fileName, pictureFolders()) ? 0 : 1;
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
        return found;
    }();
    return missing;
}

QString foldersLookedIn(const QString& separator) {
    QStringList folders;
    for (const fs::path& folder : pictureFolders()) {
        folders << textOf(folder);
    }
    return folders.join(separator);
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
        search.environment = platform::environmentPath("VIVAR_PICTURES");
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

QString picturePath(const char* fileName) {
    const std::optional<fs::path> path = findPicture(fileName, pictureFolders());
    return path ? textOf(*path) : QString::fromLatin1(fileName);
}

void lookForPicturesInTheirFolders() {
    // Coin tries the bare name in the working folder first, then each folder
    // of its list: ours go after its own ".", in our order.
    for (const fs::path& folder : pictureFolders()) {
        SoInput::addDirectoryLast(platform::utf8Name(folder).c_str());
    }
    // Coin opens those folders by their narrow names, which on Windows are
    // in the ANSI code page: a folder named in other letters is not found
    // there, and the reader after SoQt's is handed the bare name. Once, for
    // every scene built.
    SbImage::removeReadImageCB(readPictureFromItsFolder, nullptr);
    SbImage::addReadImageCB(readPictureFromItsFolder, nullptr);
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
    const Missing& missing = missingPictures();
    if (missing.count > 0) {
        const QString line =
            QCoreApplication::translate(
                "View", "vivar: %1 of %2 pictures not found; looked in %3 (VIVAR_PICTURES can name their folder)")
                .arg(missing.count)
                .arg(missing.total)
                .arg(foldersLookedIn(QStringLiteral(", ")));
        std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    }
    return missing.count;
}

QString missingPicturesStatus() {
    const Missing& missing = missingPictures();
    if (missing.count == 0) {
        return {};
    }
    return QCoreApplication::translate("View", "%1 of %2 pictures not found (VIVAR_PICTURES)")
        .arg(missing.count)
        .arg(missing.total);
}

void tellMissingPictures(QWidget* window) {
    static bool told = false;
    const Missing& missing = missingPictures();
    if (missing.count == 0 || told) {
        return;
    }
    told = true;
    // Beside the window rather than in front of it: the board still runs,
    // only without its pictures.
    auto* box = new QMessageBox(
        QMessageBox::Warning, QCoreApplication::translate("View", "vivar: pictures not found"),
        QCoreApplication::translate(
            "View", "vivar could not find %1 of its %2 pictures: squares and buttons whose picture is missing are blank.")
            .arg(missing.count)
            .arg(missing.total),
        QMessageBox::Ok, window);
    box->setInformativeText(
        QCoreApplication::translate("View", "It looked in:\n%1\n\nSet VIVAR_PICTURES to the folder that holds them (the "
                                            "pictures folder that comes with vivar), or start vivar from that folder.")
            .arg(foldersLookedIn(QStringLiteral("\n"))));
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}
