// The status line's items laid out in its fixed lines, and the generations
// shown a second; widths here are counts of characters.

#include <ostream>

#include <gtest/gtest.h>

#include "view/run_panel.h"

// Lines as gtest prints them when they differ.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

int characters(const QString& text) { return static_cast<int>(text.size()); }

QStringList laid(const QStringList& items, const QStringList& urgent, int width) {
    return statusLines(items, urgent, width, 2, QStringLiteral(" · "), characters);
}

const QStringList kItems{"Generation 7", "running", "cats 40", "pace 0 ms", "seed 11"};

TEST(StatusLine, BreaksOnlyBetweenWholeItems) {
    EXPECT_EQ(laid(kItems, {}, 80), QStringList{"Generation 7 · running · cats 40 · pace 0 ms · seed 11"});
    EXPECT_EQ(laid(kItems, {}, 34), (QStringList{"Generation 7 · running · cats 40", "pace 0 ms · seed 11"}));
}

TEST(StatusLine, NeverTakesMoreLinesThanItHasButEndsShortWithAnEllipsis) {
    EXPECT_EQ(laid(kItems, {}, 22), (QStringList{"Generation 7 · running", "cats 40 · pace 0 ms…"}));
    for (int width = 1; width < 60; ++width) {
        const QStringList lines = laid(kItems, {"the disk is full"}, width);
        ASSERT_LE(lines.size(), 2) << width;
        for (const QString& line : lines) {
            EXPECT_LE(line.size(), std::max(width, 1)) << width << ": " << line.toStdString();
        }
    }
}

TEST(StatusLine, GivesAProblemOrNoticeTheLastLineWhenAllDoesNotFit) {
    // All of it fits: the notice goes on where the items end.
    EXPECT_EQ(laid({"Generation 7", "running"}, {"Undone: the fill"}, 41),
              QStringList{"Generation 7 · running · Undone: the fill"});
    EXPECT_EQ(laid(kItems, {"Undone: the fill"}, 38),
              (QStringList{"Generation 7 · running · cats 40", "pace 0 ms · seed 11 · Undone: the fill"}));
    // It does not: the items take the first line, cut short, the notice the
    // second.
    EXPECT_EQ(laid(kItems, {"Undone: the fill", "disk full"}, 34),
              (QStringList{"Generation 7 · running · cats 40…", "Undone: the fill · disk full"}));
}

TEST(ShownRate, CountsTheGenerationsOfAboutTheLastSecond) {
    ShownRate rate;
    EXPECT_FALSE(rate.perSecond().has_value());
    rate.shown(1000);
    EXPECT_FALSE(rate.perSecond().has_value());
    // 40 a second for two seconds: only the last second counts.
    for (int i = 1; i <= 80; ++i) {
        rate.shown(1000 + i * 25);
    }
    EXPECT_DOUBLE_EQ(*rate.perSecond(), 40.0);
    // Then one every two seconds: the latest two still tell it.
    rate.shown(5000);
    rate.shown(7000);
    EXPECT_DOUBLE_EQ(*rate.perSecond(), 0.5);
    rate.clear();
    EXPECT_FALSE(rate.perSecond().has_value());
}

}  // namespace
