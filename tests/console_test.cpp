// Text cut into pieces for a console that shows each piece on its own: no
// piece ends inside a character, and a piece ends at a line's end where it
// can.

#include <algorithm>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/console.h"

namespace {

using platform::ConsoleBacklog;
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

// A console that keeps up gets every byte in order; one that falls behind
// loses the oldest whole lines, counted just before what it is shown next.
TEST(ConsoleBacklog, AConsoleFarBehindLosesTheOldestWholeLinesAndIsToldHowMany) {
    ConsoleBacklog backlog(40);
    backlog.add("generación 1\n");
    const ConsoleBacklog::Piece first = backlog.take(100, false);
    EXPECT_EQ(first.text, "generación 1\n");
    EXPECT_EQ(first.linesLeftOut, 0U);
    EXPECT_FALSE(backlog.hasPiece(100, false));

    std::string sent;
    for (int line = 2; line <= 9; ++line) {
        const std::string text = "línea " + std::to_string(line) + "\n";
        sent += text;
        backlog.add(text);
    }
    ASSERT_TRUE(backlog.hasPiece(100, false));
    const ConsoleBacklog::Piece behind = backlog.take(100, false);
    EXPECT_GT(behind.linesLeftOut, 0U);
    EXPECT_LE(behind.text.size(), 40U);
    // What is left is the newest lines, whole, and with those left out
    // makes all of them.
    EXPECT_EQ(sent.substr(sent.size() - behind.text.size()), behind.text);
    EXPECT_EQ(behind.text.front(), 'l');
    const auto shown = static_cast<std::size_t>(std::count(behind.text.begin(), behind.text.end(), '\n'));
    EXPECT_EQ(behind.linesLeftOut + shown, 8U);
    EXPECT_EQ(backlog.take(100, false).linesLeftOut, 0U);
}

TEST(ConsoleBacklog, ACharacterCutOffWaitsForItsEndUnlessNothingMoreComes) {
    ConsoleBacklog backlog(100);
    backlog.add("ga\xC3");
    EXPECT_EQ(backlog.take(100, false).text, "ga");
    EXPECT_FALSE(backlog.hasPiece(100, false));
    EXPECT_TRUE(backlog.hasPiece(100, true));
    backlog.add("\xB1o\n");
    EXPECT_EQ(backlog.take(100, false).text, "ño\n");
}

}  // namespace
