#include "model/lattice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kDefaultDimensionSize = 100;

// A lookup past the end is a programming error that must not read garbage.
[[noreturn]] void outOfBounds(const char* what, std::size_t position, std::size_t size) {
    std::fprintf(stderr, "vivar: lattice %s %zu out of range (size %zu)\n", what, position, size);
    std::abort();
}

}  // namespace

Shape::Shape(int dimensionCount)
    : sizes_(static_cast<std::size_t>(dimensionCount), kDefaultDimensionSize),
      periodic_(static_cast<std::size_t>(dimensionCount), false) {
    if (dimensionCount < 1 || dimensionCount > kMaxDimensions) {
        std::fprintf(stderr, "vivar: a lattice has 1 to %d dimensions, not %d\n", kMaxDimensions, dimensionCount);
        std::abort();
    }
}

int Shape::size(int dimension) const { return sizes_.at(static_cast<std::size_t>(dimension)); }

bool Shape::isPeriodic(int dimension) const { return periodic_.at(static_cast<std::size_t>(dimension)); }

void Shape::setSize(int dimension, int size) { sizes_.at(static_cast<std::size_t>(dimension)) = size; }

void Shape::setPeriodic(int dimension, bool periodic) { periodic_.at(static_cast<std::size_t>(dimension)) = periodic; }

void Neighborhood::compute(Coordinates /*centre*/) { points_.clear(); }

void AlfilNeighborhood::compute(Coordinates centre) {
    points_.clear();
    centre_ = std::move(centre);
    for (step_ = 1; step_ <= radius; ++step_) {
        working_ = centre_;
        process(0);
    }
}

// Depth first over the dimensions, +step tried before -step.
void AlfilNeighborhood::process(int dimension) {
    const auto d = static_cast<std::size_t>(dimension);
    if (d + 1 == centre_.size()) {
        working_[d] += step_;
        points_.push_back(working_);
        working_[d] -= 2 * step_;
        points_.push_back(working_);
        return;
    }
    working_[d] += step_;
    process(dimension + 1);
    std::copy(centre_.begin() + static_cast<std::ptrdiff_t>(d), centre_.end(),
              working_.begin() + static_cast<std::ptrdiff_t>(d));
    working_[d] -= step_;
    process(dimension + 1);
}

void TowerNeighborhood::compute(Coordinates centre) {
    points_.clear();
    for (std::size_t d = 0; d < centre.size(); ++d) {
        for (int sign : {+1, -1}) {
            for (int step = 1; step <= radius; ++step) {
                working_ = centre;
                working_[d] += sign * step;
                points_.push_back(working_);
            }
        }
    }
}

QueenNeighborhood::QueenNeighborhood() : Neighborhood(1), alfil_(radius), tower_(radius) {}

void QueenNeighborhood::compute(Coordinates centre) {
    alfil_.compute(centre);
    tower_.compute(std::move(centre));
    points_ = alfil_.points();
    points_.insert(points_.end(), tower_.points().begin(), tower_.points().end());
}

const std::vector<Coordinates>& Topology::neighboursOf(const Coordinates& point) {
    neighborhood_->compute(point);
    valid_.clear();
    for (Coordinates candidate : neighborhood_->points()) {
        bool inside = true;
        for (int d = 0; d < shape_->dimensionCount(); ++d) {
            int& c = candidate[static_cast<std::size_t>(d)];
            const int size = shape_->size(d);
            if (shape_->isPeriodic(d)) {
                while (c < 0) {
                    c += size;
                }
                while (c >= size) {
                    c -= size;
                }
            } else if (c < 0 || c >= size) {
                inside = false;
                break;
            }
        }
        if (inside) {
            valid_.push_back(std::move(candidate));
        }
    }
    return valid_;
}

Lattice::Lattice() : Lattice(board) {}

