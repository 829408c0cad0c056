#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/cthread.h"
#include "platform/random.h"
#include "model/board.h"
#include "model/lattice.h"
#include "model/rules.h"
#include "model/trace.h"
#include "model/turn_record.h"

// The simulation thread: the generation loop over the shared board, and the
// creatures' turns. The rules each creature follows (sight and the four
// actions) live in behaviour/.
//
// A model draws from the generator it is given and traces to the sink it is
// given: its own generator and no trace unless told otherwise. The window's
// model draws from its thread's generator and traces to the console.
class Model : public CThread {
public:
    static constexpr std::chrono::milliseconds kStoppedPoll{100};
    static constexpr std::chrono::milliseconds kShowPause{900};

    Model();
    ~Model() { stop(); }

    // Started as a thread, the model draws from that thread's generator,
    // which srand seeds: the window's code seeds it for a run of a fixed
    // seed.
    void beforeRun() override { drawFrom(platform::threadGenerator()); }
    // The generation loop: waits while stopped, runs generations while
    // running, and returns 0 after the generation under way once quitFlag
    // is set. Each pass seeds the model's generator from the clock.
    int run(int argument) override;

    // The generator the model draws from; it must outlive the model's use
    // of it.
    [[nodiscard]] platform::Generator& generator() { return *random_; }
    void drawFrom(platform::Generator& generator) { random_ = &generator; }
    // Where the model's trace lines go; nullptr for nowhere.
    void traceTo(trace::Sink* sink) { trace_.setSink(sink); }
    [[nodiscard]] trace::Sink* traceSink() const { return trace_.sink(); }
    [[nodiscard]] trace::Writer& traceLines() { return trace_; }
    // The line that ends a generation's trace, where the window hands the
    // board to the view; a headless run prints it too, so that its trace is
    // the window's.
    void traceHandOff();

    // Builds the torus of the board's size with eight neighbours per
    // square, over the shared board or over a board of the caller's own.
    void setUpLattice();
    void setUpLattice(Board& squares);

    // Up to this many squares the visiting order is drawn as rand mod the
    // number of squares until an unvisited one comes up. Beyond it 15-bit
    // draws cannot reach every square, and the rejection would cost some
    // N log N draws a pass: a pass is then a uniformly random permutation,
    // shuffled with one 30-bit draw (two values of rand) a square.
    static constexpr std::size_t kLargestDrawnBoard = 32768;
    // Up to the same size each square's neighbours are kept in a table
    // (32 bytes a square, a megabyte at most); beyond it they are worked
    // out from the square's row and column, which costs a few instructions
    // against the table's 32 bytes of memory a square.
    static constexpr std::size_t kLargestTabledBoard = kLargestDrawnBoard;

    // One generation's computation: every square drawn once in random order,
    // each creature that has not acted takes its turn, then the processed
    // marks are cleared. No waiting, seeding, pause or display.
    void computeGeneration();

    // The generator state the latest generation started from: with the
    // board before it, all that decides it.
    [[nodiscard]] std::uint32_t generationSeed() const { return generationSeed_; }

    // The next square of the current random order.
    std::uint32_t drawSquare();

    // The creatures' turns, on the square named by current.
    void lizardTurn();
    void catTurn();

    // A random heading (maybe the same) and a flipped phase.
    void turnAtRandom();

    // Sight: the three forward squares of the acting creature, through its
    // look slots as they stand. They change nothing.
    [[nodiscard]] bool seesCat() const;
    [[nodiscard]] bool seesEmpty() const;
    [[nodiscard]] bool seesMate() const;
    [[nodiscard]] bool seesLizard() const;

    // The four actions.
    void flee();
    void mateAndLayEgg();
    void walk();
    void hunt();

    // The acting square, and the square it sees in a look slot.
    [[nodiscard]] CellState& acting() const { return squares_[current]; }
    [[nodiscard]] CellState& lookAt(int slot) const { return squares_[squareInSlot(slot)]; }
    [[nodiscard]] std::uint32_t squareInSlot(int slot) const {
        const auto neighbourSlot = static_cast<std::size_t>(acting().lookSlots[static_cast<std::size_t>(slot)]);
        return neighbourOf(current, neighbourSlot);
    }
    // The square in a neighbour slot 0..7 of a square.
    [[nodiscard]] std::uint32_t neighbourOf(std::uint32_t square, std::size_t neighbourSlot) const {
        if (tabled_ != nullptr) {
            return tabled_[square][neighbourSlot];
        }
        return torus_.neighbour(square, neighbourSlot);
    }

