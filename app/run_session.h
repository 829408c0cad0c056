#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/counts_file.h"
#include "app/population_history.h"
#include "model/board.h"
#include "model/board_file.h"
#include "model/census.h"
#include "model/history.h"
#include "model/packed_board.h"
#include "model/rules.h"

// The run on screen and its record: the history the window goes back
// through, the generation shown, the seeds that decide what follows, the
// counts file and the chart's populations; and the changes the user made to
// the board, each of which can be undone and redone.
//
// Nothing a user does by looking loses anything: going back and forth
// writes nothing, an edit in the past sets the recorded future aside only
// when the run moves on from the edited board, and undoing the edit brings
// that future back exactly.
//
// Threads: the view thread changes it, and only with a BoardAccess; the
// model thread reads seedOf while it holds the generation (see the rule in
// base/thread_flags.h).
class RunSession {
public:
    // Where a run starts, and the seeds that decide what follows it: a
    // board file's place in its run. Generation k is seeded with seed + k;
    // the recorded next seeds come first.
    using Start = board_file::RunPlace;
    // What the user did.
    enum class Change { kEdit, kFill, kClear, kOpen, kRules };
    // What an undo or a redo did, to be told.
    struct Done {
        Change change;
        std::int64_t generation = 0;  // of an edit
        int square = -1;              // of an edit
        // The change was let go instead: the history it needed is gone.
        bool lost = false;
    };

    // At least this many changes are kept, the latest ones; more while they
    // fit in the memory that undoing may take.
    static constexpr std::size_t kLeastChanges = 100;
    static constexpr std::size_t kMostChanges = 1000;

    // A run at generation 0 on an empty board of these rules.
    RunSession(std::optional<std::uint32_t> windowSeed, const Rules& rules);
    // The run the window starts with, on its board (see begin), whose rules
    // the next fill and clear bring too.
    RunSession(std::optional<std::uint32_t> windowSeed, const Board& squares, const Rules& rules, const Start& start,
               bool opened);

    // The run shown.
    [[nodiscard]] std::int64_t generation() const { return run_->shown; }
    // Whether the generation shown is the last that can be counted, from
    // which the run does not go on.
    [[nodiscard]] bool atLastGeneration() const { return run_->shown == board_file::kLargestGeneration; }
    // The generation the run started at: 0, or an opened board's.
    [[nodiscard]] std::int64_t firstGeneration() const { return run_->start; }
    [[nodiscard]] const RunHistory& history() const { return run_->history; }
    [[nodiscard]] const Rules& rulesInForce() const { return run_->rules; }
    // The run's own seed, when it has one.
    [[nodiscard]] const std::optional<std::uint32_t>& seed() const { return run_->seed; }
    // Whether the board shown was edited and the run has not moved on from
    // it: the recorded generation, and the future after it, are still
    // there, and the run stays at this generation until it moves on or the
    // edits are undone.
    [[nodiscard]] bool edited() const { return run_->edited; }
    [[nodiscard]] const PopulationHistory& populations() const { return run_->populations; }
    // The rules the next fill or clear brings.
    [[nodiscard]] const Rules& chosenRules() const { return chosen_; }
    // The seed the window fills with, and gives a run it fills.
    [[nodiscard]] const std::optional<std::uint32_t>& windowSeed() const { return windowSeed_; }

    // Model thread: the state generation `generation` starts from, when the
    // run fixes it: recorded, planned, or its seed's; otherwise the clock's.
    [[nodiscard]] std::optional<std::uint32_t> seedOf(std::int64_t generation) const;

    // The run the window starts with, which nothing undoes; `opened` when
    // its board comes from a board file.
    void begin(const Board& squares, const Rules& rules, const Start& start, bool opened = false);

    // The changes a user makes, each undoable. A new run on `squares` in
    // place of `shown` (a fill, a clear, an opened board).
    void restart(Change change, PackedBoard shown, const Board& squares, const Rules& rules, const Start& start);
    // The square was changed by hand; `squares` is the board after it. The
    // edit waits on the generation shown until the run moves on from it.
    void edit(int square, const CellState& before, const Board& squares);
    void chooseRules(const Rules& rules);

    // The run is about to compute a generation from `squares`, the board
    // shown: edits in the past become the run's, the recorded future set
    // aside for the last of them to bring back.
    void movingOn(const Board& squares);
    // Generation generation() + 1 was computed from `seed`'s state and is
    // shown: recorded, or, when it replays the history, only shown again.
    void generationShown(std::uint32_t seed, const Board& squares, const Census& census);
    // Going back or forth: the board shown is the history's `generation`.
    void wentTo(std::int64_t generation);

