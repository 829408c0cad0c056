// What the user steers in the window beyond play and stop, without a window:
// the pace, a fixed seed, the counts file, and the chart's history.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/population_history.h"
#include "app/run_session.h"
#include "app/steering.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/packed_board.h"
#include "model/census.h"
#include "model/model.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/random.h"

namespace {

RunOptions withPace(int milliseconds) {
    RunOptions options;
    options.paceMilliseconds = milliseconds;
    return options;
}

TEST(Pace, FasterAndSlowerStepThroughTheLadderAndStopAtItsEnds) {
    Steering steering(withPace(900));
    steering.faster();
    EXPECT_EQ(steering.pace(), 400);
    steering.slower();
    steering.slower();
    EXPECT_EQ(steering.pace(), 1500);

    Steering between(withPace(250));  // a pace from the command line, off the ladder
    between.faster();
    EXPECT_EQ(between.pace(), 200);
    Steering between2(withPace(250));
    between2.slower();
    EXPECT_EQ(between2.pace(), 400);

    Steering fastest(withPace(0));
    fastest.faster();
    EXPECT_EQ(fastest.pace(), 0);
    Steering slowest(withPace(10000));
    slowest.slower();
    EXPECT_EQ(slowest.pace(), 10000);
}

// Far slower than the window allows: a pause that waited it out would hang
// the test rather than pass it.
constexpr int kAnHour = 3'600'000;

// Runs `pauses` on a thread of its own, so that a pause that never ends
// fails the test rather than hanging it; that thread is then left running,
// with what it uses.
std::future<void> started(std::function<void()> pauses) {
    std::packaged_task<void()> task(std::move(pauses));
    std::future<void> ended = task.get_future();
    std::thread(std::move(task)).detach();
    return ended;
}
constexpr auto kLongEnough = std::chrono::minutes(1);

TEST(Pace, AQuitEndsThePauseUnderWayAndEveryPauseAfterIt) {
    quitFlag = false;
    auto* steering = new Steering(withPace(kAnHour));
    std::future<void> underWay = started([steering] { steering->pause(Model::kShowPause); });
    quitFlag = true;
    steering->wake();
    ASSERT_EQ(underWay.wait_for(kLongEnough), std::future_status::ready);
    std::future<void> after = started([steering] {
        steering->pause(Model::kShowPause);
        steering->pause(Model::kStoppedPoll);
    });
    ASSERT_EQ(after.wait_for(kLongEnough), std::future_status::ready);
    quitFlag = false;
    delete steering;
}

int firstDrawAfterSeeding(std::uint32_t seed) {
    platform::srand(seed);
    return platform::rand();
}

TEST(FixedSeed, GenerationKAfterAFillIsSeededWithSeedPlusKAndWithoutOneTheClockSeedIsLeftAlone) {
    // Near the top, so that the sum wraps as the generator's seed does.
    RunSession session(4294967290u, Rules{});
    Steering steering{RunOptions{}};
    Model model;
    steering.steer(model, session);
    session.generationShown(1, board, Census{});
    session.generationShown(2, board, Census{});
    model.beforeGeneration();
    const int third = platform::rand();
    EXPECT_EQ(third, firstDrawAfterSeeding(4294967293u));

    RunSession clocked(std::nullopt, Rules{});
    steering.steer(model, clocked);
    platform::srand(77);
    model.beforeGeneration();
    const int drawn = platform::rand();
    EXPECT_EQ(drawn, firstDrawAfterSeeding(77));
}

std::string contentsOf(const std::string& fileName) {
    std::ifstream in(fileName);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CountsFile, AFolderThatDoesNotExistIsReported) {
    RunSession session(std::nullopt, Rules{});
    EXPECT_TRUE(session.openCounts("/nonexistent/folder/counts.csv").has_value());
}

TEST(PopulationHistory, StaysBoundedOverALongRunKeepingTheFirstAndLatestPointsInOrder) {
    PopulationHistory history;
    Census census;
    for (int generation = 0; generation <= 100000; ++generation) {
        census.cats = generation % 7;
        history.add(generation, census);
        ASSERT_LE(history.points().size(), PopulationHistory::kCapacity);
    }
    const auto& points = history.points();
    EXPECT_GE(points.size(), PopulationHistory::kCapacity / 2);
    EXPECT_EQ(points.front().generation, 0);
    EXPECT_EQ(points.back().generation, 100000);
    EXPECT_EQ(points.back().counts[PopulationHistory::kCats], 100000 % 7);
    for (std::size_t i = 1; i < points.size(); ++i) {
        ASSERT_LT(points[i - 1].generation, points[i].generation);
    }
}

TEST(PopulationHistory, ReportsWhenItThinsSoTheChartIsRedrawn) {
    PopulationHistory history;
    for (std::size_t generation = 0; generation < PopulationHistory::kCapacity; ++generation) {
        ASSERT_FALSE(history.add(static_cast<std::int64_t>(generation), Census{}));
    }
    EXPECT_TRUE(history.add(static_cast<std::int64_t>(PopulationHistory::kCapacity), Census{}));
    EXPECT_EQ(history.points().size(), PopulationHistory::kCapacity / 2 + 1);
}

// The window's notice agrees with vivar-sim's summary on a run where both
// species die out early.
TEST(PopulationHistory, TellsWhenEachSpeciesDiedOutAsTheSummaryDoes) {
    constexpr std::uint64_t kSeed = 16;
    constexpr std::int64_t kGenerations = 60;
    std::string summary;
    SeededRun run;
    appendSummaryOfRun(summary, run, kSeed, kGenerations);
    EXPECT_EQ(summary, "16,60,351,0,0,0,0,49,34,31\n");

    PopulationHistory history;
    run.start(kSeed);
    for (std::int64_t generation = 0; generation <= kGenerations; ++generation) {
        if (generation > 0) {
            run.step();
        }
        history.add(generation, run.census());
        if (generation == 30) {
            EXPECT_FALSE(history.diedOutAt(0) || history.diedOutAt(1));
        }
    }
    EXPECT_EQ(history.diedOutAt(0), 34);
    EXPECT_EQ(history.diedOutAt(1), 31);

    // A cleared board had no lizards to lose.
    history.clear();
    for (std::int64_t generation = 0; generation < 5; ++generation) {
        history.add(generation, Census{});
    }
    EXPECT_FALSE(history.diedOutAt(0) || history.diedOutAt(1));
}

}  // namespace

