#include "view/picture_folders.h"

#include <cstdio>

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
        for (int index = 0; index < kTilePictureCount; ++index) {
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
