// The command line's help for a mistyped option, and the translations
// vivar-sim reads without Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "app/options.h"
#include "base/languages.h"

namespace {

const std::vector<std::string_view> kSimOptions{"--help", "--version", "--counts", "--summary", "--seed",
                                                "--seeds", "--jobs", "--board", "--save-board", "--generations",
                                                "--film", "--film-size", "--size", "--rule", "--language"};

std::string nearest(std::string_view typed) {
    return std::string(nearestOption(typed, kSimOptions).value_or("(none)"));
}

TEST(MistypedOption, NamesTheOptionOneSlipAway) {
    EXPECT_EQ(nearest("--sed"), "--seed");        // a letter dropped
    EXPECT_EQ(nearest("--seeed"), "--seed");      // one added
    EXPECT_EQ(nearest("--boerd"), "--board");     // one changed
    EXPECT_EQ(nearest("--jbos"), "--jobs");       // two swapped
    EXPECT_EQ(nearest("--generatoins"), "--generations");
    EXPECT_EQ(nearest("--summray"), "--summary");
    EXPECT_EQ(nearest("-seed"), "--seed");        // one dash short
    EXPECT_EQ(nearest("--languaje"), "--language");
}

TEST(MistypedOption, OfEquallyNearOptionsNamesTheFirstAsked) {
    // "--seedz" is one change from --seed and from --seeds.
    EXPECT_EQ(nearest("--seedz"), "--seed");
    EXPECT_EQ(nearestOption("--seedz", {"--seeds", "--seed"}), "--seeds");
}

TEST(MistypedOption, AFarOffWordGetsNoSuggestion) {
    EXPECT_EQ(nearest("--xyz"), "(none)");
    EXPECT_EQ(nearest("--colour"), "(none)");
    // Two slips in a short word are too many: "--sd" is not surely --seed.
    EXPECT_EQ(nearest("--sd"), "(none)");
    EXPECT_EQ(nearest("--lang"), "(none)");
    EXPECT_EQ(nearestOption("--sed", {}), std::nullopt);
}

TEST(Translations, VivarSimReadsTheSpanishOfTheBuiltInQmWithoutQt) {
    const languages::Embedded* spanish = languages::embeddedFor("es");
    ASSERT_NE(spanish, nullptr);
    EXPECT_EQ(languages::lookUp(*spanish, "CommandLine", "unknown option '%1'; did you mean '%2'?"),
              "opción desconocida '%1'; ¿quería decir '%2'?");
    EXPECT_EQ(languages::lookUp(*spanish, "BoardFile", "not a text file"), "no es un archivo de texto");
    // A text of another context, or no text of the program's, has none.
    EXPECT_EQ(languages::lookUp(*spanish, "VivarSim", "not a text file"), std::nullopt);
    EXPECT_EQ(languages::lookUp(*spanish, "CommandLine", "no such text"), std::nullopt);
    EXPECT_EQ(languages::embeddedFor("en"), nullptr);
    EXPECT_TRUE(languages::known("en"));
    EXPECT_FALSE(languages::known("fr"));
    EXPECT_EQ(languages::names(), "en, es");
}

}  // namespace
