#include <algorithm>
#include <array>
#include <cstring>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "model/trace.h"
#include "platform/random.h"
#include "support/captured_trace.h"
#include "support/terrarium.h"

namespace {

using std::chrono::milliseconds;

class Turns : public Terrarium, public ::testing::Test {
protected:
    // Runs one creature's turn as the generation step would.
    void visit(int row, int column) {
        model.current = static_cast<std::uint32_t>(square(row, column));
        at(row, column).processed = 0;
        if (at(row, column).kind == kCat) {
            model.catTurn();
        } else {
            model.lizardTurn();
        }
    }
};

TEST_F(Turns, AHatchlingAgesFourTimesAndHatchesOnItsFifthVisit) {
    CellState& egg = placeEgg(5, 5, kLizard2);
    egg.direction = 3;
    egg.phase = 0;
    CapturedTrace trace(model);
    for (int age = 0; age <= 3; ++age) {
        trace.clear();
        visit(5, 5);
        EXPECT_EQ(trace.text(), "--------casilla con lagartija----------\n"
                                "soy juvenil\n"
                                "todavia estoy chico edad = " + std::to_string(age) + "\n"
                                "--------fin casilla con lagartija----------\n");
        EXPECT_EQ(egg.juvenile, 1);
        EXPECT_EQ(egg.direction, 3);
    }
    platform::Generator expected;
    expected.seed(2024);
    const Flag phase = expected.coin();
    const auto heading = expected.heading();
    model.generator().seed(2024);
    trace.clear();
    visit(5, 5);
    EXPECT_EQ(trace.text(), "--------casilla con lagartija----------\n"
                            "soy juvenil\n"
                            "--------fin casilla con lagartija----------\n");
    EXPECT_EQ(egg.juvenile, 0);
    EXPECT_EQ(egg.age, 0);
    EXPECT_EQ(egg.phase, phase);
    EXPECT_EQ(egg.direction, heading);
}

TEST_F(Turns, AMatingEndsOnTheThirdVisitWithoutLookingAround) {
    CellState& lizard = placeMating(5, 5, kLizard1, 2);
    lizard.phase = 0;
    lizard.lookSlots = {9, 9, 9, 9, 9, 9, 9, 9};
    place(6, 5, kCat, 5);  // in plain sight, were it looking
    CapturedTrace trace(model);
    const std::string counting = "--------casilla con lagartija----------\n"
                                 "-no eres juvenil-\n"
                                 "bicho apareandose\n"
                                 "-fin no eres juvenil-\n"
                                 "--------fin casilla con lagartija----------\n";
    visit(5, 5);
    visit(5, 5);
    EXPECT_EQ(lizard.mateTurns, 2);
    EXPECT_EQ(lizard.mating, 1);
    platform::Generator expected;
    expected.seed(77);
    const int heading = expected.heading();
    model.generator().seed(77);
    visit(5, 5);
    EXPECT_EQ(trace.text(), counting + counting + counting);
    EXPECT_EQ(lizard.mating, 0);
    EXPECT_EQ(lizard.mateTurns, 0);
    EXPECT_EQ(lizard.phase, 1);
    EXPECT_EQ(lizard.direction, heading);
    EXPECT_EQ(lizard.lookSlots[0], 9);
    EXPECT_EQ(at(5, 5).kind, kLizard1);
}

TEST_F(Turns, AMealEndsOnTheThirdVisitWithAFreshPhaseAndHeading) {
    CellState& cat = placeEatingCat(5, 5, 6, 0, 1);
    place(6, 5, kLizard1, 1);
    CapturedTrace trace(model);
    visit(5, 5);
    visit(5, 5);
    EXPECT_EQ(cat.eatTurns, 2);
    platform::Generator expected;
    expected.seed(31337);
    const Flag phase = expected.coin();
    const auto heading = expected.heading();
    model.generator().seed(31337);
    visit(5, 5);
    const std::string eating = "--------casilla con gato----------\n"
                               "-gato comiendo-\n"
                               "--------fin casilla con gato----------\n";
    EXPECT_EQ(trace.text(), eating + eating + eating);
    EXPECT_EQ(cat.eating, 0);
    EXPECT_EQ(cat.eatTurns, 0);
    EXPECT_EQ(cat.phase, phase);
    EXPECT_EQ(cat.direction, heading);
    EXPECT_EQ(cat.preyIsKind2, 1);  // left for the next catch to overwrite
    EXPECT_EQ(at(6, 5).kind, kLizard1);
}

TEST_F(Turns, ALizardThatSeesACatFleesWithoutClosingTheNoCatBlock) {
    place(5, 5, kLizard1, 1);
    place(6, 5, kCat, 5);
    CapturedTrace trace(model);
    visit(5, 5);
    EXPECT_EQ(trace.text(), "--------casilla con lagartija----------\n"
                            "-no eres juvenil-\n"
                            "-bicho no apareandose-\n"
                            "se encontro un gato devo de huir\n"
                            "-fin bicho no apareandose-\n"
                            "-fin no eres juvenil-\n"
                            "--------fin casilla con lagartija----------\n");
    EXPECT_EQ(at(4, 5).kind, kLizard1);
}

TEST_F(Turns, ABoxedInCatTurnsAtRandomAndRepeatsItsOpeningLines) {
    place(5, 5, kCat, 1, 1);
    place(6, 4, kCat, 1);
    place(6, 5, kCat, 1);
    place(6, 6, kCat, 1);
    platform::Generator expected;
    expected.seed(8);
    const int heading = expected.heading();
    model.generator().seed(8);
    CapturedTrace trace(model);
    visit(5, 5);
    EXPECT_EQ(trace.text(), "--------casilla con gato----------\n"
                            "-gato sin comer-\n"
                            "-no vi lagartija-\n"
                            "no veo casillas vacias\n"
                            "-no vi lagartija-\n"
                            "-gato sin comer-\n"
                            "--------fin casilla con gato----------\n");
    EXPECT_EQ(at(5, 5).direction, heading);
    EXPECT_EQ(at(5, 5).phase, 0);
}

class Generation : public Terrarium, public ::testing::Test {};

TEST_F(Generation, EachPassVisitsEverySquareOnceAndTheNextPassStartsAfresh) {
    model.generator().seed(4321);
    std::vector<std::uint32_t> first;
    for (std::size_t i = 0; i < Rules{}.squareCount(); ++i) {
        first.push_back(model.drawSquare());
    }
    std::vector<std::uint32_t> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    for (std::uint32_t i = 0; i < Rules{}.squareCount(); ++i) {
        ASSERT_EQ(sorted[i], i);
    }
    // A pass seeded in the same second starts from the same square.
    model.generator().seed(4321);
    EXPECT_EQ(model.drawSquare(), first.front());
}

TEST_F(Generation, AMovedCreatureDoesNotActTwice) {
    // Every other row, so that no lizard sees another that has moved.
    for (int row = 0; row < 20; row += 2) {
        place(row, 3, kLizard1, 7);  // each walks one column on
    }
    CapturedTrace trace(model);
    model.generator().seed(1);
    model.computeGeneration();
    const std::string text = trace.text();
    std::size_t turns = 0;
    for (std::size_t at = text.find("casilla con lagartija"); at != std::string::npos;
         at = text.find("casilla con lagartija", at + 1)) {
        ++turns;
    }
    EXPECT_EQ(turns, 20u);  // an opening and a closing line per lizard
    for (int row = 0; row < 20; row += 2) {
        EXPECT_EQ(at(row, 4).kind, kLizard1);
        EXPECT_EQ(at(row, 3).kind, kEmpty);
    }
    for (const CellState& cell : board) {
        EXPECT_EQ(cell.processed, 0);
    }
}

// Watching a square changes nothing of the run, keeps the turn of the
// creature that ended there, and follows one that left, even with the trace
// off.
TEST_F(Generation, AWatchedSquareKeepsTheTurnOfTheCreatureThatEndedOrBeganThere) {
    place(4, 3, kLizard1, 7);  // walks on to (4, 4)
    place(9, 9, kCat, 1);      // sees the lizard at (10, 9) and catches it
    place(10, 9, kLizard2, 1);
    const Board start = board;
    CapturedTrace unwatched(model);
    model.generator().seed(7);
    model.computeGeneration();
    const std::string expected = unwatched.text();
    const Board expectedBoard = board;

    const auto rerun = [&](int watched) {
        board = start;
        model.watch(watched);
        model.generator().seed(7);
        model.computeGeneration();
        return model.watchedTurn();
    };
    {
        CapturedTrace watched(model);
        const auto turn = rerun(square(4, 4));
        EXPECT_EQ(watched.text(), expected);
        EXPECT_TRUE(board.sameAs(expectedBoard));
        ASSERT_TRUE(turn.has_value());
        EXPECT_EQ(turn->from, square(4, 3));
        EXPECT_EQ(turn->to, square(4, 4));
        EXPECT_NE(turn->lines.find("encontre una casilla vacia asi que caminare\n"), std::string::npos);
        EXPECT_EQ(turn->lines.rfind("--------fin casilla con lagartija----------\n"), turn->lines.size() - 44);
    }
    model.traceTo(nullptr);
    const auto left = rerun(square(9, 9));
    ASSERT_TRUE(left.has_value());
    EXPECT_EQ(left->to, square(10, 9));
    EXPECT_NE(left->lines.find("veo lagartija y tengo hambre\n"), std::string::npos);
    const auto quiet = rerun(square(0, 0));
    ASSERT_TRUE(quiet.has_value());
    EXPECT_EQ(quiet->from, -1);
    EXPECT_TRUE(quiet->lines.empty());
    model.watch(-1);
}

TEST_F(Generation, AnEmptyBoardPrintsOnlyTheHandOffLineAndStillPauses) {
    std::vector<milliseconds> pauses;
    model.pause = [&](milliseconds d) {
        pauses.push_back(d);
        if (d == Model::kShowPause) {
            quitFlag = true;
        }
    };
    int updates = 0;
    model.displayUpdate = [&] { ++updates; };
    runFlag = true;
    CapturedTrace trace(model);
    EXPECT_EQ(model.run(0), 0);
    EXPECT_EQ(trace.text(), "model ----------------------------- a cambiar imagenes \n");
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(pauses, std::vector<milliseconds>{Model::kShowPause});
}

TEST_F(Generation, TheDisplayUpdateAndPauseRunWithTheBoardMutexHeld) {
    place(5, 5, kLizard1, 1);
    auto heldByAnother = [] {
        bool locked = false;
        std::thread probe([&] {
            locked = !boardMutex.try_lock();
            if (!locked) {
                boardMutex.unlock();
            }
        });
        probe.join();
        return locked;
    };
    std::vector<std::string> events;
    CapturedTrace trace(model);
    model.displayUpdate = [&] {
        events.push_back(heldByAnother() ? "update locked" : "update unlocked");
        events.push_back(trace.text().find("a cambiar imagenes") != std::string::npos ? "after hand-off line" : "before");
    };
    model.pause = [&](milliseconds d) {
        if (d == Model::kShowPause) {
            events.push_back(heldByAnother() ? "pause locked" : "pause unlocked");
            quitFlag = true;
        }
    };
    runFlag = true;
    model.run(0);
    EXPECT_EQ(events, (std::vector<std::string>{"update locked", "after hand-off line", "pause locked"}));
    EXPECT_FALSE(heldByAnother());
}

TEST_F(Generation, ACloseWhileStoppedRunsOneMoreGenerationThenEnds) {
    place(5, 5, kLizard2, 1);
    int polls = 0;
    int shows = 0;
    model.pause = [&](milliseconds d) {
        if (d == Model::kStoppedPoll && ++polls == 3) {
            quitFlag = true;  // the window closes while stopped
        }
        if (d == Model::kShowPause) {
            ++shows;
        }
    };
    CapturedTrace trace(model);
    EXPECT_EQ(model.run(0), 0);
    EXPECT_EQ(polls, 3);
    EXPECT_EQ(shows, 1);
    EXPECT_NE(trace.text().find("--------casilla con lagartija----------\n"), std::string::npos);
}

TEST_F(Generation, AQuitBeforeTheLoopStartsEndsItAtOnce) {
    quitFlag = true;
    int pauses = 0;
    model.pause = [&](milliseconds) { ++pauses; };
    CapturedTrace trace(model);
    EXPECT_EQ(model.run(0), 0);
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(trace.text(), "");
}

TEST_F(Generation, EveryPassIsSeededFromTheClock) {
    fillBoard(5);
    const auto filled = board;
    std::vector<std::time_t> seeds{100, 100, 200};
    std::size_t pass = 0;
    model.clock = [&] { return seeds[pass]; };
    std::vector<Board> boards;
    model.pause = [&](milliseconds d) {
        if (d == Model::kShowPause) {
            boards.push_back(board);
            board = filled;  // each pass starts from the same board
            quitFlag = ++pass == seeds.size();
        }
    };
    runFlag = true;
    model.run(0);
    ASSERT_EQ(boards.size(), 3u);
    auto same = [](const auto& a, const auto& b) {
        return std::equal(a.begin(), a.end(), b.begin(),
                          [](const CellState& x, const CellState& y) { return x.kind == y.kind && x.direction == y.direction; });
    };
    EXPECT_TRUE(same(boards[0], boards[1]));
    EXPECT_FALSE(same(boards[0], boards[2]));
}

}  // namespace
