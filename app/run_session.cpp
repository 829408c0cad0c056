#include "app/run_session.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/words.h"
#include "model/run_seeds.h"
#include "platform/system.h"

namespace {

std::size_t populationBytes(const PopulationHistory& populations) {
    return populations.points().size() * sizeof(PopulationHistory::Point);
}

}  // namespace

RunSession::RunSession(std::optional<std::uint32_t> windowSeed, const Rules& rules)
    : windowSeed_(windowSeed), chosen_(rules) {
    Start start;
    start.seed = windowSeed;
    begin(Board(rules.width, rules.height), rules, start);
}

RunSession::RunSession(std::optional<std::uint32_t> windowSeed, const Board& squares, const Rules& rules,
                       const Start& start, bool opened)
    : windowSeed_(windowSeed), chosen_(rules) {
    begin(squares, rules, start, opened);
}

void RunSession::begin(const Board& squares, const Rules& rules, const Start& start, bool opened) {
    auto run = std::make_unique<Run>();
    run->history.restart(squares, rules, start.generation);
    run->rules = rules;
    run->shown = start.generation;
    run->start = start.generation;
    run->opened = opened;
    run->seed = start.seed;
    run->plannedFrom = start.generation;
    run->planned = start.nextSeeds;
    run->countsValid = start.generation - 1;
    run->populations.add(start.generation, takeCensus(squares));
    if (run_ && run_->counts) {
        run_->counts->close();
    }
    run_ = std::move(run);
}

std::optional<std::uint32_t> RunSession::seedOf(std::int64_t generation) const {
    if (const std::optional<std::uint32_t> recorded = run_->history.seedOf(generation)) {
        return recorded;
    }
    if (generation > run_->plannedFrom) {
        const auto index = static_cast<std::uint64_t>(generation - run_->plannedFrom - 1);
        if (index < run_->planned.size()) {
            return run_->planned[static_cast<std::size_t>(index)];
        }
    }
    if (run_->seed) {
        return seedOfGeneration(*run_->seed, generation);
    }
    return std::nullopt;
}

void RunSession::restart(Change change, PackedBoard shown, const Board& squares, const Rules& rules,
                         const Start& start) {
    Entry entry;
    entry.change = change;
    entry.run = std::move(run_);
    setAside(entry, std::move(shown));
    if (entry.run->counts) {
        entry.run->counts->close();
    }
    entry.chosen = chosen_;
    // An opened board's rules are the ones the next fill or clear brings.
    if (change == Change::kOpen) {
        chosen_ = rules;
    }
    begin(squares, rules, start, change == Change::kOpen);
    push(std::move(entry));
}

void RunSession::setAside(Entry& entry, PackedBoard shown) {
    Run& run = *entry.run;
    run.history.setAside(run.shown);
    // The board shown is kept once: by the history, where it holds it as it
    // is shown (no edit waits on it), or by the entry.
    entry.board = !run.edited && run.history.keeps(run.shown) ? PackedBoard() : std::move(shown);
}

void RunSession::edit(int square, const CellState& before, const Board& squares) {
    Entry entry;
    entry.change = Change::kEdit;
    entry.generation = run_->shown;
    entry.square = square;
    entry.before = before;
    entry.after = squares[static_cast<std::size_t>(square)];
    entry.editedBefore = run_->edited;
    // The edit waits on the board shown until the run moves on from it,
    // even at the latest generation: until then the history holds the
    // generation as the run made it, which going back and forth through
    // it would show again in the edit's place.
    run_->edited = true;
    push(std::move(entry));
}

void RunSession::chooseRules(const Rules& rules) {
    Entry entry;
    entry.change = Change::kRules;
    entry.chosen = chosen_;
    chosen_ = rules;
    push(std::move(entry));
}

void RunSession::movingOn(const Board& squares) {
    if (!run_->edited) {
        return;
    }
    // The latest edit is one of those waiting at this generation: it keeps
    // the future they set aside. Trimming never lets one go (see
    // keepWithinBudget), so it is there.
    const auto latest = std::find_if(undone_.rbegin(), undone_.rend(),
                                     [](const Entry& entry) { return entry.change == Change::kEdit; });
    if (latest != undone_.rend() && latest->generation == run_->shown && !latest->side) {
        commit(*latest, squares);
        return;
    }
    Entry unrecorded;
    commit(unrecorded, squares);
}

void RunSession::commit(Entry& entry, const Board& squares) {
    Run& run = *run_;
    const std::int64_t at = run.shown;
    Side side;
    // The generation shown is always in the history, which never forgets
    // its latest board.
    side.future = run.history.cutAfter(at).value_or(RunHistory::Future{at, at, {}, {}});
    side.kept = run.history.exchangeLatestKept(PackedBoard(squares));
    side.shown = at;
    side.counts = run.counts;
    side.countsValid = run.countsValid;
    side.populations = run.populations;
    side.plannedFrom = run.plannedFrom;
    side.planned = run.planned;
    // The seeds planned after this generation belong to the future set aside.
    run.planned.resize(static_cast<std::size_t>(
        std::clamp<std::int64_t>(at - run.plannedFrom, 0, static_cast<std::int64_t>(run.planned.size()))));
    // The rows after this generation tell a run that went otherwise.
    run.countsValid = std::min(run.countsValid, at);
    run.populations.cutAfter(at);
    run.populations.replaceLatest(at, takeCensus(squares));
    run.edited = false;
    entry.side = std::move(side);
}