Lattice::Lattice(Board& squares)
    : cells_(squares.data()),
      shape_(2),
      neighborhood_(std::make_unique<AlfilNeighborhood>(1)),
      topology_(shape_, *neighborhood_) {
    shape_.setSize(0, squares.width());
    shape_.setSize(1, squares.height());
}

void Lattice::setNeighborhood(std::unique_ptr<Neighborhood> neighborhood) {
    topology_.setNeighborhood(*neighborhood);
    neighborhood_ = std::move(neighborhood);
}

bool Lattice::everyDimensionWraps() const {
    for (int d = 0; d < shape_.dimensionCount(); ++d) {
        if (!shape_.isPeriodic(d)) {
            return false;
        }
    }
    return true;
}

void Lattice::build() {
    sites_.clear();
    neighbours_.clear();
    offsets_.clear();
    const int dimensions = shape_.dimensionCount();
    siteCount_ = 1;
    for (int d = 0; d < dimensions; ++d) {
        siteCount_ *= static_cast<std::size_t>(shape_.size(d));
    }
    if (everyDimensionWraps()) {
        // The points around the origin are the offsets around any centre.
        neighborhood_->compute(Coordinates(static_cast<std::size_t>(dimensions), 0));
        offsets_ = neighborhood_->points();
        return;
    }
    sites_.reserve(siteCount_);
    Coordinates point(static_cast<std::size_t>(dimensions), 0);
    // Row-major enumeration, last dimension fastest, so the site number is
    // the square index.
    for (std::size_t index = 0; index < siteCount_; ++index) {
        const std::size_t first = neighbours_.size();
        for (const Coordinates& n : topology_.neighboursOf(point)) {
            std::size_t neighbourIndex = 0;
            for (int d = 0; d < dimensions; ++d) {
                neighbourIndex = neighbourIndex * static_cast<std::size_t>(shape_.size(d)) +
                                 static_cast<std::size_t>(n[static_cast<std::size_t>(d)]);
            }
            neighbours_.push_back(cells_ + neighbourIndex);
        }
        sites_.push_back(Site{cells_ + index, first});
        for (int d = dimensions - 1; d >= 0; --d) {
            auto& c = point[static_cast<std::size_t>(d)];
            if (++c < shape_.size(d)) {
                break;
            }
            c = 0;
        }
    }
}

CellState& Lattice::cell(std::size_t site) const {
    if (site >= siteCount_) {
        outOfBounds("site", site, siteCount_);
    }
    return cells_[site];
}

std::size_t Lattice::firstNeighbour(std::size_t site) const {
    if (site >= siteCount_) {
        outOfBounds("site", site, siteCount_);
    }
    return offsets_.empty() ? sites_[site].firstNeighbour : site * offsets_.size();
}

std::size_t Lattice::neighbourCount() const {
    return offsets_.empty() ? neighbours_.size() : siteCount_ * offsets_.size();
}

CellState& Lattice::neighbour(std::size_t position) const {
    if (position >= neighbourCount()) {
        outOfBounds("neighbour", position, neighbourCount());
    }
    if (offsets_.empty()) {
        return *neighbours_[position];
    }
    // The site's coordinates, last dimension first, each moved by the
    // offset and wrapped, then put back together in row-major order.
    std::size_t site = position / offsets_.size();
    const Coordinates& offset = offsets_[position % offsets_.size()];
    std::size_t index = 0;
    std::size_t stride = 1;
    for (int d = shape_.dimensionCount() - 1; d >= 0; --d) {
        const auto size = static_cast<std::size_t>(shape_.size(d));
        const auto shift = static_cast<std::ptrdiff_t>(offset[static_cast<std::size_t>(d)]);
        const auto sized = static_cast<std::ptrdiff_t>(size);
        const auto moved = (static_cast<std::ptrdiff_t>(site % size) + shift % sized + sized) % sized;
        index += static_cast<std::size_t>(moved) * stride;
        stride *= size;
        site /= size;
    }
    return cells_[index];
}