    // A square whose creatures' turns are kept, with their trace lines, for
    // a person to read why a creature did what it did; -1 for none. Any
    // thread; takes effect from the next generation. Following its
    // creature, the turn kept is that of the creature that began there,
    // wherever it went, rather than of one that came to the square.
    void watch(int square, bool followingCreature = false) {
        followingCreature_.store(followingCreature, std::memory_order_relaxed);
        watched_.store(square, std::memory_order_relaxed);
    }
    // Where an egg laid during a watched generation came from.
    struct EggLaid {
        int layer = -1;  // the lizard that laid it, whose kind it has
        int partner = -1;
        std::int32_t partnerKind = kEmpty;
    };
    struct WatchedTurn {
        int square = -1;  // the watched square
        int from = -1;    // where the creature's turn began
        int to = -1;      // where it ended
        // What it did and saw, noted where its trace lines are printed.
        TurnRecord record;
        // Those lines, as the console shows them.
        std::string lines;
        // The creature as it began and as it ended, and its three forward
        // squares (front, front-right, front-left) as they were when it
        // looked.
        CellState before{};
        CellState after{};
        std::array<CellState, 3> ahead{};
        // An egg laid on the watched square in this generation, by a
        // creature whose turn is not this one.
        std::optional<EggLaid> eggLaid;
        // For a lizard mated with: the lizard that chose it, as it began
        // its turn.
        CellState mate{};
        // The creature that began the generation on the watched square, as
        // it began, and where it ended the generation (-1 when there was
        // none), caught there when `caughtBy`, where the cat that caught it
        // began its turn, is not -1.
        CellState creature{};
        int creatureEnded = -1;
        int caughtBy = -1;
    };
    // From the latest generation computed while watching: the turn of the
    // creature that ended on the watched square, or else of the one that
    // left it. Any thread.
    [[nodiscard]] std::optional<WatchedTurn> watchedTurn() const;

    // The numbers the rules fix (timers, fill shares, size), handed in
    // before the lattice is set up; the standard ones unless told.
    Rules rules;

    std::unique_ptr<Lattice> lattice;
    // The squares drawn in the current pass, one byte each rather than one
    // bit: the visiting order tests it a few thousand times a generation.
    // Empty on a board whose order is shuffled.
    std::vector<std::uint8_t> visited;
    std::size_t visitedCount = 0;
    std::uint32_t current = 0;          // the square whose creature is acting

    // Seams that tests and the headless driver replace: the calendar time
    // that seeds each pass, the pause that shows a generation, and the
    // display update that the view installs.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    std::function<void(std::chrono::milliseconds)> pause;
    std::function<void()> displayUpdate = [] {};
    // Runs on the model thread just before each generation is computed,
    // once the wait while stopped is over and no clear or fill can come
    // between: where a fixed seed reseeds the generator.
    std::function<void()> beforeGeneration = [] {};

private:
    // The lattice's squares and each square's eight neighbours as square
    // numbers, read from the lattice once it is built: a turn looks around
    // a dozen times, and the lattice's lookups are checked.
    void readNeighbours();
    template <typename Test>
    [[nodiscard]] bool seesAhead(Test matches) const;
    // The first forward look slot, front first, whose square matches; -1
    // for none. Only a watched turn asks, for its record.
    template <typename Test>
    [[nodiscard]] int firstAhead(Test matches) const;
    [[nodiscard]] int catAhead() const;
    [[nodiscard]] int mateAhead() const;
    [[nodiscard]] int lizardAhead() const;
    [[nodiscard]] std::array<std::uint32_t, 8> neighboursOf(std::uint32_t square) const;
    CellState* squares_ = nullptr;
    std::size_t squareCount_ = 0;
    // Each square's neighbours, on a board of at most kLargestTabledBoard
    // squares.
    std::vector<std::array<std::uint32_t, 8>> neighbours_;
    const std::array<std::uint32_t, 8>* tabled_ = nullptr;  // its data, or none
    // The neighbours of a square on a larger torus, from its row and column.
    struct TorusSteps {
        std::uint32_t rows = 0;
        std::uint32_t columns = 0;
        // square / columns, as a multiply and a shift, exact for every square.
        std::uint64_t inverse = 0;
        int shift = 0;
        // Each slot's step, as a number of rows and of columns forward,
        // both less than the board's.
        std::array<std::uint32_t, 8> rowStep{};
        std::array<std::uint32_t, 8> columnStep{};

