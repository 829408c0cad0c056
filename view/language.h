#pragma once

#include <cstdint>
#include <string>

#include <QLocale>
#include <QString>
#include <QStringList>

// vivar speaks the user's language where it has a translation of its own,
// and English, the language its texts are written in, otherwise. The
// translations are built into the program, so a copy of it anywhere speaks
// them.
namespace language {

// The first of the languages the user prefers, most wanted first as Qt
// gives them ("es-ES", "fr", "C"), that one of the translations is for;
// "en" when none is, or when English or the untranslated C locale comes
// first.
[[nodiscard]] QString choose(const QStringList& preferred, const QStringList& translated);

// Chooses the language from the user's locale (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG; on Windows, the system's language) and hands it to
// the command line's texts. Call it before the options are read.
void chooseFromLocale();
// The language --language asks for, one that languages::known takes,
// over the locale's; before any text is translated.
void chooseAsked(const std::string& asked);
// Hands the translation, and Qt's own for the buttons of its dialogs, to
// the application once it exists.
void installInApplication();

// How the window writes numbers: as the user's locale does (LC_ALL,
// LC_NUMERIC, LANG; on Windows, the system's) where that locale is for the
// window's language, else as that language does. An English window in the
// C locale groups no digits, as C programs do.
[[nodiscard]] QLocale numbers();
// A whole number as numbers() writes it.
[[nodiscard]] QString number(std::int64_t value);
// The same for a window in `shown` ("en", "es") and the user's locale.
[[nodiscard]] QLocale numbersFor(const QString& shown, const QLocale& user);

}  // namespace language
