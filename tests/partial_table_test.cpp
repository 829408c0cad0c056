// A table read back to go on with it: how far it is whole, and which files
// are not the table of the command that would go on with it.

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "studies/partial_table.h"

namespace {

// Three runs of two rows each, as --counts makes them: "k,RUN,ROW," and a
// value.
TableShape threeRunsOfTwoRows(std::string header = "key,run,row,value") {
    TableShape shape;
    shape.header = std::move(header);
    shape.runs = 3;
    shape.rowsPerRun = 2;
    shape.keyOf = [](std::uint64_t run, std::uint64_t row) {
        return "k," + std::to_string(run) + "," + std::to_string(row) + ",";
    };
    shape.fields = 4;
    return shape;
}

// The table's end after the text, given in pieces of `piece` bytes, or the
// problem.
std::optional<std::string> endOf(const TableShape& shape, std::string_view text, TableEnd& end,
                                 std::size_t piece = 4096) {
    PartialTable table(shape);
    for (std::size_t at = 0; at < text.size(); at += piece) {
        table.read(text.substr(at, piece));
    }
    return table.end(end);
}

TEST(PartialTable, EndsAfterTheLastWholeRunDroppingARowCutShortAndARunUnfinished) {
    const std::string whole = "key,run,row,value\nk,0,0,7\nk,0,1,8\n";
    for (const std::size_t piece : {std::size_t{1}, std::size_t{5}, std::size_t{4096}}) {
        TableEnd end;
        const auto problem = endOf(threeRunsOfTwoRows(), whole + "k,1,0,9\nk,1,1,1", end, piece);
        ASSERT_FALSE(problem) << *problem;
        EXPECT_EQ(end.bytes, whole.size()) << piece;
        EXPECT_EQ(end.runs, 1u);
        EXPECT_TRUE(end.hasHeader);
    }
    TableEnd complete;
    const std::string all = whole + "k,1,0,9\nk,1,1,1\nk,2,0,2\nk,2,1,3\n";
    ASSERT_FALSE(endOf(threeRunsOfTwoRows(), all, complete));
    EXPECT_EQ(complete.bytes, all.size());
    EXPECT_EQ(complete.runs, 3u);
}

TEST(PartialTable, AnEmptyFileOrAHeaderCutShortHoldsNothing) {
    for (const std::string_view text : {"", "key,ru"}) {
        TableEnd end{9, 9, true};
        ASSERT_FALSE(endOf(threeRunsOfTwoRows(), text, end));
        EXPECT_EQ(end.bytes, 0u);
        EXPECT_EQ(end.runs, 0u);
        EXPECT_FALSE(end.hasHeader);
    }
}

TEST(PartialTable, APartWithoutAHeaderBeginsWithItsFirstRow) {
    TableEnd end;
    ASSERT_FALSE(endOf(threeRunsOfTwoRows(""), "k,0,0,7\nk,0,1,8\nk,1,0,9\n", end));
    EXPECT_EQ(end.bytes, 16u);
    EXPECT_EQ(end.runs, 1u);
    EXPECT_FALSE(end.hasHeader);
}

TEST(PartialTable, AnotherCommandsTableIsRefusedNamingTheLine) {
    const std::string header = "key,run,row,value\n";
    for (const auto& [text, said] : std::initializer_list<std::pair<std::string, std::string>>{
             {"key,run,generation,value\n", "1: not this command's table, whose header is key,run,row,value"},
             {"k,0,0,7\n", "1: not this command's table, whose header"},
             {header + "k,0,0,7\nk,0,2,8\n", "3: not this command's table, whose row here begins k,0,1, this one k,0,2,"},
             {header + "k,0,0,7\nk,0,1,8,5\n", "3: 5 fields, not the 4 of this command's rows"},
             {header + "k,0,0,7\nk,0,1,8\nk,1,0,9\nk,1,1,1\nk,2,0,2\nk,2,1,3\nk,3,0,4\n",
              "8: more rows than the 6 this command writes"},
             {header + "k,0,0,7\nk,0,1,8\nk,2,0", "4: not this command's table, whose row here begins k,1,0, this one k,2,0"},
             {header + std::string(PartialTable::kLongestLine + 1, '7'), "2: a line longer than any row"},
         }) {
        TableEnd end;
        const auto problem = endOf(threeRunsOfTwoRows(), text, end, 3);
        ASSERT_TRUE(problem) << text;
        EXPECT_TRUE(problem->starts_with(said)) << *problem;
        EXPECT_EQ(problem->find('\n'), std::string::npos);
    }
}

}  // namespace
