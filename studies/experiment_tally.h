// What an experiment's table says, point by point, as its rows come in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// A share of runs, with its 95 % interval by Wilson's score, which stays
// within 0 and 1 however few the runs.
struct Share {
    std::uint64_t count = 0;
    std::uint64_t runs = 0;
    [[nodiscard]] double value() const { return runs == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(runs); }
    [[nodiscard]] std::pair<double, double> interval() const;
};

// How many runs ended at each value of a number: its median and quartiles
// without keeping the runs. It holds one entry per distinct value, which a
// board's squares and a run's generations bound.
class Spread {
public:
    void add(std::int64_t value) { ++counts_[value]; ++total_; }
    [[nodiscard]] std::uint64_t count() const { return total_; }
    // The value at quantile q (0 to 1), by linear interpolation between the
    // order statistics (as R's default and numpy's do); 0 when empty.
    [[nodiscard]] double quantile(double q) const;
    [[nodiscard]] double mean() const;

private:
    std::map<std::int64_t, std::uint64_t> counts_;
    std::uint64_t total_ = 0;
};

// The settings that lead every row, in the table's order.
inline constexpr std::array<std::string_view, 5> kSettingNames{"size", "hatch", "mating", "meal", "fill"};
using Settings = std::array<std::string, kSettingNames.size()>;

// Every run of a table under one combination of the settings.
struct Point {
    Settings settings;  // as the table writes them: "40x40", "5", "60:15:15:10"
    std::uint64_t runs = 0;
    std::uint64_t bothSurvive = 0;  // both lizard species outlive the last generation
    std::uint64_t oneSurvives = 0;  // at least one of them does
    // The populations after the last generation.
    Spread brownLizards, greenLizards, cats;
    // The generation at which the first species died out, in the runs in
    // which one did.
    Spread firstExtinction;
    // The first seeds of each outcome, for a user to pick a run to watch.
    static constexpr std::size_t kSeedsKept = 8;
    std::vector<std::uint64_t> seedsBothSurvive, seedsOneSurvives, seedsNoneSurvives;

    [[nodiscard]] Share both() const { return {bothSurvive, runs}; }
    [[nodiscard]] Share one() const { return {oneSurvives, runs}; }
};

// Reads a table of vivar-sim's --summary with --seeds (one header line, then
// a row per run that begins with the settings), or the concatenated parts
// of one, and counts what it says point by point as the bytes come. It
// keeps counts only, so its size does not grow with the runs.
class ExperimentTally {
public:
    // The next bytes; false once they are not such a table, and from then on.
    bool read(std::string_view bytes);
    // After the last bytes: nullopt, or what is wrong as "LINE: what". A
    // last line without its line end is a row cut short and is left out.
    [[nodiscard]] std::optional<std::string> end() const;
    [[nodiscard]] const std::optional<std::string>& problem() const { return problem_; }

    [[nodiscard]] std::uint64_t runs() const { return runs_; }
    [[nodiscard]] std::int64_t generations() const { return generations_; }
    // The points in the order their first rows came.
    [[nodiscard]] const std::vector<Point>& points() const { return points_; }
    // The settings that take more than one value among the points, as
    // indices into kSettingNames, in the table's order.
    [[nodiscard]] std::vector<std::size_t> varied() const;
    // The values a setting takes, in the order they first came.
    [[nodiscard]] std::vector<std::string> valuesOf(std::size_t setting) const;

private:
    void line(std::string_view text);

    std::optional<std::string> problem_;
    std::string unfinished_;
    std::uint64_t lineNumber_ = 0;
    std::vector<std::size_t> columns_;  // where each needed field is in a row
    std::size_t fields_ = 0;
    std::uint64_t runs_ = 0;
    std::int64_t generations_ = 0;
    std::vector<Point> points_;
    std::unordered_map<std::string, std::size_t> pointOf_;
};
