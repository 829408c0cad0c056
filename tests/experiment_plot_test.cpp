// Where an experiment's plot puts a setting's values along its axis.
#include <gtest/gtest.h>

#include "film/experiment_plot.h"

TEST(ExperimentPlotAxis, numbersStandAtThemselvesInAnyOrder) {
    const AxisPlaces places = axisPlacesOf({"8", "2", "10"});
    EXPECT_EQ(places.at, (std::vector<double>{8, 2, 10}));
    EXPECT_FALSE(places.ordinal);
    EXPECT_FALSE(places.squareSides);
}

TEST(ExperimentPlotAxis, squareSizesStandAtTheirSide) {
    const AxisPlaces places = axisPlacesOf({"20x20", "200x200", "60x60"});
    EXPECT_EQ(places.at, (std::vector<double>{20, 200, 60}));
    EXPECT_TRUE(places.squareSides);
    EXPECT_FALSE(places.ordinal);
}

TEST(ExperimentPlotAxis, otherValuesStandAtTheirPlaceInOrder) {
    // One board that is not square puts every size in order, as fills are.
    for (const std::vector<std::string>& values :
         {std::vector<std::string>{"20x20", "40x20", "60x60"}, std::vector<std::string>{"60:15:15:10", "50:20:20:10"},
          std::vector<std::string>{"5", "5x5"}}) {
        const AxisPlaces places = axisPlacesOf(values);
        EXPECT_TRUE(places.ordinal) << values.front();
        EXPECT_FALSE(places.squareSides) << values.front();
        std::vector<double> expected(values.size());
        for (std::size_t v = 0; v < values.size(); ++v) {
            expected[v] = static_cast<double>(v);
        }
        EXPECT_EQ(places.at, expected) << values.front();
    }
}

TEST(ExperimentPlotAxis, oneValueStillHasAPlace) {
    EXPECT_EQ(axisPlacesOf({"7"}).at, std::vector<double>{7});
    EXPECT_EQ(axisPlacesOf({"30x30"}).at, std::vector<double>{30});
    EXPECT_TRUE(axisPlacesOf({}).ordinal);
}
