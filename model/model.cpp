#include "model/model.h"

#include <algorithm>
#include <bit>

#include "behaviour/orientation.h"
#include "model/trace.h"
#include "platform/random.h"
#include "platform/thread.h"

Model::Model() : pause(platform::sleepFor) {}

void Model::setUpLattice() { setUpLattice(board); }

void Model::setUpLattice(Board& squares) {
    lattice = std::make_unique<Lattice>(squares);
    lattice->setNeighborhood(std::make_unique<QueenNeighborhood>());
    lattice->setPeriodic(0, true);
    lattice->setPeriodic(1, true);
    lattice->build();
    readNeighbours();
}

void Model::readNeighbours() {
    squares_ = &lattice->cell(0);
    squareCount_ = lattice->siteCount();
    // What a board of another size kept is let go, not only emptied.
    std::vector<std::array<std::uint32_t, 8>>().swap(neighbours_);
    std::vector<std::uint8_t>().swap(visited);
    std::vector<std::uint32_t>().swap(order_);
    ordered_ = 0;
    visitedCount = 0;
    torus_ = TorusSteps{};
    tabled_ = nullptr;
    askAhead_ = false;
    if (squareCount_ <= kLargestTabledBoard) {
        neighbours_.resize(squareCount_);
        for (std::size_t site = 0; site < squareCount_; ++site) {
            const std::size_t first = lattice->firstNeighbour(site);
            for (std::size_t slot = 0; slot < neighbours_[site].size(); ++slot) {
                neighbours_[site][slot] = static_cast<std::uint32_t>(&lattice->neighbour(first + slot) - squares_);
            }
        }
        tabled_ = neighbours_.data();
    } else {
        // The lattice is the torus of setUpLattice: two wrapping dimensions
        // and the queen's eight offsets.
        const Shape& shape = lattice->shape();
        torus_.rows = static_cast<std::uint32_t>(shape.size(0));
        torus_.columns = static_cast<std::uint32_t>(shape.size(1));
        for (std::size_t slot = 0; slot < torus_.rowStep.size(); ++slot) {
            const Coordinates& offset = lattice->offsets().at(slot);
            const auto forward = [](int step, std::uint32_t size) {
                const auto sized = static_cast<std::int64_t>(size);
                return static_cast<std::uint32_t>((step % sized + sized) % sized);
            };
            torus_.rowStep[slot] = forward(offset[0], torus_.rows);
            torus_.columnStep[slot] = forward(offset[1], torus_.columns);
        }
        // square / columns = square * ceil(2^(n + c) / columns) >> (n + c),
        // exact for every square below 2^n when columns is at most 2^c
        // (Granlund and Montgomery's round-up method).
        torus_.shift = static_cast<int>(std::bit_width(squareCount_) + std::bit_width(torus_.columns - 1U));
        torus_.inverse = ((std::uint64_t{1} << torus_.shift) + torus_.columns - 1) / torus_.columns;
    }
    if (squareCount_ <= kLargestDrawnBoard) {
        visited.assign(squareCount_, 0);
    } else {
        // Made here, so that no generation allocates; the first draw
        // shuffles it.
        order_.resize(squareCount_);
        ordered_ = squareCount_;
        askAhead_ = squareCount_ * sizeof(CellState) > kCachedBoardBytes;
    }
}

std::array<std::uint32_t, 8> Model::neighboursOf(std::uint32_t square) const {
    std::array<std::uint32_t, 8> around{};
    for (std::size_t slot = 0; slot < around.size(); ++slot) {
        around[slot] = neighbourOf(square, slot);
    }
    return around;
}

int Model::run(int /*argument*/) {
    if (quitFlag) {
        return 0;
    }
    for (;;) {
        random_->seed(static_cast<std::uint32_t>(clock()));
        // A close while stopped still runs this one generation, with its
        // trace and hand-off, before the loop ends.
        while (!runFlag && !quitFlag) {
            pause(kStoppedPoll);
        }
        std::unique_lock generation(generationMutex);
        beforeGeneration();
        computeGeneration();
        traceHandOff();
        handOff(generation);
        if (quitFlag) {
            return 0;
        }
    }
}

void Model::handOff(std::unique_lock<std::mutex>& generation) {
    const std::lock_guard lock(boardMutex);
    displayUpdate();
    generation.unlock();
    // The generation's trace reaches the console while it is shown.
    trace_.flush();
    pause(kShowPause);
}

void Model::traceHandOff() { trace_.line("model ----------------------------- a cambiar imagenes \n"); }

