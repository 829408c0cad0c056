#include <array>
#include <thread>

#include <gtest/gtest.h>

#include "platform/random.h"

namespace {

TEST(RandomNumbers, SeedOneGivesTheClassicSequence) {
    platform::srand(1);
    const std::array<int, 5> expected{41, 18467, 6334, 26500, 19169};
    for (int value : expected) {
        EXPECT_EQ(platform::rand(), value);
    }
}

TEST(RandomNumbers, ReseedingRestartsTheSequenceAndValuesStayInRange) {
    platform::srand(987654321u);
    std::array<int, 1000> first{};
    for (int& v : first) {
        v = platform::rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, platform::kRandMax);
    }
    platform::srand(987654321u);
    for (int v : first) {
        EXPECT_EQ(platform::rand(), v);
    }
}

TEST(RandomNumbers, HeadingAndCoinDrawsFollowTheNextValue) {
    platform::srand(1);  // 41, 18467, 6334, 26500
    EXPECT_EQ(platform::drawHeading(), 1 + 41 % 8);
    EXPECT_EQ(platform::drawCoin(), 0);  // 18467 is odd
    EXPECT_EQ(platform::drawCoin(), 1);  // 6334 is even
    EXPECT_EQ(platform::drawHeading(), 1 + 26500 % 8);
}

TEST(RandomNumbers, EachThreadHasItsOwnGenerator) {
    platform::srand(1);
    EXPECT_EQ(platform::rand(), 41);
    int otherFirst = -1;
    int otherAfterSeed = -1;
    std::thread other([&] {
        otherFirst = platform::rand();  // an unseeded thread starts from 1
        platform::srand(12345);
        otherAfterSeed = platform::rand();
    });
    other.join();
    EXPECT_EQ(otherFirst, 41);
    // The other thread's draws and seeding left this thread's sequence alone.
    EXPECT_EQ(platform::rand(), 18467);
    platform::srand(12345);
    EXPECT_EQ(platform::rand(), otherAfterSeed);
}


// Values made ahead are handed out exactly as the generator would give
// them, whether drawn one by one, by tag, past their end, or left midway.
TEST(RandomNumbers, ValuesMadeAheadAreTheGeneratorsOwn) {
    constexpr std::uint32_t kSeed = 2024;
    std::array<int, 16> plain{};
    platform::srand(kSeed);
    for (int& value : plain) {
        value = platform::rand();
    }

    std::array<std::uint16_t, 10> values{};  // not a whole number of fours
    std::array<std::uint16_t, 10> tags{};
    const std::uint32_t after = platform::makeAhead(kSeed, values, tags, [](std::uint16_t v) { return v % 7; });
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i], plain[i]) << i;
        EXPECT_EQ(tags[i], plain[i] % 7) << i;
    }

    platform::srandAhead(kSeed, values, tags.data(), after);
    EXPECT_EQ(platform::rand(), plain[0]);
    ASSERT_EQ(platform::tagsAhead().size(), 9U);
    EXPECT_EQ(platform::tagsAhead()[2], plain[3] % 7);
    platform::handOutAhead(3);  // as drawing plain[1..3] by their tags
    for (std::size_t i = 4; i < plain.size(); ++i) {
        EXPECT_EQ(platform::rand(), plain[i]) << i;
    }
    EXPECT_TRUE(platform::tagsAhead().empty());

    platform::srandAhead(kSeed, values, tags.data(), after);
    platform::rand();
    platform::rand();
    platform::settleAhead();
    EXPECT_TRUE(platform::tagsAhead().empty());
    for (std::size_t i = 2; i < plain.size(); ++i) {
        EXPECT_EQ(platform::rand(), plain[i]) << i;
    }
}

}  // namespace
