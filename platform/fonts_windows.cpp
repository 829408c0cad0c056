#include "platform/fonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QString>
#include <QStringList>

namespace platform {
namespace {

// Shipped in fonts\ beside the program, from Debian's fonts-dejavu-core.
constexpr const char* kTextFontFile = "DejaVuSans.ttf";
constexpr const char* kFixedFontFile = "DejaVuSansMono.ttf";

// The shipped fixed-width family, where the system's will not do.
QString& shippedFixedFamily() {
    static QString family;
    return family;
}

// Whether the font draws ordinary text: Qt found the family it asks for,
// rather than falling back to the first family installed, and that family
// has plain and accented Latin letters of its own, which a symbol font or a
// TeX font lacks some of.
bool drawsText(const QFont& font) {
    const QString drawn = QFontInfo(font).family();
    const QStringList asked = QStringList(font.family()) + QFont::substitutes(font.family());
    if (!asked.contains(drawn, Qt::CaseInsensitive)) {
        return false;
    }
    const QRawFont raw = QRawFont::fromFont(font);
    for (const uint letter : QStringLiteral("aZéñÜ").toUcs4()) {
        if (!raw.supportsCharacter(letter)) {
            return false;
        }
    }
    return raw.isValid();
}

// The family of the shipped file, or none when it cannot be loaded.
QString shippedFamily(const char* file) {
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts/") + file);
    const QStringList families = QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(path));
    return families.isEmpty() ? QString() : families.first();
}

}  // namespace

void useReadableFonts() {
    QFont text = QApplication::font();
    if (!drawsText(text)) {
        const QString family = shippedFamily(kTextFontFile);
        if (!family.isEmpty()) {
            // A font that a widget or the chart asks for by name and that
            // is missing falls back to the application's family too.
            text.setFamily(family);
            QApplication::setFont(text);
        }
    }
    if (!drawsText(QFontDatabase::systemFont(QFontDatabase::FixedFont))) {
        shippedFixedFamily() = shippedFamily(kFixedFontFile);
    }
}

QFont fixedFont() {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!shippedFixedFamily().isEmpty()) {
        fixed.setFamily(shippedFixedFamily());
    }
    return fixed;
}

}  // namespace platform
