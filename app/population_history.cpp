// The bounded record of the populations behind the chart.
#include "app/population_history.h"

void PopulationHistory::clear() {
    points_.clear();
    ++reshapes_;
    seen_ = {};
    diedOutAt_ = {};
}

void PopulationHistory::replaceLatest(std::int64_t generation, const Census& census) {
    if (!points_.empty() && points_.back().generation == generation) {
        points_.pop_back();
    }
    ++reshapes_;
    for (std::size_t species = 0; species < seen_.size(); ++species) {
        if (census.lizards[species] + census.eggs[species] > 0) {
            diedOutAt_[species].reset();
        }
    }
    add(generation, census);
}

bool PopulationHistory::add(std::int64_t generation, const Census& census) {
    for (std::size_t species = 0; species < seen_.size(); ++species) {
        if (census.lizards[species] + census.eggs[species] > 0) {
            seen_[species] = true;
        } else if (seen_[species] && !diedOutAt_[species]) {
            diedOutAt_[species] = generation;
        }
    }
    bool thinned = false;
    if (points_.size() == kCapacity) {
        // Keeps the even positions, the first point among them.
        for (std::size_t kept = 0; 2 * kept < points_.size(); ++kept) {
            points_[kept] = points_[2 * kept];
        }
        points_.resize((points_.size() + 1) / 2);
        thinned = true;
        ++reshapes_;
    }
    points_.push_back({generation,
                       {census.lizards[0], census.lizards[1], census.eggs[0], census.eggs[1], census.cats}});
    return thinned;
}

void PopulationHistory::cutAfter(std::int64_t generation) {
    ++reshapes_;
    while (!points_.empty() && points_.back().generation > generation) {
        points_.pop_back();
    }
    for (auto& diedOut : diedOutAt_) {
        if (diedOut && *diedOut > generation) {
            diedOut.reset();
        }
    }
}
