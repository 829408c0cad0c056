#include "model/census.h"

#include <array>
#include <charconv>

namespace {

// Seven numbers of at most 20 characters, six commas and a line feed.
constexpr std::size_t kCountsRowCapacity = 7 * 20 + 7;

}  // namespace

Census takeCensus(const std::array<CellState, kSquareCount>& squares) {
    // Counted by table rather than by branches on each square's kind,
    // which no predictor can guess on a busy board. Row kOther takes the
    // kinds outside 0..3, which count nowhere.
    constexpr std::size_t kOther = 4;
    std::array<std::array<int, 2>, kOther + 1> byKindAndJuvenile{};
    int eatingCats = 0;
    for (const CellState& cell : squares) {
        const bool known = cell.kind >= kEmpty && cell.kind <= kCat;
        const auto kind = known ? static_cast<std::size_t>(cell.kind) : kOther;
        ++byKindAndJuvenile[kind][cell.juvenile != 0 ? 1 : 0];
        eatingCats += static_cast<int>(kind == kCat) & static_cast<int>(cell.eating != 0);
    }
    Census census;
    census.empty = byKindAndJuvenile[kEmpty][0] + byKindAndJuvenile[kEmpty][1];
    for (int species : {kLizard1, kLizard2}) {
        census.lizards[species - 1] = byKindAndJuvenile[static_cast<std::size_t>(species)][0];
        census.eggs[species - 1] = byKindAndJuvenile[static_cast<std::size_t>(species)][1];
    }
    census.cats = byKindAndJuvenile[kCat][0] + byKindAndJuvenile[kCat][1];
    census.eatingCats = eatingCats;
    return census;
}

void printCountsHeader(std::FILE* out) { std::fprintf(out, "%s\n", kCountsHeader); }

void printCountsRow(std::FILE* out, std::int64_t generation, const Census& census) {
    // Formatted by hand and written in one call: a long headless run prints
    // a row per generation, and fprintf's format scanning cost as much as
    // the census.
    const std::array<std::int64_t, 7> fields{generation,      census.empty,   census.lizards[0], census.lizards[1],
                                             census.eggs[0], census.eggs[1], census.cats};
    std::array<char, kCountsRowCapacity> row;
    char* end = row.data();
    for (std::int64_t value : fields) {
        end = std::to_chars(end, row.data() + row.size() - 1, value).ptr;
        *end++ = ',';
    }
    end[-1] = '\n';
    std::fwrite(row.data(), 1, static_cast<std::size_t>(end - row.data()), out);
}
