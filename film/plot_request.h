// What a plot of an experiment shows, and the films module's entry point
// that writes one to a file: shared by vivar-sim and the module, so it
// holds no Qt.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ExperimentTally;

// What a plot shows of a tally.
enum class PlotShows { kSurvival, kPopulations, kExtinction };

struct PlotChoice {
    PlotShows shows = PlotShows::kSurvival;
    // The setting along the x axis, an index into kSettingNames, with a
    // line for each value of the other varied ones; when not given, the
    // survival of two varied settings is a grid of them, and anything else
    // is drawn against the first varied setting.
    std::optional<std::size_t> against;
};

enum class PlotFormat { kPng, kSvg };

// The format a file's name asks for, by its ending.
[[nodiscard]] std::optional<PlotFormat> plotFormatOf(const std::filesystem::path& file);

inline constexpr int kDefaultPlotWidth = 1200;
inline constexpr int kDefaultPlotHeight = 800;
inline constexpr int kLeastPlotSide = 200;
inline constexpr int kLargestPlotSide = 8000;

struct ExperimentPlotRequest {
    const ExperimentTally* tally = nullptr;
    PlotChoice choice;
    std::filesystem::path file;
    PlotFormat format = PlotFormat::kPng;
    int width = kDefaultPlotWidth;
    int height = kDefaultPlotHeight;
    // The program's words::translate, so that the module speaks the
    // language the program was asked for; null for English.
    std::string (*translate)(const char* context, const char* source) = nullptr;
    // Where to put the plot's points as lines of text (PlotDrawn::lines),
    // when given.
    std::vector<std::string>* lines = nullptr;
};

// The module's second entry point: true once the plot is written to the
// file, false with what kept it from being written. Versioned by its name,
// as kOpenBoardFilm is.
using WriteExperimentPlot = bool(const ExperimentPlotRequest& request, std::string& problem);
inline constexpr const char* kWriteExperimentPlot = "vivar_write_experiment_plot_1";
