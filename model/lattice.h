#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/board.h"

// A small cellular-automaton frame: a lattice of any number of dimensions,
// each bounded or periodic, with a pluggable neighbourhood shape. The
// terrarium uses two periodic dimensions, the board's rows and columns (a
// torus), and the queen's neighbourhood, so every square has eight
// neighbours in one fixed order.

using Coordinates = std::vector<int>;

inline constexpr int kMaxDimensions = 100;

// Sizes and periodic flags of the lattice's dimensions.
class Shape {
public:
    explicit Shape(int dimensionCount);

    [[nodiscard]] int dimensionCount() const { return static_cast<int>(sizes_.size()); }
    [[nodiscard]] int size(int dimension) const;
    [[nodiscard]] bool isPeriodic(int dimension) const;
    void setSize(int dimension, int size);
    void setPeriodic(int dimension, bool periodic);

private:
    std::vector<int> sizes_;
    std::vector<bool> periodic_;
};

// Lists the points around a centre, unwrapped (they may lie outside the
// lattice). The base shape lists nothing.
class Neighborhood {
public:
    explicit Neighborhood(int reach) : radius(reach) {}
    virtual ~Neighborhood() = default;
    Neighborhood(const Neighborhood&) = delete;
    Neighborhood& operator=(const Neighborhood&) = delete;

    virtual void compute(Coordinates centre);
    [[nodiscard]] const std::vector<Coordinates>& points() const { return points_; }

    const int radius;

protected:
    std::vector<Coordinates> points_;
    Coordinates working_;
};

// The diagonal points: for each step up to the radius, every point whose
// every coordinate differs from the centre by exactly that step, adding
// before subtracting, first dimension outermost.
class AlfilNeighborhood final : public Neighborhood {
public:
    explicit AlfilNeighborhood(int reach) : Neighborhood(reach) {}
    void compute(Coordinates centre) override;

private:
    void process(int dimension);

    Coordinates centre_;
    int step_ = 0;
};

// The straight points: along each dimension in order, +1 .. +radius, then
// -1 .. -radius.
class TowerNeighborhood final : public Neighborhood {
public:
    explicit TowerNeighborhood(int reach) : Neighborhood(reach) {}
    void compute(Coordinates centre) override;
};

// The diagonal points followed by the straight ones.
class QueenNeighborhood final : public Neighborhood {
public:
    QueenNeighborhood();
    void compute(Coordinates centre) override;

private:
    AlfilNeighborhood alfil_;
    TowerNeighborhood tower_;
};

// Joins a shape and a neighbourhood: the valid, wrapped neighbours of a point.
class Topology {
public:
    Topology(const Shape& shape, Neighborhood& neighborhood) : shape_(&shape), neighborhood_(&neighborhood) {}

    void setNeighborhood(Neighborhood& neighborhood) { neighborhood_ = &neighborhood; }
    // Points outside a bounded dimension are dropped; periodic coordinates
    // are brought back into 0 .. size - 1.
    const std::vector<Coordinates>& neighboursOf(const Coordinates& point);

private:
    const Shape* shape_;
    Neighborhood* neighborhood_;
    std::vector<Coordinates> valid_;
};

struct Site {
    CellState* cell;
    std::size_t firstNeighbour;  // position of its first neighbour in the lattice's list
};

// The board as a read-only index: each square's record and its neighbours'.
//
// When every dimension wraps, every square has the same neighbours relative
// to it, so the lattice keeps only the neighbourhood's offsets and works a
// neighbour out when asked: a list of sites and neighbour pointers would
// take some 80 bytes a square, more than the square itself. A lattice with a
// bounded dimension, whose edge squares have fewer neighbours, keeps the
// lists.
class Lattice {
public:
    // Over the shared board, or over a board of the caller's own.
    Lattice();
    explicit Lattice(Board& squares);

    // Replaces the default neighbourhood; the lattice keeps it alive. A
    // neighbourhood lists the same offsets around every centre.
    void setNeighborhood(std::unique_ptr<Neighborhood> neighborhood);
    void setPeriodic(int dimension, bool periodic) { shape_.setPeriodic(dimension, periodic); }
    void build();

    // Bounds-checked: a position past the end stops the program.
    [[nodiscard]] CellState& cell(std::size_t site) const;
    [[nodiscard]] std::size_t firstNeighbour(std::size_t site) const;
    [[nodiscard]] CellState& neighbour(std::size_t position) const;
    [[nodiscard]] std::size_t siteCount() const { return siteCount_; }
    [[nodiscard]] std::size_t neighbourCount() const;

    // On a lattice whose every dimension wraps, each neighbour slot's offset
    // from its square, coordinate by coordinate; empty on any other.
    [[nodiscard]] const std::vector<Coordinates>& offsets() const { return offsets_; }
    [[nodiscard]] const Shape& shape() const { return shape_; }

private:
    [[nodiscard]] bool everyDimensionWraps() const;

    CellState* cells_;
    Shape shape_;
    std::unique_ptr<Neighborhood> neighborhood_;
    Topology topology_;
    std::size_t siteCount_ = 0;
    std::vector<Coordinates> offsets_;
    // Only with a bounded dimension.
    std::vector<Site> sites_;
    std::vector<CellState*> neighbours_;
};