bool RunSession::exchange(Entry& entry) {
    Run& run = *run_;
    Side& other = *entry.side;
    std::optional<RunHistory::Future> cut = run.history.cutAfter(entry.generation);
    if (!cut) {
        return false;  // too old: the history no longer holds the generation edited
    }
    Side mine;
    mine.future = std::move(*cut);
    mine.kept = run.history.exchangeLatestKept(std::move(other.kept));
    // Cut after the same generation, it goes back.
    [[maybe_unused]] const bool back = run.history.putBack(std::move(other.future));
    mine.shown = std::exchange(run.shown, other.shown);
    mine.countsValid = std::exchange(run.countsValid, other.countsValid);
    mine.populations = std::exchange(run.populations, std::move(other.populations));
    mine.plannedFrom = std::exchange(run.plannedFrom, other.plannedFrom);
    mine.planned = std::exchange(run.planned, std::move(other.planned));
    const std::shared_ptr<CountsFile> before = run.counts;
    run.counts = other.counts;
    mine.counts = before;
    if (before && before != run.counts) {
        before->close();
    }
    other = std::move(mine);
    return true;
}

RunSession::Done RunSession::apply(Entry& entry, Board& squares, Direction direction) {
    const bool undoing = direction == Direction::kUndo;
    Done done{entry.change, entry.generation, entry.square, false};
    switch (entry.change) {
        case Change::kRules:
            std::swap(chosen_, entry.chosen);
            break;
        case Change::kFill:
        case Change::kClear:
        case Change::kOpen:
            if (run_->counts) {
                run_->counts->close();
            }
            std::swap(run_, entry.run);
            {
                PackedBoard shown(squares);
                if (entry.board.width() == 0) {  // the history keeps it
                    run_->history.rebuildInto(run_->shown, squares);
                } else {
                    entry.board.unpackInto(squares);
                }
                setAside(entry, std::move(shown));
            }
            std::swap(chosen_, entry.chosen);
            break;
        case Change::kEdit: {
            const auto square = static_cast<std::size_t>(entry.square);
            if (!entry.side) {
                // Waiting at the generation shown, which it keeps on screen.
                squares[square] = undoing ? entry.before : entry.after;
                run_->edited = undoing ? entry.editedBefore : true;
                break;
            }
            if (!exchange(entry)) {
                done.lost = true;
                break;
            }
            if (undoing) {
                // The board the run moved on from, less this edit; any edits
                // made there before it wait again.
                entry.side->kept->unpackInto(squares);
                squares[square] = entry.before;
                run_->edited = entry.editedBefore;
            } else {
                run_->history.rebuildInto(run_->shown, squares);
                run_->edited = false;
            }
            break;
        }
    }
    return done;
}

std::optional<RunSession::Done> RunSession::undoOrRedo(Direction direction, Board& squares) {
    std::deque<Entry>& from = direction == Direction::kUndo ? undone_ : redone_;
    std::deque<Entry>& to = direction == Direction::kUndo ? redone_ : undone_;
    if (from.empty()) {
        return std::nullopt;
    }
    Entry entry = std::move(from.back());
    from.pop_back();
    const Done done = apply(entry, squares, direction);
    if (!done.lost) {
        to.push_back(std::move(entry));
    }
    return done;
}

void RunSession::push(Entry&& entry) {
    redone_.clear();
    undone_.push_back(std::move(entry));
    keepWithinBudget();
}

std::size_t RunSession::Entry::bytes() const {
    std::size_t total = sizeof(Entry) + board.bytes();
    if (side) {
        total += side->future.bytes() + (side->kept ? side->kept->bytes() : 0) + populationBytes(side->populations) +
                 side->planned.size() * sizeof(std::uint32_t);
    }
    if (run) {
        total += run->history.bytes() + populationBytes(run->populations) + run->planned.size() * sizeof(std::uint32_t);
    }
    return total;
}

std::size_t RunSession::changeBytes() const {
    std::size_t total = 0;
    for (const Entry& entry : undone_) {
        total += entry.bytes();
    }
    for (const Entry& entry : redone_) {
        total += entry.bytes();
    }
    return total;
}

std::size_t RunSession::changeBudget() const { return run_->history.budget(); }

bool RunSession::Entry::waits() const { return change == Change::kEdit && !side; }

void RunSession::keepWithinBudget() {
    // The oldest changes go first; the latest one always stays, and so does
    // every change from the first edit that waits on its board on: its run
    // moves on through it, now or once an undo brings the run back.
    const auto trimmable = [this] { return undone_.size() > 1 && !undone_.front().waits(); };
    while (undone_.size() > kMostChanges && trimmable()) {
        undone_.pop_front();
    }
    while (trimmable() && changeBytes() > changeBudget()) {
        undone_.pop_front();
    }
}

