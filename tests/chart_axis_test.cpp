// The population chart's axes: marked the same way for the same values
// whatever they showed before, and starting a little before 0, so that the
// first generation's dots and a population of 0 lie inside the chart rather
// than on its axes.

#include <cmath>

#include <gtest/gtest.h>

#include "looks/chart_lines.h"

namespace {

using chart_lines::AxisSpan;
using chart_lines::axisSpan;

TEST(ChartAxis, aFreshStandardBoardIsChartedUpTo80SquaresEvery20AndTo20GenerationsEvery5) {
    const AxisSpan squares = axisSpan(63.0);
    EXPECT_DOUBLE_EQ(squares.top, 80.0);
    EXPECT_DOUBLE_EQ(squares.step, 20.0);
    const AxisSpan generations = axisSpan(20.0);
    EXPECT_DOUBLE_EQ(generations.top, 20.0);
    EXPECT_DOUBLE_EQ(generations.step, 5.0);
}

TEST(ChartAxis, aBoardOfThirtyByThirtyIsChartedUpTo150SquaresEvery50) {
    const AxisSpan squares = axisSpan(145.0);
    EXPECT_DOUBLE_EQ(squares.top, 150.0);
    EXPECT_DOUBLE_EQ(squares.step, 50.0);
}

TEST(ChartAxis, startsALittleBeforeZeroSoThatNothingIsDrawnOnTheAxis) {
    for (const double highest : {10.0, 63.0, 145.0, 1444.0, 1e6}) {
        const AxisSpan span = axisSpan(highest);
        EXPECT_LT(span.low, 0.0) << highest;
        EXPECT_GT(span.low, -span.step) << highest;  // no mark below 0
    }
}

// The chart asks for no fewer than 10 squares and 20 generations.
TEST(ChartAxis, marksEveryValueInTwoToFiveStepsOfOneTwoOrFiveTimesAPowerOfTen) {
    for (double highest = 10.0; highest <= 100000.0; highest = std::floor(highest * 1.07) + 1.0) {
        const AxisSpan span = axisSpan(highest);
        EXPECT_GE(span.top, highest) << highest;
        const double steps = span.top / span.step;
        EXPECT_DOUBLE_EQ(steps, std::round(steps)) << highest;
        EXPECT_GE(steps, 2.0) << highest;
        EXPECT_LE(steps, 5.0) << highest;
        const double mantissa = span.step / std::pow(10.0, std::floor(std::log10(span.step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1.0) < 1e-9 || std::fabs(mantissa - 2.0) < 1e-9 ||
                    std::fabs(mantissa - 5.0) < 1e-9)
            << highest << ": step " << span.step;
    }
}

}  // namespace
