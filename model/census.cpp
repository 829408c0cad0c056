#include "model/census.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <optional>

namespace {

// Up to ten numbers of at most 20 characters, their commas and a line feed.
constexpr std::size_t kMaxFields = 10;
using RowText = std::array<char, kMaxFields * 21>;

// A CSV row of whole numbers, formatted by hand: a long headless run prints
// a row per generation, and fprintf's format scanning cost as much as the
// census.
// An absent number leaves its field empty.
std::string_view formatRow(RowText& row, std::initializer_list<std::optional<std::int64_t>> fields) {
    char* end = row.data();
    for (const std::optional<std::int64_t>& value : fields) {
        if (value) {
            end = std::to_chars(end, row.data() + row.size() - 1, *value).ptr;
        }
        *end++ = ',';
    }
    end[-1] = '\n';
    return {row.data(), static_cast<std::size_t>(end - row.data())};
}

}  // namespace

Census takeCensus(std::span<const CellState> squares) {
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
    RowText row;
    const std::string_view text = formatRow(row, {generation, census.empty, census.lizards[0], census.lizards[1],
                                                  census.eggs[0], census.eggs[1], census.cats});
    std::fwrite(text.data(), 1, text.size(), out);
}

void appendCountsRow(std::string& text, std::uint64_t seed, std::int64_t generation, const Census& census) {
    RowText row;
    text += formatRow(row, {static_cast<std::int64_t>(seed), generation, census.empty, census.lizards[0],
                            census.lizards[1], census.eggs[0], census.eggs[1], census.cats});
}

void appendSummaryRow(std::string& text, const RunSummary& summary) {
    RowText row;
    const Census& last = summary.last;
    text += formatRow(row, {static_cast<std::int64_t>(summary.seed), summary.generations, last.empty, last.lizards[0],
                            last.lizards[1], last.eggs[0], last.eggs[1], last.cats, summary.extinctAt[0],
                            summary.extinctAt[1]});
}
