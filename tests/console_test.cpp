// Text cut into pieces for a console that shows each piece on its own: no
// piece ends inside a character, and a piece ends at a line's end where it
// can.

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/console.h"

namespace {

using platform::consolePiece;
using platform::wholeUtf8;

TEST(ConsolePieces, AWholeTextIsWhole) {
    EXPECT_EQ(wholeUtf8(""), 0U);
    EXPECT_EQ(wholeUtf8("opción\n"), std::string_view("opción\n").size());
    EXPECT_EQ(wholeUtf8("ñandú"), std::string_view("ñandú").size());
    EXPECT_EQ(wholeUtf8("\xF0\x9F\xA6\x8E"), 4U);  // a lizard, four bytes
}

TEST(ConsolePieces, ACharacterCutOffAtTheEndWaits) {
    const std::string text = "opci\xC3";
    EXPECT_EQ(wholeUtf8(text), 4U);
    EXPECT_EQ(wholeUtf8("a\xE2\x82"), 1U);
    EXPECT_EQ(wholeUtf8("a\xF0\x9F\xA6"), 1U);
    EXPECT_EQ(wholeUtf8("\xF0"), 0U);
}

TEST(ConsolePieces, BytesThatAreNoUtf8AreShownAsTheyAre) {
    // Stray continuation bytes, and more of them than any character has.
    EXPECT_EQ(wholeUtf8("a\x80"), 2U);
    EXPECT_EQ(wholeUtf8("\xC3\xA9\xA9\xA9\xA9"), 5U);
    EXPECT_EQ(wholeUtf8("a\xFF"), 2U);
}

TEST(ConsolePieces, EveryCutOfASpanishLineJoinsBackWhole) {
    const std::string text = "vivar-sim: opción desconocida «--sed»; ¿quería decir «--seed»?\n";
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        const std::size_t whole = wholeUtf8(std::string_view(text).substr(0, cut));
        ASSERT_LE(whole, cut);
        ASSERT_LT(cut - whole, 4U) << "cut at " << cut;
        // What waits begins a character, and with what follows it makes
        // whole text again.
        EXPECT_EQ(wholeUtf8(text.substr(whole)), text.size() - whole) << "cut at " << cut;
        EXPECT_NE(static_cast<unsigned char>(text[whole]) & 0xC0U, 0x80U) << "cut at " << cut;
    }
}

TEST(ConsolePieces, APieceEndsAtTheLastLineEndThatFits) {
    const std::string lines = "lagarto\nhuevo\ngató\n";
    EXPECT_EQ(consolePiece(lines, 100), lines.size());
    EXPECT_EQ(consolePiece(lines, 16), std::string_view("lagarto\nhuevo\n").size());
    EXPECT_EQ(consolePiece(lines, 8), 8U);
}

TEST(ConsolePieces, ALineLongerThanAPieceIsCutBetweenCharacters) {
    const std::string line = "ññññññ";  // two bytes each
    EXPECT_EQ(consolePiece(line, 5), 4U);
    EXPECT_EQ(consolePiece(line, 6), 6U);
    EXPECT_EQ(consolePiece("\xC3", 4), 0U);
}

}  // namespace