namespace {

// The window's run with seeds from a clock, through the session as the model
// thread and the view drive it: the model seeds from the clock, the session
// may put a recorded state in its place, the view records what it shows.
struct SteeredRun {
    RunSession session{std::nullopt, Rules{}};
    Steering steering{RunOptions{}};
    Model model;
    std::uint32_t clock = 1765000000;
    // Of its own test: tests may run at once, in processes of their own.
    std::string counts = testing::TempDir() + "vivar-session-" +
                         testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";

    SteeredRun() {
        std::remove(counts.c_str());
        std::remove(sibling(2).c_str());
        // As the window's model draws from its thread's generator, which the
        // steering seeds.
        model.drawFrom(platform::threadGenerator());
        model.setUpLattice();
        steering.steer(model, session);
        EXPECT_FALSE(session.openCounts(counts).has_value());
        const Board empty = board;
        clearBoard();
        fillBoard(board, 7);
        session.restart(RunSession::Change::kFill, PackedBoard(empty), board, Rules{}, {});
    }
    ~SteeredRun() {
        std::remove(counts.c_str());
        std::remove(sibling(2).c_str());
    }
    [[nodiscard]] std::string sibling(int number) const {
        return counts.substr(0, counts.size() - 4) + "-" + std::to_string(number) + ".csv";
    }
    void step() {
        session.movingOn(board);
        clock += 3;
        platform::srand(clock);
        model.beforeGeneration();
        model.computeGeneration();
        session.generationShown(model.generationSeed(), board, takeCensus(board));
    }
    void goTo(std::int64_t generation) {
        const Board rebuilt = session.history().rebuild(generation).board;
        std::copy(rebuilt.begin(), rebuilt.end(), board.begin());
        session.wentTo(generation);
    }
    // As the window does: the board it shows keeps its place, which the
    // model's torus points into.
    std::optional<RunSession::Done> undo(bool undoing = true) {
        Board squares = board;
        auto done = undoing ? session.undo(squares) : session.redo(squares);
        std::copy(squares.begin(), squares.end(), board.begin());
        return done;
    }
    void edit(int square) {
        const CellState before = board[static_cast<std::size_t>(square)];
        board[static_cast<std::size_t>(square)].kind = before.kind == kCat ? kEmpty : kCat;
        session.edit(square, before, board);
    }
};

// The counts file of a run whose generations from 0 on had these censuses,
// as vivar-sim prints it.
std::string countsOf(const std::vector<Census>& censuses) {
    std::FILE* file = std::tmpfile();
    printCountsHeader(file);
    for (std::size_t k = 0; k < censuses.size(); ++k) {
        printCountsRow(file, static_cast<std::int64_t>(k), censuses[k]);
    }
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

TEST(RunSession, AnEditInThePastKeepsTheFutureUntilTheRunMovesOnAndUndoBringsItBackExactly) {
    trace::setSink(nullptr);
    SteeredRun run;
    std::vector<Board> boards{board};
    std::vector<Census> censuses{takeCensus(board)};
    for (int k = 1; k <= 200; ++k) {
        run.step();
        boards.push_back(board);
        censuses.push_back(takeCensus(board));
    }
    const std::string whole = countsOf(censuses);
    ASSERT_EQ(contentsOf(run.counts), whole);

    // Going back writes nothing; an edit keeps the recorded future.
    run.goTo(50);
    EXPECT_EQ(contentsOf(run.counts), whole);
    run.edit(0);
    EXPECT_TRUE(run.session.edited());
    EXPECT_EQ(run.session.history().latest(), 200);
    const Board edited = board;

    // Moving on: generation 51 from the edited board, a counts file of its own.
    Board expected = edited;
    Model model;
    model.setUpLattice(expected);
    model.generator().seed(run.clock + 3);
    model.computeGeneration();
    run.step();
    EXPECT_TRUE(board.sameAs(expected));
    EXPECT_EQ(run.session.history().latest(), 51);
    EXPECT_EQ(contentsOf(run.counts), whole);
    std::vector<Census> branch(censuses.begin(), censuses.begin() + 51);
    branch.push_back(takeCensus(board));
    EXPECT_EQ(contentsOf(run.sibling(2)), countsOf(branch));
    EXPECT_EQ(run.session.takeNewCountsFile().value_or(RunSession::NewCountsFile{}).name, run.sibling(2));

    // Undone: generation 50 as recorded, "of 200" again, and a step replays 51.
    ASSERT_TRUE(run.undo().has_value());
    EXPECT_EQ(run.session.generation(), 50);
    EXPECT_EQ(run.session.history().latest(), 200);
    EXPECT_FALSE(run.session.edited());
    EXPECT_TRUE(board.sameAs(boards[50]));
    run.step();
    EXPECT_TRUE(board.sameAs(boards[51]));
    EXPECT_EQ(contentsOf(run.counts), whole);

    // Redone: the edited run as it was, at generation 51 of 51.
    run.goTo(50);
    ASSERT_TRUE(run.undo(false).has_value());
    EXPECT_EQ(run.session.generation(), 51);
    EXPECT_EQ(run.session.history().latest(), 51);
    EXPECT_TRUE(board.sameAs(expected));
    trace::setSink(stdout);
}

TEST(RunSession, AFillIsUndoneToTheRunBeforeWithItsHistoryAndItsCountsFile) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 30; ++k) {
        run.step();
    }
    const Board thirty = board;
    const std::string counts = contentsOf(run.counts);
    const Board before = board;
    clearBoard();
    run.session.restart(RunSession::Change::kClear, PackedBoard(before), board, Rules{}, {});
    run.step();
    EXPECT_EQ(run.session.generation(), 1);
    EXPECT_EQ(contentsOf(run.counts), counts);  // the cleared run writes its own file

