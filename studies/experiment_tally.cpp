// Counting an experiment's table point by point.
#include "studies/experiment_tally.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_set>

#include "model/census.h"
#include "studies/experiment.h"
#include "studies/partial_table.h"

namespace {

// Wilson's score interval at 95 %.
constexpr double kZ = 1.959963984540054;

// The fields a row is read for, after the settings.
// size,hatch,mating,meal,fill,seed,generations,empty,lizard1,lizard2,egg1,egg2,cat,
// species1_extinct_at,species2_extinct_at
constexpr std::size_t kSeedField = 5, kGenerationsField = 6, kBrownField = 8, kGreenField = 9, kCatsField = 12,
                      kExtinctFields = 13, kFields = 15;

template <typename Number>
bool readNumber(std::string_view text, Number& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

std::pair<double, double> Share::interval() const {
    if (runs == 0) {
        return {0.0, 1.0};
    }
    const double n = static_cast<double>(runs);
    const double p = value();
    const double z2 = kZ * kZ;
    const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    const double half = kZ / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

double Spread::quantile(double q) const {
    if (total_ == 0) {
        return 0.0;
    }
    // The order statistics at ranks floor(h) and floor(h) + 1, from 0.
    const double h = std::clamp(q, 0.0, 1.0) * static_cast<double>(total_ - 1);
    const auto below = static_cast<std::uint64_t>(std::floor(h));
    const double fraction = h - static_cast<double>(below);
    std::uint64_t seen = 0;
    for (auto at = counts_.begin(); at != counts_.end(); ++at) {
        seen += at->second;
        if (below < seen) {
            const auto lower = static_cast<double>(at->first);
            if (below + 1 < seen || fraction == 0.0) {
                return lower;
            }
            return lower + fraction * (static_cast<double>(std::next(at)->first) - lower);
        }
    }
    return static_cast<double>(counts_.rbegin()->first);
}

double Spread::mean() const {
    if (total_ == 0) {
        return 0.0;
    }
    double sum = 0;
    for (const auto& [value, count] : counts_) {
        sum += static_cast<double>(value) * static_cast<double>(count);
    }
    return sum / static_cast<double>(total_);
}

bool ExperimentTally::read(std::string_view bytes) {
    if (!problem_ && !takeLines(bytes, unfinished_, PartialTable::kLongestLine, [this](std::string_view text) {
            line(text);
            return !problem_;
        })) {
        problem_ = std::to_string(lineNumber_ + 1) + ": a line longer than any row of an experiment's table";
    }
    return !problem_;
}

std::optional<std::string> ExperimentTally::end() const {
    if (problem_) {
        return problem_;
    }
    if (lineNumber_ == 0) {
        return std::string("1: an empty file, not a table of vivar-sim --seeds A:B --summary");
    }
    return std::nullopt;
}

void ExperimentTally::line(std::string_view text) {
    const std::string number = std::to_string(++lineNumber_);
    if (lineNumber_ == 1) {
        static const std::string header = rulesHeader() + kSummaryHeader;
        if (text != header) {
            problem_ = "1: not a table of vivar-sim --seeds A:B --summary, whose header is " + header;
        }
        return;
    }
    std::array<std::string_view, kFields> fields;
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        if (count < kFields) {
            fields[count] = text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        }
        ++count;
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != kFields) {
        problem_ = number + ": " + std::to_string(count) + " fields, not the " + std::to_string(kFields) +
                   " of an experiment's rows";
        return;
    }
    std::uint64_t seed = 0;
    std::int64_t generations = 0;
    std::array<std::int64_t, 3> populations{};
    std::array<std::optional<std::int64_t>, 2> extinct;
    bool readable = readNumber(fields[kSeedField], seed) && readNumber(fields[kGenerationsField], generations) &&
                    readNumber(fields[kBrownField], populations[0]) && readNumber(fields[kGreenField], populations[1]) &&
                    readNumber(fields[kCatsField], populations[2]);
    for (std::size_t species = 0; species < 2 && readable; ++species) {
        const std::string_view field = fields[kExtinctFields + species];
        if (!field.empty()) {
            std::int64_t at = 0;
            readable = readNumber(field, at);
            extinct[species] = at;
        }
    }
    for (std::size_t setting = 0; setting < kSettingNames.size(); ++setting) {
        readable = readable && !fields[setting].empty();
    }
    if (!readable) {
        problem_ = number + ": not a row of an experiment's table: " + std::string(text.substr(0, 120));
        return;
    }
    std::string key;
    for (std::size_t setting = 0; setting < kSettingNames.size(); ++setting) {
        key.append(fields[setting]).push_back(',');
    }
    auto [where, added] = pointOf_.try_emplace(key, points_.size());
    if (added) {
        Point& point = points_.emplace_back();
        for (std::size_t setting = 0; setting < kSettingNames.size(); ++setting) {
            point.settings[setting] = std::string(fields[setting]);
        }
    }
    Point& point = points_[where->second];
    ++point.runs;
    ++runs_;
    generations_ = std::max(generations_, generations);
    const bool both = !extinct[0] && !extinct[1];
    const bool one = !extinct[0] || !extinct[1];
    point.bothSurvive += both ? 1 : 0;
    point.oneSurvives += one ? 1 : 0;
    point.brownLizards.add(populations[0]);
    point.greenLizards.add(populations[1]);
    point.cats.add(populations[2]);
    if (!both) {
        point.firstExtinction.add(std::min(extinct[0].value_or(extinct[1].value_or(0)),
                                           extinct[1].value_or(extinct[0].value_or(0))));
    }
    std::vector<std::uint64_t>& seeds =
        both ? point.seedsBothSurvive : (one ? point.seedsOneSurvives : point.seedsNoneSurvives);
    if (seeds.size() < Point::kSeedsKept) {
        seeds.push_back(seed);
    }
}

std::vector<std::size_t> ExperimentTally::varied() const {
    std::vector<std::size_t> settings;
    for (std::size_t setting = 0; setting < kSettingNames.size(); ++setting) {
        if (valuesOf(setting).size() > 1) {
            settings.push_back(setting);
        }
    }
    return settings;
}

std::vector<std::string> ExperimentTally::valuesOf(std::size_t setting) const {
    std::vector<std::string> values;
    std::unordered_set<std::string_view> seen;
    for (const Point& point : points_) {
        if (seen.insert(point.settings[setting]).second) {
            values.push_back(point.settings[setting]);
        }
    }
    return values;
}
