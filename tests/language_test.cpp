// Which language vivar speaks, and how values go into its translated texts.

#include <gtest/gtest.h>

#include "app/words.h"
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

TEST(Words, FillsEveryMarkerInOnePassInTheTranslationsOrder) {
    EXPECT_EQ(words::fill("%2 de %1, %2", {"a", "b"}), "b de a, b");
    // A value's own marker is not filled again; a marker with no value stays.
    EXPECT_EQ(words::fill("'%1' y %2", {"%2", "x"}), "'%2' y x");
    EXPECT_EQ(words::fill("%3 %", {"a"}), "%3 %");
}

}  // namespace