    ASSERT_EQ(run.undo()->change, RunSession::Change::kClear);
    EXPECT_TRUE(board.sameAs(thirty));
    EXPECT_EQ(run.session.generation(), 30);
    run.goTo(10);
    EXPECT_EQ(run.session.history().latest(), 30);
    // Played on, the run before writes on in its own file.
    run.goTo(30);
    run.step();
    const std::string after = contentsOf(run.counts);
    EXPECT_EQ(after.substr(0, counts.size()), counts);
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), 1 + 32);
    trace::setSink(stdout);
}

}  // namespace

namespace {

TEST(RunSession, AnEditAtTheLatestGenerationWaitsAndTheRunGoesOnFromTheEditedBoard) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 10; ++k) {
        run.step();
    }
    const Board recorded = board;
    run.edit(0);
    EXPECT_TRUE(run.session.edited());
    // Until the run moves on, the history holds generation 10 as it was made.
    EXPECT_TRUE(run.session.history().rebuild(10).board.sameAs(recorded));

    Board expected = board;
    Model model;
    model.setUpLattice(expected);
    model.generator().seed(run.clock + 3);
    model.computeGeneration();
    run.step();
    EXPECT_TRUE(board.sameAs(expected));
    // Going back and on again shows the edited run, as the counts file has it.
    run.goTo(10);
    EXPECT_EQ(board[0].kind, recorded[0].kind == kCat ? kEmpty : kCat);
    run.goTo(11);
    EXPECT_TRUE(board.sameAs(expected));
    EXPECT_FALSE(run.session.takeNewCountsFile().has_value());
    const std::string counts = contentsOf(run.counts);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), '\n'), 1 + 12);

    ASSERT_EQ(run.undo()->change, RunSession::Change::kEdit);
    EXPECT_EQ(run.session.generation(), 10);
    EXPECT_TRUE(board.sameAs(recorded));
    trace::setSink(stdout);
}

