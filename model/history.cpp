#include "model/history.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <iterator>
#include <utility>

void RunHistory::restart(const Board& squares, const Rules& rules, std::int64_t start) {
    rules_ = rules;
    const std::size_t count = std::max<std::size_t>(squares.size(), 1);
    interval_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(kReplaySquareTurns / count), 1, kLongestInterval);
    latest_ = start;
    kept_.clear();
    firstSeed_ = start;
    seeds_.clear();
    keep(start, squares);
    replay_.reset();
}

std::size_t RunHistory::budget() const {
    if (budget_ != 0) {
        return budget_;
    }
    const std::size_t squares = static_cast<std::size_t>(rules_.width) * static_cast<std::size_t>(rules_.height);
    const std::size_t standard = Rules{}.squareCount();
    const std::size_t boardBytes = squares * sizeof(CellState);
    return std::max(kLeastBudget, std::min(kMostBytes - std::min(boardBytes, kMostBytes),
                                           std::max(kStandardBudget, kStandardBudget / standard * squares)));
}

std::size_t RunHistory::bytes() const {
    std::size_t total = seeds_.size() * sizeof(std::uint32_t);
    for (const auto& [generation, squares] : kept_) {
        total += squares.bytes() + sizeof(generation);
    }
    return total;
}

void RunHistory::keep(std::int64_t generation, const Board& squares) {
    kept_.emplace_back(generation, PackedBoard(squares));
    forgetBeyondBudget();
}

void RunHistory::forgetOldest() {
    kept_.pop_front();
    const std::int64_t earliest = kept_.front().first;
    // The seeds of the generations up to the earliest board are not needed.
    while (firstSeed_ < earliest && !seeds_.empty()) {
        seeds_.pop_front();
        ++firstSeed_;
    }
}

void RunHistory::record(std::uint32_t seed, const Board& after) {
    if (kept_.empty()) {
        throw std::logic_error("a generation recorded before the run began");
    }
    seeds_.push_back(seed);
    ++latest_;
    if (latest_ - kept_.back().first >= interval_) {
        keep(latest_, after);
    }
}

std::size_t RunHistory::Future::bytes() const {
    std::size_t total = seeds.size() * sizeof(std::uint32_t);
    for (const auto& [generation, squares] : kept) {
        total += squares.bytes() + sizeof(generation);
    }
    return total;
}

std::optional<RunHistory::Future> RunHistory::cutAfter(std::int64_t generation) {
    if (kept_.empty() || generation < earliest() || generation > latest_) {
        return std::nullopt;
    }
    Future future;
    future.after = generation;
    future.latest = latest_;
    while (kept_.back().first > generation) {
        future.kept.push_front(std::move(kept_.back()));
        kept_.pop_back();
    }
    const auto seedsKept = static_cast<std::size_t>(generation - firstSeed_);
    future.seeds.assign(seeds_.begin() + static_cast<std::ptrdiff_t>(seedsKept), seeds_.end());
    seeds_.resize(seedsKept);
    latest_ = generation;
    return future;
}

bool RunHistory::putBack(Future&& future) {
    if (kept_.empty() || future.after != latest_) {
        return false;
    }
    for (auto& kept : future.kept) {
        kept_.push_back(std::move(kept));
    }
    seeds_.insert(seeds_.end(), future.seeds.begin(), future.seeds.end());
    latest_ = future.latest;
    forgetBeyondBudget();
    return true;
}

void RunHistory::setAside(std::int64_t shown) {
    replay_.reset();
    while (kept_.size() > 1 && bytes() > kSetAsideBytes && kept_[1].first <= shown) {
        forgetOldest();
    }
}

void RunHistory::forgetBeyondBudget() {
    // Never below the latest board kept: the present is always there.
    while (kept_.size() > 1 && bytes() > budget()) {
        forgetOldest();
    }
}

