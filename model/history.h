#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "model/board.h"
#include "model/packed_board.h"
#include "model/model.h"
#include "model/rules.h"

// A run's past since its latest fill, clear or opened board, from the
// generation it started at (0, or a saved board's). A generation is
// decided by the board before it and the state its generator started from,
// so the history keeps every generation's starting state (four bytes) and
// the whole board only every so many generations; any generation it holds
// is rebuilt from the board kept last before it.
class RunHistory {
public:
    // Rebuilding replays at most about this many square-turns, some tens of
    // milliseconds: boards are kept more often on a larger board.
    static constexpr std::size_t kReplaySquareTurns = 500'000;
    static constexpr std::int64_t kLongestInterval = 256;
    // The memory the history may take on the standard board; a larger board
    // may take proportionally more, up to kMostBytes less the board itself
    // as the window holds it, so that the board and its past together stay
    // within kMostBytes, and never less than kLeastBudget, so that even the
    // largest board can go back a few generations (docs/performance.md,
    // "Boards of any size"). The changes to undo have the same budget.
    static constexpr std::size_t kStandardBudget = std::size_t{64} << 20;
    static constexpr std::size_t kMostBytes = std::size_t{128} << 20;
    static constexpr std::size_t kLeastBudget = std::size_t{16} << 20;

    // `budget` 0 takes the standard budget, scaled by the board's size.
    explicit RunHistory(std::size_t budget = 0) : budget_(budget) {}

    // A run starts over at generation `start` on this board, by these rules.
    void restart(const Board& squares, const Rules& rules, std::int64_t start = 0);
    // After a restart: generation latest() + 1 was computed from `seed`'s
    // state and left `after`. The oldest generations go when the memory
    // would exceed the budget.
    void record(std::uint32_t seed, const Board& after);

    // The generations after one, set aside whole so that they can be put
    // back exactly: the boards kept after it and their seeds.
    struct Future {
        std::int64_t after = 0;
        std::int64_t latest = 0;
        std::deque<std::pair<std::int64_t, PackedBoard>> kept;
        std::deque<std::uint32_t> seeds;
        [[nodiscard]] std::size_t bytes() const;
    };
    // Ends the run at `generation` and hands over what came after it; none,
    // changing nothing, when the history no longer holds the generation.
    std::optional<Future> cutAfter(std::int64_t generation);
    // Puts back what cutAfter handed over, the run ending where it was cut;
    // false, changing nothing, unless the run ends at the generation it was
    // cut after.
    [[nodiscard]] bool putBack(Future&& future);
    // The board kept at latest() is now `squares` (an edit), or with none,
    // none is kept there unless it is the earliest. Returns the board kept
    // there before, if one was, so that an edit can be undone exactly.
    std::optional<PackedBoard> exchangeLatestKept(std::optional<PackedBoard> squares);
    // The recorded seeds of the generations after `generation`, in order.
    [[nodiscard]] std::vector<std::uint32_t> seedsAfter(std::int64_t generation) const;

    // The span of generations that can be rebuilt; both 0 before a restart.
    [[nodiscard]] std::int64_t earliest() const { return kept_.empty() ? 0 : kept_.front().first; }
    [[nodiscard]] std::int64_t latest() const { return latest_; }
    // Whether the board of `generation` is kept whole, not only rebuilt.
    [[nodiscard]] bool keeps(std::int64_t generation) const;
    // The state generation `generation` was computed from, if recorded.
    [[nodiscard]] std::optional<std::uint32_t> seedOf(std::int64_t generation) const;

    // The board at `generation`, between earliest() and latest(), written
    // into `squares`, of the run's size, which keeps its address: no board
    // but the caller's is needed, which on the largest boards is the memory
    // of the history many times over. With a watched square, the turn of
    // the creature that ended on it (or left it) in that generation comes
    // back, replayed from the board before it even where the board itself
    // is kept. The replay has a generator of its own and traces nothing.
    std::optional<Model::WatchedTurn> rebuildInto(std::int64_t generation, Board& squares, int watched = -1) const;
    // The same on a board of its own.
    struct Rebuilt {
        Board board;
        std::optional<Model::WatchedTurn> turn;
    };
    [[nodiscard]] Rebuilt rebuild(std::int64_t generation, int watched = -1) const;
    // The census of generation `generation`, between earliest() and
    // latest(), rebuilding the board only where none is kept.
    [[nodiscard]] Census censusOf(std::int64_t generation) const;

    // A run set aside for an undo to bring back, at generation `shown`,
    // keeps little: none of what rebuilding keeps between rebuilds, and of
    // its boards, the oldest go while they hold more than kSetAsideBytes,
    // but never the one `shown` is rebuilt from. On the largest boards, where
    // every generation's board is kept, that leaves one or two.
    static constexpr std::size_t kSetAsideBytes = std::size_t{4} << 20;
    void setAside(std::int64_t shown);

    // How many generations apart the boards are kept, and the memory held.
    [[nodiscard]] std::int64_t interval() const { return interval_; }
    [[nodiscard]] std::size_t bytes() const;
    [[nodiscard]] std::size_t budget() const;

private:
    using Kept = std::deque<std::pair<std::int64_t, PackedBoard>>;

    void keep(std::int64_t generation, const Board& squares);
    void forgetBeyondBudget();
    void forgetOldest();
    // The latest board kept at or before `generation`; std::out_of_range
    // when the history does not hold the generation.
    [[nodiscard]] Kept::const_iterator keptAtOrBefore(std::int64_t generation) const;

    std::size_t budget_;
    Rules rules_;
    std::int64_t interval_ = kLongestInterval;
    std::int64_t latest_ = 0;
    // Boards by generation, oldest first; the first is the earliest that can
    // be rebuilt.
    Kept kept_;
    // The starting state of generations firstSeed_ + 1, firstSeed_ + 2, ...
    std::int64_t firstSeed_ = 0;
    std::deque<std::uint32_t> seeds_;
    // Replays on the squares last rebuilt into, kept between rebuilds.
    mutable std::unique_ptr<Model> replay_;
    mutable const CellState* replayCells_ = nullptr;
};