void Model::computeGeneration() {
    const trace::Writer::Burst burst(trace_);
    platform::Generator& generator = *random_;
    // Values made ahead were made from the seed; the state is past them.
    generationSeed_ = generator.ahead.next != generator.ahead.end ? generator.ahead.seed : generator.state;
    int watched = watched_.load(std::memory_order_relaxed);
    if (watched >= 0 && static_cast<std::size_t>(watched) >= squareCount_) {
        watched = -1;
    }
    // Only a creature on the watched square or beside it can end its turn
    // there, or catch or mate with the creature that began there.
    Watching watching;
    if (watched >= 0) {
        watching.square = watched;
        const auto square = static_cast<std::uint32_t>(watched);
        watching.addNear(square, neighboursOf(square));
        watching.began = squares_[square];
        watching.creature = isLizard(watching.began.kind) || watching.began.kind == kCat ? watched : -1;
    }
    for (std::size_t draw = 0; draw < squareCount_; ++draw) {
        current = drawSquare(generator);
        if (acting().processed != 0) {
            continue;
        }
        if (watched >= 0 && watching.isNear(current)) {
            takeWatchedTurn(watching);
        } else {
            takeTurn();
        }
    }
    for (std::size_t site = 0; site < squareCount_; ++site) {
        squares_[site].processed = 0;
    }
    if (watched >= 0) {
        const bool following = followingCreature_.load(std::memory_order_relaxed);
        const std::lock_guard lock(watchedMutex_);
        watchedTurn_ = following && watching.left.square >= 0 ? watching.left
                       : watching.arrived.square >= 0        ? watching.arrived
                                                              : watching.left;
        watchedTurn_->square = watched;
        watchedTurn_->eggLaid = watching.laid;
        watchedTurn_->creature = watching.began;
        watchedTurn_->creatureEnded = watching.creature;
        watchedTurn_->caughtBy = watching.caughtBy;
    }
}

void Model::Watching::addNear(std::uint32_t centre, const std::array<std::uint32_t, 8>& around) {
    if (nearCount + around.size() + 1 > near.size()) {
        return;
    }
    std::copy(around.begin(), around.end(), near.begin() + static_cast<std::ptrdiff_t>(nearCount));
    nearCount += around.size();
    near[nearCount++] = centre;
}

bool Model::Watching::isNear(std::uint32_t drawn) const {
    const auto end = near.begin() + static_cast<std::ptrdiff_t>(nearCount);
    return std::find(near.begin(), end, drawn) != end;
}

void Model::takeTurn() {
    const std::int32_t kind = acting().kind;
    if (isLizard(kind)) {
        lizardTurn();
    } else if (kind == kCat) {
        catTurn();
    }
}

void Model::takeWatchedTurn(Watching& watching) {
    const int watched = watching.square;
    const auto start = static_cast<int>(current);
    const std::int32_t kind = acting().kind;
    if (!isLizard(kind) && kind != kCat) {
        return;
    }
    WatchedTurn turn;
    turn.before = acting();
    // What it will see, whether or not it looks: its look slots as the
    // heading it begins with gives them.
    CellState looking = turn.before;
    deriveLookSlots(looking);
    for (std::size_t ahead = 0; ahead < turn.ahead.size(); ++ahead) {
        turn.ahead[ahead] = squares_[neighbourOf(current, static_cast<std::size_t>(looking.lookSlots[ahead]))];
    }
    {
        const trace::Writer::Copy copy(trace_, turn.lines);
        record_ = &turn.record;
        takeTurn();
        record_ = nullptr;
    }
    const TurnRecord& record = turn.record;
    const int end = record.to >= 0 ? record.to : start;
    if (record.egg == watched) {
        watching.laid = EggLaid{start, record.partner, squares_[static_cast<std::size_t>(record.partner)].kind};
    }
    // The watched creature, followed through the generation.
    if (start == watching.creature) {
        watching.creature = end;
        if (end != start) {
            const auto moved = static_cast<std::uint32_t>(end);
            watching.addNear(moved, neighboursOf(moved));
        }
    } else if (record.choice == TurnRecord::Choice::kHunt && record.to == watching.creature) {
        watching.caughtBy = start;
    }
    // A lizard mated with takes no turn of its own in this generation: the
    // one that chose it is its turn, told from its side, with the same lines.
    if (record.choice == TurnRecord::Choice::kMateAndLayEgg && record.egg >= 0 && record.partner == watched &&
        start != watched) {
        WatchedTurn mated;
        mated.square = watched;
        mated.from = watched;
        mated.to = watched;
        mated.record.choice = TurnRecord::Choice::kMatedWith;
        mated.record.partner = start;
        mated.record.egg = record.egg;
        mated.lines = turn.lines;
        mated.before = record.seen >= 0 ? turn.ahead[static_cast<std::size_t>(record.seen)] : turn.before;
        mated.mate = turn.before;
        mated.after = squares_[static_cast<std::size_t>(watched)];
        watching.arrived = std::move(mated);
        return;
    }
    turn.square = watched;
    turn.from = start;
    turn.to = end;
    turn.after = squares_[end];
    if (end == watched) {
        watching.arrived = std::move(turn);
    } else if (start == watched) {
        watching.left = std::move(turn);
    }
}

std::optional<Model::WatchedTurn> Model::watchedTurn() const {
    const std::lock_guard lock(watchedMutex_);
    return watchedTurn_;
}

