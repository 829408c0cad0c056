#include "view/user_folders.h"

#include <array>
#include <cstddef>

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

// Each kind's remembered folder and the system's folder for it, in the
// kinds' order.
struct Place {
    const char* key;
    QStandardPaths::StandardLocation location;
};
constexpr std::array<Place, 4> kPlaces{{
    {"folders/pictures", QStandardPaths::PicturesLocation},
    {"folders/films", QStandardPaths::MoviesLocation},
    {"folders/boards", QStandardPaths::DocumentsLocation},
    {"folders/experiments", QStandardPaths::DocumentsLocation},
}};

const Place& placeOf(Kind kind) { return kPlaces[static_cast<std::size_t>(kind)]; }

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
    return QDir::toNativeSeparators(choose(settings().value(QLatin1String(placeOf(kind).key)).toString(),
                                           QStandardPaths::writableLocation(placeOf(kind).location), QDir::homePath()));
}

void remember(Kind kind, const QString& fileName) {
    QSettings kept = settings();
    kept.setValue(QLatin1String(placeOf(kind).key), QFileInfo(fileName).absolutePath());
}

QString inFolder(const QString& folder, const QString& name) {
    if (name.isEmpty() || QDir::isAbsolutePath(name)) {
        return name;
    }
    return QDir::toNativeSeparators(QDir(folder).filePath(name));
}

}  // namespace user_folders