void RunSession::generationShown(std::uint32_t seed, const Board& squares, const Census& census) {
    Run& run = *run_;
    if (atLastGeneration()) {
        return;  // the window never runs past it; nothing can count one more
    }
    const std::int64_t shown = run.shown + 1;
    if (shown > run.history.latest()) {
        run.history.record(seed, squares);
        run.populations.add(shown, census);
    }
    run.shown = shown;
    writeCounts(shown, census);
}

void RunSession::wentTo(std::int64_t generation) {
    // The window goes nowhere from a board edited and not yet run on.
    if (run_->edited || generation < run_->history.earliest() || generation > run_->history.latest()) {
        throw std::logic_error("went to generation " + std::to_string(generation) + ", which is not to be shown");
    }
    run_->shown = generation;
}

RunSession::Start RunSession::place() const {
    const Run& run = *run_;
    Start start{run.shown, run.seed, {}};
    if (!run.seed) {
        // A clock's seeds cannot be had again: the recorded ones go along,
        // then those the run was given and has not reached.
        start.nextSeeds = run.history.seedsAfter(run.shown);
        for (std::int64_t g = std::max(run.shown, run.history.latest()) + 1;; ++g) {
            const std::int64_t index = g - run.plannedFrom - 1;
            if (index < 0 || index >= static_cast<std::int64_t>(run.planned.size())) {
                break;
            }
            start.nextSeeds.push_back(run.planned[static_cast<std::size_t>(index)]);
        }
    }
    return start;
}

RunSession::Start RunSession::continuing(const board_file::RunPlace& place,
                                         const std::optional<std::uint32_t>& windowSeed) {
    Start start = place;
    if (windowSeed) {
        start.seed = windowSeed;
        start.nextSeeds.clear();
    }
    return start;
}

std::optional<std::string> RunSession::openCounts(const std::filesystem::path& fileName) {
    if (auto problem = CountsFile::check(fileName)) {
        return problem;
    }
    countsPath_ = fileName;
    countsOn_ = true;
    return std::nullopt;
}

std::optional<RunSession::NewCountsFile> RunSession::takeNewCountsFile() {
    return std::exchange(newCountsFile_, std::nullopt);
}

void RunSession::writeCounts(std::int64_t generation, const Census& census) {
    if (!countsOn_) {
        return;
    }
    Run& run = *run_;
    if (run.counts && generation <= run.countsValid) {
        return;  // shown again: the file has it
    }
    if (run.counts && generation == run.counts->last() + 1 && run.countsValid == run.counts->last()) {
        if (const auto problem = run.counts->append(generation, census)) {
            countsFailed(run.counts->name(), *problem);
            return;
        }
        run.countsValid = generation;
        return;
    }
    // A run that has no file yet, or that left the one it wrote, gets one
    // of its own, complete from its first generation. The first to write
    // takes the file named, unless that holds another run's rows; a run
    // from a board file goes on with the record that ends at its board.
    std::shared_ptr<CountsFile> file;
    std::string problem;
    if (!firstCounts_) {
        std::optional<CountsFile::Row> continues;
        if (run.opened && generation - 1 == run.start) {
            continues = CountsFile::Row{run.start, run.history.censusOf(run.start)};
        }
        file = CountsFile::begin(countsPath_, continues, problem);
        if (!file) {
            countsFailed(platform::utf8Name(countsPath_), problem);
            return;
        }
        firstCounts_ = file;
        if (file->name() != platform::utf8Name(countsPath_)) {
            newCountsFile_ = NewCountsFile{file->name(), true};
        }
    } else {
        file = firstCounts_->another(problem);
        if (!file) {
            countsFailed(firstCounts_->name(), problem);
            return;
        }
        newCountsFile_ = NewCountsFile{file->name(), false};
    }
    std::optional<std::string> failure;
    if (file->continued()) {
        // Its last row is the board this run started from.
    } else if (run.counts && run.counts->readable() && run.countsValid >= run.counts->first()) {
        failure = file->copyRows(*run.counts, run.countsValid);
    } else {
        // Its first row is the board it started from, as vivar-sim's is.
        failure = file->append(generation - 1, run.history.censusOf(generation - 1));
    }
    if (!failure) {
        failure = file->append(generation, census);
    }
    if (run.counts && run.counts != file) {
        run.counts->close();
    }
    run.counts = file;
    run.countsValid = generation;
    if (failure) {
        countsFailed(file->name(), *failure);
    }
}

void RunSession::countsFailed(const std::string& name, const std::string& reason) {
    countsProblem_ = words::fill(words::translate("RunSession", "the counts file '%1' could not be written: %2"),
                                 {name, reason});
    std::fprintf(stderr, "vivar: %s\n", countsProblem_.c_str());
    countsOn_ = false;
}