        [[nodiscard]] std::uint32_t neighbour(std::uint32_t square, std::size_t slot) const {
            const auto row = static_cast<std::uint32_t>((square * inverse) >> shift);
            const std::uint32_t column = square - row * columns;
            std::uint32_t r = row + rowStep[slot];
            std::uint32_t c = column + columnStep[slot];
            r -= r >= rows ? rows : 0;
            c -= c >= columns ? columns : 0;
            return r * columns + c;
        }
    };
    TorusSteps torus_;
    // A large board's visiting order for the current pass, and how much of
    // it is drawn.
    std::vector<std::uint32_t> order_;
    std::size_t ordered_ = 0;
    void shuffleOrder(platform::Generator& generator);
    // The next square of a large board's shuffled order. Nearly every one
    // is far in memory from the one before: it asks for the squares a few
    // visits ahead meanwhile, and for the neighbours of those that hold a
    // creature.
    std::uint32_t nextInOrder();
    // A board this small stays in a processor's own cache, where asking
    // ahead costs more than it saves.
    static constexpr std::size_t kCachedBoardBytes = std::size_t{1} << 20;
    bool askAhead_ = false;

    // The generator drawn from: its own unless handed another. Held by a
    // pointer, not looked up, since thread-local storage is emulated on
    // Windows.
    platform::Generator ownGenerator_;
    platform::Generator* random_ = &ownGenerator_;
    std::uint32_t generationSeed_ = 0;
    // The model's trace lines, on their way to its sink.
    trace::Writer trace_;
    [[nodiscard]] std::uint32_t drawSquare(platform::Generator& generator);

    // Walks when a forward square is empty, else turns at random.
    void walkOrTurnAtRandom();

    // The acting creature's turn, by its kind.
    void takeTurn();
    // What a generation keeps of the watched square: the turns that ended
    // and began there, an egg laid there, and the creature that began there
    // (a lizard mated with stays; any other moves only by its own turn).
    struct Watching {
        int square = -1;
        WatchedTurn arrived;
        WatchedTurn left;
        std::optional<EggLaid> laid;
        CellState began{};
        int creature = -1;  // where that creature is now, or -1
        int caughtBy = -1;
        // The squares whose creatures can end a turn on the watched square
        // or the creature's: each, and its eight neighbours.
        std::array<std::uint32_t, 18> near{};
        std::size_t nearCount = 0;
        void addNear(std::uint32_t centre, const std::array<std::uint32_t, 8>& around);
        [[nodiscard]] bool isNear(std::uint32_t drawn) const;
    };
    // The same, keeping its record and lines when it ended on the watched
    // square or began there, or caught or mated with the watched creature.
    void takeWatchedTurn(Watching& watching);
    // The record of the watched turn under way, or none: a turn notes in it
    // where it prints its lines.
    TurnRecord* record_ = nullptr;
    void note(TurnRecord::Choice choice) {
        if (record_ != nullptr) {
            record_->choice = choice;
        }
    }
    void noteTimer(TurnRecord::Choice choice, int timer) {
        if (record_ != nullptr) {
            record_->choice = choice;
            record_->timer = static_cast<std::int16_t>(timer);
        }
    }
    // The forward slot of what it saw is looked for only on a watched turn.
    template <typename SlotOf>
    void noteSeen(TurnRecord::Choice choice, SlotOf slotOf) {
        if (record_ != nullptr) {
            record_->choice = choice;
            record_->seen = static_cast<std::int8_t>(slotOf());
        }
    }
    // Where the acting creature moved, and where it laid its egg with its
    // mate, by the look slots the behaviour chose.
    void noteMove(int slot) {
        if (record_ != nullptr) {
            record_->to = static_cast<std::int32_t>(squareInSlot(slot));
        }
    }
    void noteEgg(int partnerSlot, int eggSlot) {
        if (record_ != nullptr) {
            record_->partner = static_cast<std::int32_t>(squareInSlot(partnerSlot));
            record_->egg = static_cast<std::int32_t>(squareInSlot(eggSlot));
        }
    }
    std::atomic<int> watched_{-1};
    std::atomic<bool> followingCreature_{false};
    mutable std::mutex watchedMutex_;
    std::optional<WatchedTurn> watchedTurn_;

    // Shows the finished generation and holds it for the pause; lets the
    // generation lock go once it is on screen.
    void handOff(std::unique_lock<std::mutex>& generation);
};
