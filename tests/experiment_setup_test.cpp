// The experiment dialog's checks: a field vivar-sim would refuse, an empty
// list, a setting twice or too many runs is told where it is, and a table
// file is held against the experiment it would go on with.

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/system.h"
#include "studies/experiment_table.h"
#include "view/experiment_setup.h"

namespace {

ExperimentFields hatchOneToTen() {
    ExperimentFields fields;
    fields.settings = {"hatch", ""};
    fields.values = {"1:10:1", ""};
    fields.firstSeed = "1";
    fields.lastSeed = "20";
    return fields;
}

TEST(ExperimentSetup, FieldsThatVivarSimTakesGiveTheSetupAndItsRuns) {
    const ExperimentCheck check = checkExperiment(Rules{}, hatchOneToTen());
    ASSERT_TRUE(check.setup);
    EXPECT_EQ(check.runCount, 200U);
    ASSERT_EQ(check.setup->variations.size(), 1U);
    EXPECT_EQ(check.setup->variations[0].values.size(), 10U);
    EXPECT_EQ(check.setup->seeds.first, 1U);
    EXPECT_EQ(check.setup->seeds.last, 20U);
}

TEST(ExperimentSetup, AValueVivarSimRefusesOrAnEmptyListIsToldBesideItsRow) {
    for (const char* values : {"0,3", "", "2,,3", "3:1:1", "1:1001:1"}) {
        ExperimentFields fields = hatchOneToTen();
        fields.values[0] = values;
        const ExperimentCheck check = checkExperiment(Rules{}, fields);
        EXPECT_FALSE(check.setup) << values;
        EXPECT_FALSE(check.rows[0].isEmpty()) << values;
        EXPECT_TRUE(check.rows[1].isEmpty()) << values;
    }
    ExperimentFields fields = hatchOneToTen();
    fields.settings[1] = "size";
    fields.values[1] = "1";
    const ExperimentCheck check = checkExperiment(Rules{}, fields);
    EXPECT_FALSE(check.setup);
    EXPECT_TRUE(check.rows[0].isEmpty());
    EXPECT_FALSE(check.rows[1].isEmpty());
}

TEST(ExperimentSetup, TheSameSettingInBothRowsIsTold) {
    ExperimentFields fields = hatchOneToTen();
    fields.settings[1] = "hatch";
    fields.values[1] = "2";
    const ExperimentCheck check = checkExperiment(Rules{}, fields);
    EXPECT_FALSE(check.setup);
    EXPECT_FALSE(check.rows[1].isEmpty());
}

TEST(ExperimentSetup, SeedsOutOfRangeOrReversedAreTold) {
    for (const auto& [first, last] : {std::pair{"5", "4"}, std::pair{"-1", "4"}, std::pair{"1", "4294967296"},
                                      std::pair{"", "3"}, std::pair{"1", "x"}}) {
        ExperimentFields fields = hatchOneToTen();
        fields.firstSeed = first;
        fields.lastSeed = last;
        const ExperimentCheck check = checkExperiment(Rules{}, fields);
        EXPECT_FALSE(check.setup) << first << ":" << last;
        EXPECT_FALSE(check.seeds.isEmpty()) << first << ":" << last;
    }
}

TEST(ExperimentSetup, AMillionRunsAreTakenOnAndOneMoreIsTold) {
    ExperimentFields fields = hatchOneToTen();
    fields.values[0] = "1:1000:1";
    fields.firstSeed = "1";
    fields.lastSeed = "1000";
    const ExperimentCheck most = checkExperiment(Rules{}, fields);
    ASSERT_TRUE(most.setup);
    EXPECT_EQ(most.runCount, kMostRunsInWindow);
    fields.lastSeed = "1001";
    const ExperimentCheck over = checkExperiment(Rules{}, fields);
    EXPECT_FALSE(over.setup);
    EXPECT_FALSE(over.runs.isEmpty());
}

TEST(ExperimentSetup, NothingVariedIsTold) {
    ExperimentFields fields = hatchOneToTen();
    fields.settings[0] = "";
    const ExperimentCheck check = checkExperiment(Rules{}, fields);
    EXPECT_FALSE(check.setup);
    EXPECT_FALSE(check.runs.isEmpty());
}

class ExperimentTableFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vivar-experiment-setup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path write(const std::string& text) {
        const std::filesystem::path path = folder_ / "table.csv";
        std::FILE* file = platform::openFile(path, "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        return path;
    }
    std::filesystem::path folder_;
};

TEST_F(ExperimentTableFile, AMissingFileIsANewTable) {
    const ExperimentCheck check = checkExperiment(Rules{}, hatchOneToTen());
    const TableFound found = examineTable(folder_ / "none.csv", *check.setup);
    EXPECT_TRUE(found.problem.isEmpty());
    EXPECT_EQ(found.runs, 0U);
}

TEST_F(ExperimentTableFile, ATableOfThisExperimentCutShortIsGoneOnWithFromItsWholeRuns) {
    const ExperimentCheck check = checkExperiment(Rules{}, hatchOneToTen());
    // Two whole rows of hatch=1, seeds 1 and 2, then a row cut short.
    const std::string row = "20x20,1,3,3,60:15:15:10,";
    const std::string rest = ",100,17,198,140,4,4,37,,\n";
    const TableFound found = examineTable(
        write(tableHeader(true) + "\n" + row + "1" + rest + row + "2" + rest + row + "3,10"), *check.setup);
    EXPECT_TRUE(found.problem.isEmpty()) << found.problem.toStdString();
    EXPECT_EQ(found.runs, 2U);
}

TEST_F(ExperimentTableFile, AnotherExperimentsTableOrAnotherFileIsRefusedNamingItsLine) {
    const ExperimentCheck check = checkExperiment(Rules{}, hatchOneToTen());
    const std::string other = tableHeader(true) + "\n20x20,2,3,3,60:15:15:10,1,100,17,198,140,4,4,37,,\n";
    const TableFound found = examineTable(write(other), *check.setup);
    EXPECT_EQ(found.runs, 0U);
    EXPECT_TRUE(found.problem.contains(QStringLiteral("line 2"))) << found.problem.toStdString();
    EXPECT_FALSE(examineTable(write("a letter\n"), *check.setup).problem.isEmpty());
}

TEST(ExperimentSetup, APointsSettingsAreItsRules) {
    const std::optional<Rules> rules = rulesOfPoint({"7x31", "2", "4", "6", "50:20:20:10"});
    ASSERT_TRUE(rules);
    EXPECT_EQ(rules->width, 7);
    EXPECT_EQ(rules->height, 31);
    EXPECT_EQ(rules->hatch, 2);
    EXPECT_EQ(rules->mating, 4);
    EXPECT_EQ(rules->meal, 6);
    EXPECT_EQ(rules->fill, (std::array<int, 4>{50, 20, 20, 10}));
    EXPECT_FALSE(rulesOfPoint({"20x20", "0", "3", "3", "60:15:15:10"}));
}

}  // namespace