TEST(RunSession, TrimmingTheChangesKeepsEveryEditThatWaitsSoThatTheRunMovesOnThroughIt) {
    trace::setSink(nullptr);
    SteeredRun run;
    for (int k = 1; k <= 20; ++k) {
        run.step();
    }
    run.goTo(10);
    const Board recorded = board;
    run.edit(0);
    Rules rules;
    for (std::size_t change = 0; change < RunSession::kMostChanges + 10; ++change) {
        rules.hatch = 2 + static_cast<int>(change % 5);
        run.session.chooseRules(rules);
    }
    run.step();
    EXPECT_FALSE(run.session.edited());
    EXPECT_EQ(run.session.history().latest(), 11);
    // The rule changes, then the edit, come back off.
    for (std::size_t change = 0; change < RunSession::kMostChanges + 10; ++change) {
        ASSERT_EQ(run.undo()->change, RunSession::Change::kRules);
    }
    ASSERT_EQ(run.undo()->change, RunSession::Change::kEdit);
    EXPECT_TRUE(board.sameAs(recorded));
    EXPECT_EQ(run.session.history().latest(), 20);
    trace::setSink(stdout);
}

// A counts file named on the command line that already holds rows.
struct NamedCounts {
    std::string path = testing::TempDir() + "vivar-named-" +
                       testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";
    std::string sibling = path.substr(0, path.size() - 4) + "-2.csv";
    explicit NamedCounts(const std::string& rows) {
        std::remove(sibling.c_str());
        std::FILE* file = std::fopen(path.c_str(), "wb");
        printCountsHeader(file);
        std::fputs(rows.c_str(), file);
        std::fclose(file);
    }
    ~NamedCounts() {
        std::remove(path.c_str());
        std::remove(sibling.c_str());
    }
};

std::string rowOf(std::int64_t generation, const Census& census) {
    std::FILE* file = std::tmpfile();
    printCountsRow(file, generation, census);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

TEST(CountsFile, ARunFromABoardGoesOnWithTheRecordThatEndsAtItsBoardAndAnyOtherRecordIsLeftAsItIs) {
    Board squares(Rules{}.width, Rules{}.height);
    fillBoard(squares, 11);
    const Census census = takeCensus(squares);
    const std::string before = rowOf(39, Census{}) + rowOf(40, census);
    const RunSession::Start at40{40, std::nullopt, {}};
    {
        NamedCounts named(before);
        RunSession session(std::nullopt, Rules{});
        ASSERT_EQ(session.openCounts(named.path), std::nullopt);
        session.begin(squares, Rules{}, at40, true);
        session.generationShown(1, squares, census);
        EXPECT_EQ(contentsOf(named.path), std::string(kCountsHeader) + "\n" + before + rowOf(41, census));
        EXPECT_FALSE(session.takeNewCountsFile().has_value());
    }
    // A fill's run, or a board of another generation or populations, is
    // another run: its rows go beside the file, which is told.
    for (const bool opened : {false, true}) {
        NamedCounts named(opened ? rowOf(40, Census{}) : before);
        RunSession session(std::nullopt, Rules{});
        ASSERT_EQ(session.openCounts(named.path), std::nullopt);
        session.begin(squares, Rules{}, at40, opened);
        EXPECT_FALSE(std::filesystem::exists(named.sibling));  // nothing made before the first row
        session.generationShown(1, squares, census);
        EXPECT_EQ(contentsOf(named.path), std::string(kCountsHeader) + "\n" + (opened ? rowOf(40, Census{}) : before));
        EXPECT_EQ(contentsOf(named.sibling), std::string(kCountsHeader) + "\n" + rowOf(40, census) + rowOf(41, census));
        const auto told = session.takeNewCountsFile();
        ASSERT_TRUE(told.has_value());
        EXPECT_EQ(told->name, named.sibling);
        EXPECT_TRUE(told->namedHeldOthers);
    }
}

TEST(RunSession, ARunAtTheLastGenerationThatCanBeCountedGoesNoFurther) {
    RunSession session(std::nullopt, Rules{});
    session.begin(board, Rules{}, {board_file::kLargestGeneration, std::nullopt, {}}, true);
    EXPECT_TRUE(session.atLastGeneration());
    session.generationShown(1, board, Census{});
    EXPECT_EQ(session.generation(), board_file::kLargestGeneration);
    EXPECT_EQ(board_file::noRoomToRun(board_file::kLargestGeneration - 1, 1), std::nullopt);
    EXPECT_TRUE(board_file::noRoomToRun(board_file::kLargestGeneration, 1).has_value());
}

}  // namespace
