#include "view/language.h"

#include <string>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "base/languages.h"
#include "base/words.h"

namespace language {
namespace {

// Chosen in main before anything else, from the locale alone.
QString& chosenLanguage() {
    static QString language = QStringLiteral("en");
    return language;
}

const languages::Embedded* embeddedFor(const QString& language) {
    return languages::embeddedFor(language.toStdString());
}

// Made on first use. Qt takes the thread that makes its first object for
// the application's main thread, and the window's application is made on
// the view thread: so nothing of Qt's is made in main, unless it is to
// print the help or a complaint and end.
struct Translators {
    QTranslator ours;
    QTranslator qts;  // Qt's own, for its dialogs' buttons
    bool loaded = false;

    Translators() {
        if (const languages::Embedded* embedded = embeddedFor(chosenLanguage())) {
            loaded = ours.load(embedded->data, static_cast<int>(embedded->size));
        }
    }
};

Translators& translators() {
    // Never destroyed: the application may outlive main's statics.
    static auto* instance = new Translators;
    return *instance;
}

std::string translateForCommandLine(const char* context, const char* source) {
    const QString text = translators().ours.translate(context, source);
    return text.isNull() ? std::string(source) : text.toStdString();
}

// Qt's translations of its own dialogs: beside the program on Windows,
// where Qt itself is; where Qt keeps them on Debian (qttranslations5-l10n).
bool loadQtsOwn(QTranslator& translator, const QString& language) {
    const QString name = QStringLiteral("qtbase_") + language;
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    return translator.load(name, beside) || translator.load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

}  // namespace

QString choose(const QStringList& preferred, const QStringList& translated) {
    for (const QString& name : preferred) {
        // "es-ES", "es_ES.UTF-8" and "es" are all Spanish.
        const QString base = name.section(QLatin1Char('-'), 0, 0)
                                 .section(QLatin1Char('_'), 0, 0)
                                 .section(QLatin1Char('.'), 0, 0)
                                 .toLower();
        if (base == QLatin1String("en") || base == QLatin1String("c") || base == QLatin1String("posix")) {
            return QStringLiteral("en");
        }
        if (translated.contains(base)) {
            return base;
        }
    }
    return QStringLiteral("en");
}

void chooseFromLocale() {
    QStringList translated;
    for (std::size_t i = 0; i < languages::kEmbeddedCount; ++i) {
        translated.append(QString::fromLatin1(languages::kEmbedded[i].language));
    }
    chosenLanguage() = choose(QLocale::system().uiLanguages(), translated);
    if (embeddedFor(chosenLanguage()) != nullptr) {
        words::useTranslation(translateForCommandLine);
    }
}

void chooseAsked(const std::string& asked) {
    chosenLanguage() = QString::fromStdString(asked);
    words::useTranslation(embeddedFor(chosenLanguage()) != nullptr ? translateForCommandLine : nullptr);
}

QLocale numbersFor(const QString& shown, const QLocale& user) {
    const QLocale language(shown);
    if (user.language() == language.language()) {
        return user;  // es_MX groups as Mexico does, en_GB as Britain does
    }
    if (user.language() == QLocale::C && language.language() == QLocale::English) {
        return QLocale::c();
    }
    return language;
}

QString number(std::int64_t value) { return numbers().toString(static_cast<qlonglong>(value)); }

QLocale numbers() {
    // Qt's system locale takes its language from LANGUAGE, but its digits
    // from LC_NUMERIC: under C.UTF-8 with LANGUAGE=es it is Spanish that
    // writes "10,000". The variables, read as the C library reads them,
    // name the user's own conventions.
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) {
            return numbersFor(chosenLanguage(), QLocale(name));
        }
    }
    return numbersFor(chosenLanguage(), QLocale::system());
}

void installInApplication() {
    if (embeddedFor(chosenLanguage()) == nullptr) {
        return;
    }
    Translators& t = translators();
    if (!t.loaded) {
        return;
    }
    QCoreApplication::installTranslator(&t.ours);
    if (loadQtsOwn(t.qts, chosenLanguage())) {
        QCoreApplication::installTranslator(&t.qts);
    }
}

}  // namespace language
