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

}  // namespace
