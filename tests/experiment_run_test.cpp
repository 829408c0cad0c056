// An experiment run in the background and its tally: the table a stop and a
// start again leave is the table of one run whole, and the counts per point
// are those of the rows.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "studies/experiment_run.h"
#include "studies/experiment_tally.h"
#include "support/file_text.h"

namespace {

std::string contents(const std::filesystem::path& path) { return contentsOf(path.string()); }

// A folder of the test's own, removed with what it holds.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "vivar-experiment-XXXXXX").string();
        path_ = mkdtemp(name.data()) != nullptr ? name : std::string();
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

ExperimentRun::Progress waitForEnd(const ExperimentRun& run) {
    for (;;) {
        const ExperimentRun::Progress progress = run.progress();
        if (progress.state != ExperimentRun::State::kRunning) {
            return progress;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

ExperimentSetup hatchOneAndFive() {
    ExperimentSetup setup;
    setup.rules.width = setup.rules.height = 24;
    setup.variations = {{"hatch", {"1", "5"}}};
    setup.seeds = {3, 62};
    setup.generations = 60;
    setup.jobs = 2;
    return setup;
}

TEST(ExperimentTally, CountsEachPointsOutcomesWithWilsonsIntervalAndTheSpreadsQuartiles) {
    ExperimentTally tally;
    const std::string rows =
        "size,hatch,mating,meal,fill,seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,"
        "species1_extinct_at,species2_extinct_at\n"
        "20x20,1,3,3,60:15:15:10,1,50,300,10,0,0,0,5,,40\n"
        "20x20,1,3,3,60:15:15:10,2,50,300,20,30,0,0,5,,\n"
        "20x20,2,3,3,60:15:15:10,1,50,300,0,0,0,0,5,12,7\n"
        "20x20,1,3,3,60:15:15:10,3,50,300,40,30,0,0,5,,\n"
        "20x20,1,3,3,60:15:15:10,4,50,3";  // cut short: left out
    for (const char c : rows) {  // byte by byte, as a file may come
        ASSERT_TRUE(tally.read(std::string_view(&c, 1)));
    }
    ASSERT_EQ(tally.end(), std::nullopt);
    ASSERT_EQ(tally.points().size(), 2U);
    EXPECT_EQ(tally.varied(), std::vector<std::size_t>{1});
    const Point& one = tally.points()[0];
    EXPECT_EQ(one.runs, 3U);
    EXPECT_EQ(one.bothSurvive, 2U);
    EXPECT_EQ(one.oneSurvives, 3U);
    EXPECT_DOUBLE_EQ(one.brownLizards.quantile(0.5), 20);
    EXPECT_DOUBLE_EQ(one.brownLizards.quantile(0.25), 15);  // between the first two, as numpy puts it
    EXPECT_DOUBLE_EQ(one.greenLizards.quantile(0.75), 30);
    EXPECT_EQ(one.seedsBothSurvive, (std::vector<std::uint64_t>{2, 3}));
    const Point& two = tally.points()[1];
    EXPECT_EQ(two.oneSurvives, 0U);
    EXPECT_DOUBLE_EQ(two.firstExtinction.quantile(0.5), 7);
    EXPECT_EQ(two.seedsNoneSurvives, std::vector<std::uint64_t>{1});

    // Wilson's interval for 0 of 10, 5 of 10 and 10 of 10 stays within 0 to 1.
    const auto [low0, high0] = Share{0, 10}.interval();
    EXPECT_DOUBLE_EQ(low0, 0.0);
    EXPECT_NEAR(high0, 0.2775, 1e-4);
    const auto [low5, high5] = Share{5, 10}.interval();
    EXPECT_NEAR(low5, 0.2366, 1e-4);
    EXPECT_NEAR(high5, 0.7634, 1e-4);
    const auto [low10, high10] = Share{10, 10}.interval();
    EXPECT_NEAR(low10, 0.7225, 1e-4);
    EXPECT_DOUBLE_EQ(high10, 1.0);
}

TEST(ExperimentTally, RefusesWhatIsNoSummaryTableNamingTheLine) {
    ExperimentTally counts;
    counts.read("size,hatch,mating,meal,fill,seed,generation,empty,lizard1,lizard2,egg1,egg2,cat\n");
    EXPECT_TRUE(counts.end()->starts_with("1: not a table of vivar-sim"));
    ExperimentTally shortRow;
    shortRow.read(
        "size,hatch,mating,meal,fill,seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,"
        "species1_extinct_at,species2_extinct_at\n20x20,1,3,3,60:15:15:10,1,50,300,10,0,0,0,5,,40\n20x20,1,3\n");
    EXPECT_TRUE(shortRow.end()->starts_with("3: 3 fields")) << *shortRow.end();
    EXPECT_TRUE(ExperimentTally().end()->starts_with("1: an empty file"));
}

TEST(ExperimentRun, AStoppedTableStartedAgainIsTheWholeTableAndItsTallyCountsEveryRun) {
    const TemporaryFolder folder;
    const ExperimentSetup setup = hatchOneAndFive();
    std::string problem;
    auto whole = ExperimentRun::start(setup, folder.path() / "whole.csv", problem);
    ASSERT_TRUE(whole) << problem;
    ASSERT_EQ(waitForEnd(*whole).state, ExperimentRun::State::kFinished);
    EXPECT_EQ(whole->tally().runs(), 120U);

    const std::filesystem::path table = folder.path() / "stopped.csv";
    auto first = ExperimentRun::start(setup, table, problem);
    ASSERT_TRUE(first) << problem;
    first->pause();
    first->stop();
    const ExperimentRun::Progress stopped = first->progress();
    EXPECT_EQ(stopped.state, ExperimentRun::State::kStopped);
    EXPECT_LT(stopped.done, stopped.total);
    first.reset();
    // A row cut short by a crash is dropped when it goes on.
    std::ofstream(table, std::ios::app | std::ios::binary) << "24x24,";

    auto again = ExperimentRun::start(setup, table, problem);
    ASSERT_TRUE(again) << problem;
    EXPECT_EQ(again->progress().done, stopped.done);
    ASSERT_EQ(waitForEnd(*again).state, ExperimentRun::State::kFinished);
    EXPECT_EQ(contents(table), contents(folder.path() / "whole.csv"));
    EXPECT_EQ(again->tally().runs(), 120U);

    // Another experiment's table is refused and left as it was.
    ExperimentSetup other = setup;
    other.variations = {{"hatch", {"1", "6"}}};
    EXPECT_FALSE(ExperimentRun::start(other, table, problem));
    EXPECT_NE(problem.find("not this command's table"), std::string::npos) << problem;
    EXPECT_EQ(contents(table), contents(folder.path() / "whole.csv"));
}

TEST(ExperimentRun, AWindowThatClosesEndsTheTableWholeAndSaysHowFarItGot) {
    const TemporaryFolder folder;
    ExperimentSetup setup = hatchOneAndFive();
    setup.seeds = {1, 4000};
    const std::filesystem::path table = folder.path() / "closed.csv";
    const std::filesystem::path said = folder.path() / "said.txt";
    // As in the window, the runs left under way end with the process, in a
    // process of the test's own.
    EXPECT_EXIT(
        {
            std::string problem;
            auto run = ExperimentRun::start(setup, table, problem);
            const std::optional<std::string> line = run ? run->endForClose() : std::nullopt;
            std::ofstream(said) << line.value_or(problem);
            std::_Exit(line ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    const std::string line = contents(said);
    EXPECT_NE(line.find("closed.csv"), std::string::npos) << line;
    // What it left is whole: the same experiment goes on with every run in it.
    std::string problem;
    auto again = ExperimentRun::start(setup, table, problem);
    ASSERT_TRUE(again) << problem;
    EXPECT_NE(line.find(std::to_string(again->progress().done) + " of 8000"), std::string::npos) << line;
}

TEST(ExperimentRun, TheCommandLineWritesTheSameTable) {
    ExperimentSetup setup = hatchOneAndFive();
    setup.rules.meal = 4;
    EXPECT_EQ(simCommandLine(setup, "runs.csv"),
              "vivar-sim --seeds 3:62 --vary hatch=1,5 --size 24x24 --rule meal=4 --generations 60 --jobs 2 "
              "--summary --resume runs.csv");
}

}  // namespace
