#include "view/user_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace user_folders {

namespace {

// Debian keeps the settings in ~/.config/vivar/vivar.conf, Windows in the
// registry under HKEY_CURRENT_USER\Software\vivar\vivar.
QSettings settings() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vivar"),
                                        QStringLiteral("vivar")); }

QString key(Kind kind) {
    switch (kind) {
    case Kind::kPictures:
        return QStringLiteral("folders/pictures");
    case Kind::kFilms:
        return QStringLiteral("folders/films");
    case Kind::kBoards:
        break;
    }
    return QStringLiteral("folders/boards");
}

QStandardPaths::StandardLocation location(Kind kind) {
    switch (kind) {
    case Kind::kPictures:
        return QStandardPaths::PicturesLocation;
    case Kind::kFilms:
        return QStandardPaths::MoviesLocation;
    case Kind::kBoards:
        break;
    }
    return QStandardPaths::DocumentsLocation;
}

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

QString choose(const QString& remembered, const QString& usersOwn, const QString& home) {
    if (isFolder(remembered)) {
        return remembered;
    }
    // A folder the system names but the user removed is not made again
    // behind their back: home holds it, and is theirs to write in.
    if (isFolder(usersOwn)) {
        return usersOwn;
    }
    return home;
}

QString offered(Kind kind) {
    return QDir::toNativeSeparators(choose(settings().value(key(kind)).toString(),
                                           QStandardPaths::writableLocation(location(kind)), QDir::homePath()));
}

void remember(Kind kind, const QString& fileName) {
    QSettings kept = settings();
    kept.setValue(key(kind), QFileInfo(fileName).absolutePath());
}

QString inFolder(const QString& folder, const QString& name) {
    if (name.isEmpty() || QDir::isAbsolutePath(name)) {
        return name;
    }
    return QDir::toNativeSeparators(QDir(folder).filePath(name));
}

}  // namespace user_folders
