// The populations of the run on screen since the last fill or clear, as
// the chart and the films' chart draw them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/census.h"

// The populations from the latest fill or clear to now, as the chart draws
// them. Its size is bounded: when full, every other point is dropped, so a
// long run keeps its whole shape at a coarser grain and each generation
// costs the same however long the run has been going.
class PopulationHistory {
public:
    // The chart's lines, in drawing order.
    enum Line { kLizards1, kLizards2, kEggs1, kEggs2, kCats, kLineCount };

    struct Point {
        std::int64_t generation;
        std::array<int, kLineCount> counts;
    };

    static constexpr std::size_t kCapacity = 2000;

    PopulationHistory() { points_.reserve(kCapacity); }

    void clear();
    // Returns true when older points were dropped to make room, so that
    // whoever draws them has to start over from points().
    bool add(std::int64_t generation, const Census& census);

    // The board changed between generations: the latest point, or a first
    // one, takes the new counts, and a species that is back has not died out.
    void replaceLatest(std::int64_t generation, const Census& census);
    // The run goes on differently from `generation`: the points after it go.
    void cutAfter(std::int64_t generation);

    [[nodiscard]] const std::vector<Point>& points() const { return points_; }
    // Counts the changes other than a point added at the end: whoever draws
    // the points starts over when it changes.
    [[nodiscard]] std::uint64_t reshapes() const { return reshapes_; }
    // The first generation at which a lizard species (0 brown, 1 green) had
    // neither adults nor eggs left, having had some since the clear: a
    // species that was never there has not died out.
    [[nodiscard]] std::optional<std::int64_t> diedOutAt(std::size_t species) const { return diedOutAt_[species]; }

private:
    std::vector<Point> points_;
    std::array<bool, 2> seen_{};
    std::array<std::optional<std::int64_t>, 2> diedOutAt_;
    std::uint64_t reshapes_ = 0;
};