std::optional<PackedBoard> RunHistory::exchangeLatestKept(std::optional<PackedBoard> squares) {
    std::optional<PackedBoard> before;
    if (kept_.back().first == latest_) {
        if (squares) {
            before = std::exchange(kept_.back().second, std::move(*squares));
            return before;
        }
        if (kept_.size() > 1) {
            before = std::move(kept_.back().second);
            kept_.pop_back();
        } else {
            // The earliest board stays: it is where every rebuild starts.
            before = kept_.back().second;
        }
        return before;
    }
    if (squares) {
        kept_.emplace_back(latest_, std::move(*squares));
        forgetBeyondBudget();
    }
    return before;
}

bool RunHistory::keeps(std::int64_t generation) const {
    const auto at = std::lower_bound(kept_.begin(), kept_.end(), generation,
                                     [](const auto& kept, std::int64_t wanted) { return kept.first < wanted; });
    return at != kept_.end() && at->first == generation;
}

std::vector<std::uint32_t> RunHistory::seedsAfter(std::int64_t generation) const {
    std::vector<std::uint32_t> after;
    for (std::int64_t g = generation + 1; g <= latest_; ++g) {
        if (const auto seed = seedOf(g)) {
            after.push_back(*seed);
        }
    }
    return after;
}

std::optional<std::uint32_t> RunHistory::seedOf(std::int64_t generation) const {
    if (generation <= firstSeed_ || generation > latest_) {
        return std::nullopt;
    }
    return seeds_[static_cast<std::size_t>(generation - firstSeed_ - 1)];
}

RunHistory::Kept::const_iterator RunHistory::keptAtOrBefore(std::int64_t generation) const {
    if (kept_.empty() || generation < earliest() || generation > latest_) {
        throw std::out_of_range("generation " + std::to_string(generation) + " is not in the history");
    }
    return std::prev(std::upper_bound(kept_.begin(), kept_.end(), generation,
                                      [](std::int64_t wanted, const auto& kept) { return wanted < kept.first; }));
}

std::optional<Model::WatchedTurn> RunHistory::rebuildInto(std::int64_t generation, Board& squares,
                                                          int watched) const {
    const auto at = keptAtOrBefore(generation);
    const bool kept = at->first == generation;
    if (kept && (watched < 0 || at == kept_.begin())) {
        at->second.unpackInto(squares);
        return std::nullopt;
    }
    // A turn that ended on a kept board is told by replaying its generation
    // from the board kept before; the board itself is the kept one, which an
    // edit may have changed since.
    const auto from = kept ? std::prev(at) : at;
    from->second.unpackInto(squares);
    // The model set up on these squares before is used again, which on a
    // large board saves setting up its visiting order; the run's size is
    // the same for every rebuild.
    if (!replay_ || replayCells_ != squares.data()) {
        replay_ = std::make_unique<Model>();
        replay_->rules = rules_;
        replay_->setUpLattice(squares);
        replayCells_ = squares.data();
    }
    // The replaying model draws from its own generator and traces nothing.
    for (std::int64_t g = from->first + 1; g <= generation; ++g) {
        replay_->watch(g == generation ? watched : -1);
        replay_->generator().seed(*seedOf(g));
        replay_->computeGeneration();
    }
    std::optional<Model::WatchedTurn> turn;
    if (watched >= 0) {
        turn = replay_->watchedTurn();
    }
    if (kept) {
        at->second.unpackInto(squares);
    }
    return turn;
}

Census RunHistory::censusOf(std::int64_t generation) const {
    const auto at = keptAtOrBefore(generation);
    return at->first == generation ? at->second.census() : takeCensus(rebuild(generation).board);
}

RunHistory::Rebuilt RunHistory::rebuild(std::int64_t generation, int watched) const {
    Rebuilt rebuilt{Board(rules_.width, rules_.height), std::nullopt};
    rebuilt.turn = rebuildInto(generation, rebuilt.board, watched);
    return rebuilt;
}
