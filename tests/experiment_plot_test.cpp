// An experiment's plot laid out: where values stand on the x axis, which
// point each mark and cell answers for, the same on both canvases, and the
// tables too small or too plain to plot in the usual way.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "film/experiment_plot.h"
#include "film/letters_application.h"
#include "film/plot_canvas.h"

namespace {

constexpr const char* kHeader =
    "size,hatch,mating,meal,fill,seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,species1_extinct_at,"
    "species2_extinct_at\n";

// A row of a run under hatch and meal: survived by both, by one, or none.
std::string row(int hatch, int meal, int seed, const char* extinctAt) {
    return "20x20," + std::to_string(hatch) + ",3," + std::to_string(meal) + ",60:15:15:10," + std::to_string(seed) +
           ",50,300,40,30,5,5,25," + extinctAt + "\n";
}

ExperimentTally tallyOf(const std::string& rows) {
    ExperimentTally tally;
    EXPECT_TRUE(tally.read(kHeader + rows));
    EXPECT_EQ(tally.end(), std::nullopt);
    return tally;
}

// Hatch 8 comes before hatch 2, as a --vary list may give them.
std::string twoSettings() {
    std::string rows;
    for (const int hatch : {8, 2}) {
        for (const int meal : {2, 4}) {
            rows += row(hatch, meal, 1, ",") + row(hatch, meal, 2, "20,") + row(hatch, meal, 3, "12,30");
        }
    }
    return rows;
}

std::size_t pointOf(const ExperimentTally& tally, const char* hatch, const char* meal) {
    for (std::size_t p = 0; p < tally.points().size(); ++p) {
        if (tally.points()[p].settings[1] == hatch && tally.points()[p].settings[3] == meal) {
            return p;
        }
    }
    ADD_FAILURE() << "no point hatch=" << hatch << " meal=" << meal;
    return 0;
}

QRectF areaOf(const PlotDrawn& drawn, std::size_t point) {
    for (const PlotDrawn::Hit& hit : drawn.hits) {
        if (hit.point == point) {
            return hit.area;
        }
    }
    ADD_FAILURE() << "no hit for point " << point;
    return {};
}

class ExperimentPlotDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { static const LettersApplication letters; }
    const QRectF area_{0, 0, 700, 450};
};

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

TEST_F(ExperimentPlotDrawing, aGridHasACellForEachPointInTheValuesOrderAndTheLogTellsTheShares) {
    const ExperimentTally tally = tallyOf(twoSettings());
    SvgCanvas canvas(700, 450);
    const PlotDrawn drawn = drawExperimentPlot(canvas, area_, tally, {});
    ASSERT_EQ(drawn.problem, std::nullopt);
    ASSERT_EQ(drawn.hits.size(), 4U);
    for (std::size_t a = 0; a < drawn.hits.size(); ++a) {
        EXPECT_TRUE(area_.contains(drawn.hits[a].area));
        for (std::size_t b = a + 1; b < drawn.hits.size(); ++b) {
            EXPECT_FALSE(drawn.hits[a].area.intersected(drawn.hits[b].area).isValid()) << a << " and " << b;
        }
    }
    // Hatch 2 left of hatch 8, meal 4 above meal 2, whatever came first.
    const QRectF low = areaOf(drawn, pointOf(tally, "2", "2"));
    EXPECT_LT(low.center().x(), areaOf(drawn, pointOf(tally, "8", "2")).center().x());
    EXPECT_GT(low.center().y(), areaOf(drawn, pointOf(tally, "2", "4")).center().y());
    EXPECT_EQ(drawn.lines, (std::vector<std::string>{"hatch=8 meal=2 runs=3 both=0.333 one=0.667",
                                                     "hatch=8 meal=4 runs=3 both=0.333 one=0.667",
                                                     "hatch=2 meal=2 runs=3 both=0.333 one=0.667",
                                                     "hatch=2 meal=4 runs=3 both=0.333 one=0.667"}));
    EXPECT_NE(canvas.document().find(">33 %</text>"), std::string::npos);
}

TEST_F(ExperimentPlotDrawing, bothCanvasesLayTheSamePlotOut) {
    const ExperimentTally tally = tallyOf(twoSettings());
    for (const PlotShows shows : {PlotShows::kSurvival, PlotShows::kPopulations, PlotShows::kExtinction}) {
        SvgCanvas svg(700, 450);
        QImage picture(700, 450, QImage::Format_RGB32);
        QPainter painter(&picture);
        const PlotChoice choice{shows, std::size_t{1}};
        const PlotDrawn drawn = drawExperimentPlot(painter, area_, tally, choice);
        const PlotDrawn written = drawExperimentPlot(svg, area_, tally, choice);
        ASSERT_EQ(drawn.hits.size(), written.hits.size());
        for (std::size_t h = 0; h < drawn.hits.size(); ++h) {
            EXPECT_EQ(drawn.hits[h].area, written.hits[h].area);
            EXPECT_EQ(drawn.hits[h].point, written.hits[h].point);
        }
    }
}

TEST_F(ExperimentPlotDrawing, againstASettingEachPointIsMarkedAtItsValueForEachOutcome) {
    const ExperimentTally tally = tallyOf(twoSettings());
    SvgCanvas canvas(700, 450);
    const PlotDrawn drawn = drawExperimentPlot(canvas, area_, tally, {PlotShows::kSurvival, std::size_t{1}});
    ASSERT_EQ(drawn.problem, std::nullopt);
    // Both outcomes for each of the four points.
    EXPECT_EQ(drawn.hits.size(), 8U);
    EXPECT_LT(areaOf(drawn, pointOf(tally, "2", "4")).center().x(),
              areaOf(drawn, pointOf(tally, "8", "4")).center().x());
}

TEST_F(ExperimentPlotDrawing, oneRowWithoutAnExtinctionStillDrawsItsPoint) {
    const ExperimentTally tally = tallyOf(row(5, 3, 1, ","));
    for (const PlotShows shows : {PlotShows::kSurvival, PlotShows::kPopulations, PlotShows::kExtinction}) {
        SvgCanvas canvas(700, 450);
        const PlotDrawn drawn = drawExperimentPlot(canvas, area_, tally, {shows, std::nullopt});
        EXPECT_EQ(drawn.problem, std::nullopt);
        ASSERT_FALSE(drawn.hits.empty());
        EXPECT_TRUE(area_.contains(drawn.hits.front().area));
    }
}

TEST_F(ExperimentPlotDrawing, aSettingNotVariedOrNoRunsAreToldAndNothingIsMarked) {
    SvgCanvas canvas(700, 450);
    const PlotDrawn notVaried =
        drawExperimentPlot(canvas, area_, tallyOf(twoSettings()), {PlotShows::kSurvival, std::size_t{0}});
    EXPECT_NE(notVaried.problem, std::nullopt);
    EXPECT_TRUE(notVaried.hits.empty());
    const PlotDrawn empty = drawExperimentPlot(canvas, area_, tallyOf(""), {});
    EXPECT_NE(empty.problem, std::nullopt);
    EXPECT_TRUE(empty.hits.empty());
}

}  // namespace