std::uint32_t Model::drawSquare() { return drawSquare(*random_); }

std::uint32_t Model::drawSquare(platform::Generator& generator) {
    if (squareCount_ > kLargestDrawnBoard) {
        if (ordered_ == order_.size()) {
            shuffleOrder(generator);
        }
        return nextInOrder();
    }
    if (visitedCount == squareCount_) {
        std::fill(visited.begin(), visited.end(), std::uint8_t{0});
        visitedCount = 0;
    }
    // Values made ahead come with the square they draw (see DrawsAhead), so
    // that the test waits on two loads rather than on the generator and a
    // division.
    const std::span<const std::uint16_t> squaresAhead = generator.tagsAhead();
    for (std::size_t drawn = 0; drawn < squaresAhead.size(); ++drawn) {
        const std::uint32_t square = squaresAhead[drawn];
        if (!visited[square]) {
            generator.handOutAhead(drawn + 1);
            visited[square] = true;
            ++visitedCount;
            return square;
        }
    }
    generator.handOutAhead(squaresAhead.size());
    const auto count = static_cast<std::uint32_t>(squareCount_);
    std::uint32_t square = 0;
    do {
        square = static_cast<std::uint32_t>(generator.rand()) % count;
    } while (visited[square] != 0);
    visited[square] = 1;
    ++visitedCount;
    return square;
}

void Model::shuffleOrder(platform::Generator& generator) {
    // Fisher and Yates' shuffle. Each position takes a uniform draw below
    // its bound from 30 bits, two values of rand; a draw in the last,
    // incomplete multiple of the bound is drawn again, so no square is
    // favoured.
    constexpr std::uint32_t kSpan = 1U << 30;
    const auto drawBelow = [&generator](std::size_t count) {
        const auto bound = static_cast<std::uint32_t>(count);
        const std::uint32_t limit = kSpan - kSpan % bound;
        std::uint32_t value = 0;
        do {
            value = static_cast<std::uint32_t>(generator.rand()) << 15 | static_cast<std::uint32_t>(generator.rand());
        } while (value >= limit);
        return value % bound;
    };
    for (std::size_t i = 0; i < squareCount_; ++i) {
        order_[i] = static_cast<std::uint32_t>(i);
    }
    // The draws do not depend on the order, so they are made some swaps
    // ahead, in the same sequence, and the entry each will swap with is
    // asked for meanwhile: on a large board it is seldom in the cache.
    constexpr std::size_t kAhead = 32;
    std::array<std::uint32_t, kAhead> drawn{};
    std::size_t next = squareCount_ - 1;  // the position whose draw comes next
    const auto drawNext = [&] {
        drawn[next % kAhead] = drawBelow(next + 1);
        __builtin_prefetch(&order_[drawn[next % kAhead]], 1);
        --next;
    };
    while (next > 0 && next + kAhead > squareCount_ - 1) {
        drawNext();
    }
    for (std::size_t i = squareCount_ - 1; i > 0; --i) {
        const std::uint32_t swapWith = drawn[i % kAhead];
        if (next > 0) {
            drawNext();
        }
        std::swap(order_[i], order_[swapWith]);
    }
    ordered_ = 0;
}

std::uint32_t Model::nextInOrder() {
    // Far enough ahead that a square arrives before its visit, near enough
    // that it is still in the cache then. The square comes first; once it
    // has come, if it holds a creature, the squares either side of it and in
    // the rows above and below, which it may look at or move to (asking for
    // only the three it will look at saved lines but cost more time). Each
    // record is asked for by its first and last byte, as it may straddle two
    // lines. Asked for here, where the order moves on, and not through a
    // function of its own: a compiler may drop the call of a function that
    // does nothing but ask.
    constexpr std::size_t kSquareAhead = 32;
    constexpr std::size_t kNeighboursAhead = 8;
    if (!askAhead_) {
        return order_[ordered_++];
    }
    if (ordered_ + kSquareAhead < squareCount_) {
        const CellState& square = squares_[order_[ordered_ + kSquareAhead]];
        __builtin_prefetch(&square);
        __builtin_prefetch(&square.lookSlots.back());
    }
    if (ordered_ + kNeighboursAhead < squareCount_) {
        const std::uint32_t square = order_[ordered_ + kNeighboursAhead];
        if (squares_[square].kind != kEmpty) {
            const std::uint32_t columns = torus_.columns;
            const auto count = static_cast<std::uint32_t>(squareCount_);
            const std::array<std::uint32_t, 3> rows{
                square >= columns ? square - columns : square + count - columns,
                square,
                square + columns < count ? square + columns : square + columns - count,
            };
            // At a row's ends the square across the edge is missed, which
            // costs a wait and nothing else.
            for (const std::uint32_t middle : rows) {
                __builtin_prefetch(&squares_[middle > 0 ? middle - 1 : middle]);
                __builtin_prefetch(&squares_[std::min(middle + 1, count - 1)].lookSlots.back());
            }
        }
    }
    return order_[ordered_++];
}
