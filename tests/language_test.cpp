// Which language vivar speaks, and how values go into its translated texts.

#include <gtest/gtest.h>

#include "base/words.h"
#include "view/language.h"

namespace {

TEST(Language, TheFirstPreferredLanguageWithATranslationOrEnglish) {
    const QStringList translated{"es"};
    const struct {
        QStringList preferred;
        const char* chosen;
    } cases[] = {
        {{"es-ES"}, "es"},
        {{"es_AR.UTF-8"}, "es"},
        {{"fr-FR", "es"}, "es"},  // LANGUAGE=fr:es, without French
        {{"en-GB", "es"}, "en"},  // English first is English
        {{"C"}, "en"},
        {{"C", "es"}, "en"},
        {{"pt-BR"}, "en"},
        {{}, "en"},
        {{"est"}, "en"},  // Estonian's code is not Spanish's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(language::choose(c.preferred, translated), c.chosen) << c.preferred.join(":").toStdString();
    }
}

TEST(Language, NumbersAreWrittenAsTheWindowsLanguageWritesThem) {
    const struct {
        const char* shown;
        const char* locale;
        const char* tenThousand;
    } cases[] = {
        {"es", "C.UTF-8", "10.000"},      // LANGUAGE=es on a machine left in C
        {"en", "C.UTF-8", "10000"},       // C groups no digits
        {"en", "POSIX", "10000"},
        {"en", "en_US.UTF-8", "10,000"},
        {"es", "es_ES.UTF-8", "10.000"},
        {"es", "es_MX.UTF-8", "10,000"},  // as Mexico writes its Spanish
        {"en", "de_DE.UTF-8", "10,000"},  // an English window, not German digits
        {"es", "en_US.UTF-8", "10.000"},
    };
    for (const auto& c : cases) {
        const QLocale numbers = language::numbersFor(c.shown, QLocale(c.locale));
        EXPECT_EQ(numbers.toString(10000), c.tenThousand) << c.shown << " in " << c.locale;
    }
}

TEST(Words, FillsEveryMarkerInOnePassInTheTranslationsOrder) {
    EXPECT_EQ(words::fill("%2 de %1, %2", {"a", "b"}), "b de a, b");
    // A value's own marker is not filled again; a marker with no value stays.
    EXPECT_EQ(words::fill("'%1' y %2", {"%2", "x"}), "'%2' y x");
    EXPECT_EQ(words::fill("%3 %", {"a"}), "%3 %");
}

}  // namespace
