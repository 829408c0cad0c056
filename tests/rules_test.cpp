// Rules other than the standard ones: a board of any size keeps the torus and
// the sight slots, the timers and the fill follow their numbers, and bad
// values are refused.

#include <algorithm>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "behaviour/orientation.h"
#include "model/board.h"
#include "model/model.h"
#include "model/rules.h"
#include "model/trace.h"
#include "platform/random.h"
#include "support/captured_trace.h"

namespace {

// Worked out by hand on a board of 3 rows and 4 columns, square = row x 4 +
// column: the square at row 0, column 0 facing heading 1 (the next row).
TEST(Rules, AThreeByFourBoardIsATorusWithEightNeighboursAndTheLetteredSightSlots) {
    Rules rules;
    ASSERT_FALSE(setSize(rules, "3x4"));
    Board squares(rules.width, rules.height);
    Model model;
    model.rules = rules;
    model.setUpLattice(squares);
    ASSERT_EQ(model.lattice->siteCount(), 12u);

    model.current = 0;
    squares[0].kind = kCat;
    squares[0].direction = 1;
    deriveLookSlots(squares[0]);
    const auto seen = [&](int slot) { return &model.lookAt(slot) - squares.data(); };
    EXPECT_EQ(seen(kFront), 4);        // row 1, column 0
    EXPECT_EQ(seen(kFrontRight), 5);   // row 1, column 1
    EXPECT_EQ(seen(kFrontLeft), 7);    // row 1, column 3: across the edge
    EXPECT_EQ(seen(kRight), 1);
    EXPECT_EQ(seen(kLeft), 3);
    EXPECT_EQ(seen(kBack), 8);         // row 2: across the other edge
    EXPECT_EQ(seen(kBackRight), 9);
    EXPECT_EQ(seen(kBackLeft), 11);

    // A pass draws every square once, and only squares of the board.
    model.generator().seed(7);
    std::vector<std::uint32_t> drawn;
    for (int draw = 0; draw < 12; ++draw) {
        drawn.push_back(model.drawSquare());
    }
    std::sort(drawn.begin(), drawn.end());
    std::vector<std::uint32_t> every(12);
    std::iota(every.begin(), every.end(), 0u);
    EXPECT_EQ(drawn, every);
}

// Beyond 32768 squares, 15-bit draws cannot reach every square: the order
// is shuffled instead, and is still every square once.
TEST(Rules, TimersEndOnTheVisitTheirRuleNames) {
    Rules rules;
    ASSERT_FALSE(setRule(rules, "hatch=2"));
    ASSERT_FALSE(setRule(rules, "mating=1"));
    Board squares(rules.width, rules.height);
    Model model;
    model.rules = rules;
    model.setUpLattice(squares);
    clearBoard(squares);
    squares[0].kind = kLizard1;
    squares[0].juvenile = 1;
    squares[50].kind = kLizard2;
    squares[50].mating = 1;

    CapturedTrace trace(model);
    model.current = 0;
    model.lizardTurn();
    EXPECT_EQ(squares[0].juvenile, 1);
    EXPECT_NE(trace.text().find("todavia estoy chico edad = 0\n"), std::string::npos);
    model.current = 0;
    model.lizardTurn();
    EXPECT_EQ(squares[0].juvenile, 0) << "an egg that hatches on its second visit";

    model.current = 50;
    model.lizardTurn();
    EXPECT_EQ(squares[50].mating, 0) << "a mating that ends on its first visit";
}

TEST(Rules, AFillWithOnlyCatsFillsEverySquareWithACat) {
    Rules rules;
    ASSERT_FALSE(setRule(rules, "fill=0:0:0:100"));
    Board squares(rules.width, rules.height);
    trace::setSink(nullptr);
    fillBoard(squares, 12345, rules);
    trace::setSink(stdout);
    EXPECT_TRUE(std::all_of(squares.begin(), squares.end(), [](const CellState& cell) { return cell.kind == kCat; }));

    // A draw of 100 goes to the last kind with a share: none where cats have none.
    ASSERT_FALSE(setRule(rules, "fill=50:25:25:0"));
    EXPECT_EQ(rules.kindForPercent(100), kLizard2);
    EXPECT_EQ(Rules{}.kindForPercent(100), kCat);
    EXPECT_EQ(Rules{}.kindForPercent(59), kEmpty);
    EXPECT_EQ(Rules{}.kindForPercent(60), kLizard1);
    EXPECT_EQ(Rules{}.kindForPercent(89), kLizard2);
}

TEST(Rules, BadValuesAreRefusedAndLeaveTheRulesAsTheyWere) {
    Rules rules;
    for (const char* size : {"1x5", "5000x5000", "20", "20x", "x20", "2001x2000", "20x-3"}) {
        EXPECT_TRUE(setSize(rules, size)) << size;
    }
    EXPECT_FALSE(setSize(rules, "2000x2000"));
    EXPECT_FALSE(setSize(rules, "2x2"));
    for (const char* rule : {"hatch=0", "hatch=1001", "meal=", "mating", "fill=50:20:20:20", "fill=60:15:15",
                             "fill=60:15:15:10:0", "speed=3", "hatch=2.5"}) {
        const Rules before = rules;
        EXPECT_TRUE(setRule(rules, rule)) << rule;
        EXPECT_EQ(rules, before) << rule;
    }
    ASSERT_FALSE(setRule(rules, "meal=5"));
    ASSERT_FALSE(setSize(rules, "37x53"));
    EXPECT_EQ(differences(rules), "37x53 meal=5");
    EXPECT_EQ(differences(Rules{}), "");
}

TEST(Rules, WhatDiffersFromTheStandardIsTheSizeThenTheRulesInTheirListedOrder) {
    Rules rules;
    ASSERT_FALSE(setRule(rules, "fill=0:0:0:100"));
    ASSERT_FALSE(setRule(rules, "hatch=2"));
    ASSERT_FALSE(setRule(rules, "mating=3"));  // the standard value: no difference
    ASSERT_FALSE(setSize(rules, "20x21"));     // one side is enough
    const RuleDifferences differing = differencesFromStandard(rules);
    EXPECT_EQ(differing.size, "20x21");
    using Rule = std::pair<std::string_view, std::string>;
    EXPECT_EQ(differing.rules, (std::vector<Rule>{{"hatch", "2"}, {"fill", "0:0:0:100"}}));
    EXPECT_EQ(differences(rules), "20x21 hatch=2 fill=0:0:0:100");

    ASSERT_FALSE(setSize(rules, "20x20"));
    EXPECT_EQ(differencesFromStandard(rules).size, std::nullopt);
    EXPECT_EQ(differences(rules), "hatch=2 fill=0:0:0:100");
    EXPECT_TRUE(differencesFromStandard(Rules{}).rules.empty());
}

}  // namespace
