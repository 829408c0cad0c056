// The counts file the window writes: where it cannot be made, and a run
// from a board that goes on with the record it came from.

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
#include "model/census.h"
#include "model/packed_board.h"
#include "model/model.h"
#include "model/seeded_run.h"
#include "model/trace.h"
#include "platform/random.h"
#include "support/file_text.h"

namespace {

TEST(CountsFile, AFolderThatDoesNotExistIsReported) {
    RunSession session(std::nullopt, Rules{});
    EXPECT_TRUE(session.openCounts("/nonexistent/folder/counts.csv").has_value());
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
    return printedBy([&](std::FILE* file) { printCountsRow(file, generation, census); });
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

}  // namespace
