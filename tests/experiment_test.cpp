// Experiments: the values a --vary reads, the order of the combinations and
// seeds, the parts that split the runs, and the rules each run gets.

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/seeded_run.h"
#include "studies/experiment.h"
#include "studies/sweep.h"

namespace {

std::vector<std::string> valuesRead(std::string_view text) {
    Variation variation;
    const std::optional<std::string> problem = readVariation(text, variation);
    EXPECT_FALSE(problem) << *problem;
    return variation.values;
}

TEST(Experiment, AVariationReadsListsAndRangesAsRuleAndSizeValues) {
    EXPECT_EQ(valuesRead("hatch=2,05,9"), (std::vector<std::string>{"2", "5", "9"}));
    EXPECT_EQ(valuesRead("meal=1:10:4"), (std::vector<std::string>{"1", "5", "9"}));
    EXPECT_EQ(valuesRead("size=20:60:20"), (std::vector<std::string>{"20x20", "40x40", "60x60"}));
    EXPECT_EQ(valuesRead("size=3x4,37x53"), (std::vector<std::string>{"3x4", "37x53"}));
    EXPECT_EQ(valuesRead("fill=0:0:0:100,60:15:15:10"), (std::vector<std::string>{"0:0:0:100", "60:15:15:10"}));
}

TEST(Experiment, AVariationWithAValueItsRuleRefusesIsRefusedWhole) {
    for (const char* text : {"hatch=0,3", "hatch=3:1:1", "hatch=1:5:0", "mating=1:1001:500", "size=1:3:1",
                             "size=20x20,1x5", "fill=50:20:20:20", "fill=0:100:1", "colour=1,2", "hatch", "meal=",
                             "hatch=2,,3"}) {
        Variation variation{"kept", {"as it was"}};
        const std::optional<std::string> problem = readVariation(text, variation);
        ASSERT_TRUE(problem) << text;
        EXPECT_EQ(problem->find('\n'), std::string::npos) << *problem;
        EXPECT_EQ(variation.name, "kept");
    }
    // Named as typed, once: not after the option a single value takes.
    for (const auto& [text, start] : {std::pair<const char*, const char*>{"size=3y", "--vary size needs WxH"},
                                      {"hatch=0", "--vary hatch needs a whole number"},
                                      {"fill=1:2", "--vary fill needs four whole percentages"}}) {
        Variation variation;
        const std::optional<std::string> problem = readVariation(text, variation);
        ASSERT_TRUE(problem) << text;
        EXPECT_EQ(problem->rfind(start, 0), 0u) << *problem;
        EXPECT_EQ(problem->find("--rule"), std::string::npos) << *problem;
        EXPECT_EQ(problem->find("--size"), std::string::npos) << *problem;
    }
}

TEST(Experiment, ARangePastTheLargestValueSaysWhichIsTheLargest) {
    for (const auto& [text, said] : {std::pair<const char*, const char*>{"hatch=1:1000000000000:1",
                                                                          "the largest hatch is 1000"},
                                      {"meal=1:99999999999999999999999:1", "the largest meal is 1000"},
                                      {"size=2:2001:1", "the largest square board is 2000x2000"}}) {
        Variation variation;
        const std::optional<std::string> problem = readVariation(text, variation);
        ASSERT_TRUE(problem) << text;
        EXPECT_NE(problem->find(said), std::string::npos) << *problem;
    }
    // A step past every value leaves the first alone, and wraps nowhere.
    EXPECT_EQ(valuesRead("mating=5:6:18446744073709551615"), (std::vector<std::string>{"5"}));
    EXPECT_EQ(valuesRead("size=2000:2000:1"), (std::vector<std::string>{"2000x2000"}));
}

TEST(Experiment, RunsGoCombinationByCombinationTheFirstVariationSlowestThenSeed) {
    const Experiment experiment(Rules{}, {{"size", {"20x20", "3x4"}}, {"hatch", {"2", "7", "9"}}}, SeedRange{10, 11});
    EXPECT_EQ(experiment.runCount(), 12u);
    std::vector<std::string> order;
    for (std::uint64_t run = 0; run < 12; ++run) {
        order.push_back(experiment.valuesOf(run) + std::to_string(experiment.seedOf(run)));
    }
    // Every row names the size and every rule, in one order whatever the
    // order of the --vary options.
    EXPECT_EQ(rulesHeader(), "size,hatch,mating,meal,fill,");
    EXPECT_EQ(order, (std::vector<std::string>{
                         "20x20,2,3,3,60:15:15:10,10", "20x20,2,3,3,60:15:15:10,11", "20x20,7,3,3,60:15:15:10,10",
                         "20x20,7,3,3,60:15:15:10,11", "20x20,9,3,3,60:15:15:10,10", "20x20,9,3,3,60:15:15:10,11",
                         "3x4,2,3,3,60:15:15:10,10", "3x4,2,3,3,60:15:15:10,11", "3x4,7,3,3,60:15:15:10,10",
                         "3x4,7,3,3,60:15:15:10,11", "3x4,9,3,3,60:15:15:10,10", "3x4,9,3,3,60:15:15:10,11"}));
    const Rules rules = experiment.rulesOf(9);  // 3x4, hatch 7, seed 11
    EXPECT_EQ(rules.width, 3);
    EXPECT_EQ(rules.height, 4);
    EXPECT_EQ(rules.hatch, 7);
    EXPECT_EQ(rules.meal, Rules{}.meal);
}

TEST(Experiment, TheVariedRulesReplaceTheBaseOnesAndTheOthersStay) {
    Rules base;
    base.meal = 8;
    base.hatch = 4;
    const Experiment experiment(base, {{"hatch", {"1"}}}, SeedRange{1, 1});
    EXPECT_EQ(experiment.rulesOf(0).hatch, 1);
    EXPECT_EQ(experiment.rulesOf(0).meal, 8);
}

TEST(Experiment, TooManyRunsToCountAreToldNotWrappedAround) {
    const Variation thousand{"hatch", std::vector<std::string>(1000, "1")};
    const Experiment experiment(Rules{}, {thousand, thousand, thousand, thousand}, SeedRange{0, 4294967295});
    EXPECT_FALSE(experiment.runCount());
}

TEST(Experiment, PartsFollowEachOtherCoverEveryRunAndDifferByAtMostOne) {
    for (const auto& [count, parts] : {std::pair<std::uint64_t, std::uint64_t>{180, 2}, {180, 7}, {3, 5}, {1, 1}}) {
        std::uint64_t next = 0;
        for (std::uint64_t part = 1; part <= parts; ++part) {
            const RunSpan span = partOfRuns(count, part, parts);
            EXPECT_EQ(span.first, next);
            EXPECT_LE(span.end - span.first, count / parts + 1);
            EXPECT_GE(span.end - span.first, count / parts);
            next = span.end;
        }
        EXPECT_EQ(next, count);
    }
    const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(partOfRuns(most, 3, 3).end, most);
}

TEST(Experiment, EachRunOfASweepGetsABoardUnderItsOwnRules) {
    std::string output;
    const Experiment experiment(Rules{}, {{"size", {"3x4", "5x5"}}, {"hatch", {"2", "6"}}}, SeedRange{1, 3});
    sweepRuns(
        12, 2, [&](std::uint64_t run) { return experiment.rulesOf(run); },
        [&](SeededRun& run, std::uint64_t index, std::string& text) {
            text = std::to_string(run.squares().width()) + "x" + std::to_string(run.squares().height()) + "," +
                   rulesFields(run.rules()) + std::to_string(experiment.seedOf(index)) + ",";
        },
        [&](std::string_view text, std::uint64_t) { output += text; });
    std::string expected;
    for (std::uint64_t run = 0; run < 12; ++run) {
        expected += sizeText(experiment.rulesOf(run)) + "," + experiment.valuesOf(run) +
                    std::to_string(experiment.seedOf(run)) + ",";
    }
    EXPECT_EQ(output, expected);
}

}  // namespace
