#include "model/model.h"

#include <algorithm>

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
    neighbours_.assign(squareCount_, {});
    for (std::size_t site = 0; site < squareCount_; ++site) {
        const std::size_t first = lattice->firstNeighbour(site);
        for (std::size_t slot = 0; slot < neighbours_[site].size(); ++slot) {
            neighbours_[site][slot] = static_cast<std::uint32_t>(&lattice->neighbour(first + slot) - squares_);
        }
    }
    visited.assign(squareCount_, 0);
    visitedCount = 0;
    near_.assign(squareCount_, 0);
    order_.clear();
    ordered_ = 0;
}

int Model::run(int /*argument*/) {
    if (quitFlag) {
        return 0;
    }
    for (;;) {
        platform::srand(static_cast<std::uint32_t>(clock()));
        // A close while stopped still runs this one generation, with its
        // trace and hand-off, before the loop ends.
        while (!runFlag && !quitFlag) {
            pause(kStoppedPoll);
        }
        std::unique_lock generation(generationMutex);
        beforeGeneration();
        computeGeneration();
        trace::line("model ----------------------------- a cambiar imagenes \n");
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
    trace::flush();
    pause(kShowPause);
}

void Model::computeGeneration() {
    const trace::Burst burst;
    platform::Generator& generator = platform::threadGenerator();
    random_ = &generator;
    int watched = watched_.load(std::memory_order_relaxed);
    if (watched >= 0 && static_cast<std::size_t>(watched) >= squareCount_) {
        watched = -1;
    }
    // Only a creature on the watched square or beside it can end its turn
    // there.
    const auto markNear = [&](std::uint8_t mark) {
        if (watched >= 0) {
            near_[static_cast<std::size_t>(watched)] = mark;
            for (const std::uint32_t neighbour : neighbours_[static_cast<std::size_t>(watched)]) {
                near_[neighbour] = mark;
            }
        }
    };
    WatchedTurn arrived;
    WatchedTurn left;
    std::optional<EggLaid> laid;
    markNear(1);
    for (std::size_t draw = 0; draw < squareCount_; ++draw) {
        current = drawSquare(generator);
        if (acting().processed != 0) {
            continue;
        }
        if (near_[current] != 0) {
            takeWatchedTurn(watched, arrived, left, laid);
        } else {
            takeTurn();
        }
    }
    markNear(0);
    for (std::size_t site = 0; site < squareCount_; ++site) {
        squares_[site].processed = 0;
    }
    if (watched >= 0) {
        const std::lock_guard lock(watchedMutex_);
        watchedTurn_ = arrived.square >= 0 ? arrived : left;
        watchedTurn_->square = watched;
        watchedTurn_->eggLaid = laid;
    }
}

void Model::takeTurn() {
    const std::int32_t kind = acting().kind;
    if (kind == kLizard1 || kind == kLizard2) {
        lizardTurn();
    } else if (kind == kCat) {
        catTurn();
    }
}

void Model::takeWatchedTurn(int watched, WatchedTurn& arrived, WatchedTurn& left, std::optional<EggLaid>& laid) {
    const auto start = static_cast<int>(current);
    const std::int32_t kind = acting().kind;
    if (kind != kLizard1 && kind != kLizard2 && kind != kCat) {
        return;
    }
    const auto& around = neighbours_[current];
    std::array<CellState, 8> before{};
    for (std::size_t slot = 0; slot < around.size(); ++slot) {
        before[slot] = squares_[around[slot]];
    }
    WatchedTurn turn;
    turn.before = acting();
    // What it will see, whether or not it looks: its look slots as the
    // heading it begins with gives them.
    CellState looking = turn.before;
    deriveLookSlots(looking);
    for (std::size_t ahead = 0; ahead < turn.ahead.size(); ++ahead) {
        turn.ahead[ahead] = squares_[around[static_cast<std::size_t>(looking.lookSlots[ahead])]];
    }
    const bool watchedEmpty = squares_[static_cast<std::size_t>(watched)].kind == kEmpty;
    {
        const trace::Tap tap(turn.lines);
        takeTurn();
    }
    // A creature that moved left its square empty and one square beside it
    // newly holds its kind: a walk, a flight or a catch.
    int end = start;
    if (squares_[start].kind != kind) {
        end = -1;
        for (std::size_t slot = 0; slot < around.size(); ++slot) {
            if (before[slot].kind != kind && squares_[around[slot]].kind == kind) {
                end = around[slot];
                break;
            }
        }
    }
    const CellState& onWatched = squares_[static_cast<std::size_t>(watched)];
    if (watchedEmpty && end != watched && onWatched.juvenile == 1 &&
        (onWatched.kind == kLizard1 || onWatched.kind == kLizard2)) {
        // The partner is the neighbour that began to mate in this turn.
        EggLaid egg{start, -1, kEmpty};
        for (std::size_t slot = 0; slot < around.size(); ++slot) {
            if (before[slot].mating == 0 && squares_[around[slot]].mating == 1) {
                egg.partner = around[slot];
                egg.partnerKind = squares_[around[slot]].kind;
            }
        }
        laid = egg;
    }
    turn.square = watched;
    turn.from = start;
    turn.to = end;
    turn.after = end >= 0 ? squares_[end] : CellState{};
    if (end == watched) {
        arrived = std::move(turn);
    } else if (start == watched) {
        left = std::move(turn);
    }
}

std::optional<Model::WatchedTurn> Model::watchedTurn() const {
    const std::lock_guard lock(watchedMutex_);
    return watchedTurn_;
}

std::uint32_t Model::drawSquare() { return drawSquare(platform::threadGenerator()); }

std::uint32_t Model::drawSquare(platform::Generator& generator) {
    if (squareCount_ > kLargestDrawnBoard) {
        if (ordered_ == order_.size()) {
            shuffleOrder(generator);
        }
        return order_[ordered_++];
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
    order_.resize(squareCount_);
    for (std::size_t i = 0; i < squareCount_; ++i) {
        order_[i] = static_cast<std::uint32_t>(i);
    }
    for (std::size_t i = squareCount_ - 1; i > 0; --i) {
        const auto bound = static_cast<std::uint32_t>(i + 1);
        const std::uint32_t limit = kSpan - kSpan % bound;
        std::uint32_t value = 0;
        do {
            value = static_cast<std::uint32_t>(generator.rand()) << 15 | static_cast<std::uint32_t>(generator.rand());
        } while (value >= limit);
        std::swap(order_[i], order_[value % bound]);
    }
    ordered_ = 0;
}