    // Undoes the latest change, or redoes the latest undone: `squares` is
    // the board shown before, and after it the board to show, under
    // rulesInForce(). Nothing when there is nothing to undo or redo.
    enum class Direction { kUndo, kRedo };
    std::optional<Done> undoOrRedo(Direction direction, Board& squares);
    std::optional<Done> undo(Board& squares) { return undoOrRedo(Direction::kUndo, squares); }
    std::optional<Done> redo(Board& squares) { return undoOrRedo(Direction::kRedo, squares); }
    [[nodiscard]] bool canUndo() const { return !undone_.empty(); }
    [[nodiscard]] bool canRedo() const { return !redone_.empty(); }
    // The memory the kept changes hold, and may hold.
    [[nodiscard]] std::size_t changeBytes() const;
    [[nodiscard]] std::size_t changeBudget() const;

    // Where the board shown stands in its run, for a save that continues it.
    [[nodiscard]] Start place() const;
    // How a run opened from a board file at `place` goes on: from the
    // board's generation, with its seeds, unless the window has a seed of
    // its own, which wins.
    [[nodiscard]] Start continuing(const board_file::RunPlace& place) const {
        return continuing(place, windowSeed_);
    }
    [[nodiscard]] static Start continuing(const board_file::RunPlace& place,
                                          const std::optional<std::uint32_t>& windowSeed);

    // The counts file the command line named, which the first run to write
    // a row makes, or goes on with; the reason it can never be written
    // otherwise. Nothing is made or changed yet.
    std::optional<std::string> openCounts(const std::filesystem::path& fileName);
    // Why the counts stopped being written, once they have: said once on
    // stderr, and kept for the status line.
    [[nodiscard]] const std::string& countsProblem() const { return countsProblem_; }
    // A counts file of a name other than the one the run wrote to, once,
    // to be told: a run that left the recorded one, or the file named held
    // the rows of another run.
    struct NewCountsFile {
        std::string name;
        bool namedHeldOthers = false;
    };
    std::optional<NewCountsFile> takeNewCountsFile();

private:
    struct Run {
        RunHistory history;
        Rules rules;
        std::int64_t shown = 0;
        std::int64_t start = 0;
        bool opened = false;  // from a board file, whose counts may go on
        std::optional<std::uint32_t> seed;
        std::int64_t plannedFrom = 0;  // planned[i] seeds generation plannedFrom + 1 + i
        std::vector<std::uint32_t> planned;
        bool edited = false;
        // The counts file the run writes, and how far its rows are this
        // run's: the rows after that came from a run that went otherwise.
        std::shared_ptr<CountsFile> counts;
        std::int64_t countsValid = -1;
        PopulationHistory populations;
    };
    // One side of an edit the run moved on from: the generations after it,
    // the board kept at it, and what recorded them.
    struct Side {
        RunHistory::Future future;
        std::optional<PackedBoard> kept;
        std::int64_t shown = 0;
        std::int64_t plannedFrom = 0;
        std::vector<std::uint32_t> planned;
        std::shared_ptr<CountsFile> counts;
        std::int64_t countsValid = -1;
        PopulationHistory populations;
    };
    struct Entry {
        Change change = Change::kEdit;
        // An edit: the square's record before and after it, and whether
        // edits were waiting at its generation before it.
        std::int64_t generation = 0;
        int square = -1;
        CellState before{};
        CellState after{};
        bool editedBefore = false;
        // Once the run moved on from the edit: the other side of it.
        std::optional<Side> side;
        // A new run: the other run, whole, and its board as shown, unless
        // the run's history keeps it (an empty board then).
        std::unique_ptr<Run> run;
        PackedBoard board;
        // New rules, or a new run: the rules chosen for the next fill before.
        Rules chosen;
        [[nodiscard]] std::size_t bytes() const;
        // An edit that waits on its board for its run to move on.
        [[nodiscard]] bool waits() const;
    };

    // The edit at the generation shown becomes the run's: its future is
    // swapped with the side the entry keeps (the undo or redo of one);
    // false, changing nothing, when the history no longer holds it.
    bool exchange(Entry& entry);
    // The entry's run is set aside, its board as shown is `shown`.
    static void setAside(Entry& entry, PackedBoard shown);
    void commit(Entry& entry, const Board& squares);
    Done apply(Entry& entry, Board& squares, Direction direction);
    void push(Entry&& entry);
    void keepWithinBudget();
    void writeCounts(std::int64_t generation, const Census& census);
    void countsFailed(const std::string& name, const std::string& reason);
    void switchCounts(const std::shared_ptr<CountsFile>& before);

    std::optional<std::uint32_t> windowSeed_;
    Rules chosen_;
    std::unique_ptr<Run> run_;
    // The changes to undo and those to redo, latest last; an undo moves one
    // from the first to the second, a redo back.
    std::deque<Entry> undone_;
    std::deque<Entry> redone_;

    // The file the command line named, which the first run to write takes,
    // and the first file written, beside which the later ones go.
    std::filesystem::path countsPath_;
    std::shared_ptr<CountsFile> firstCounts_;
    bool countsOn_ = false;
    std::string countsProblem_;
    std::optional<NewCountsFile> newCountsFile_;
};
