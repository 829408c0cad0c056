#include "model/census.h"

#include <cinttypes>

Census takeCensus(const std::array<CellState, kSquareCount>& squares) {
    Census census;
    for (const CellState& cell : squares) {
        if (cell.kind == kEmpty) {
            ++census.empty;
        } else if (cell.kind == kLizard1 || cell.kind == kLizard2) {
            ++(cell.juvenile != 0 ? census.eggs : census.lizards)[cell.kind - 1];
        } else if (cell.kind == kCat) {
            ++census.cats;
            census.eatingCats += cell.eating != 0 ? 1 : 0;
        }
    }
    return census;
}

void printCountsHeader(std::FILE* out) { std::fprintf(out, "%s\n", kCountsHeader); }

void printCountsRow(std::FILE* out, std::int64_t generation, const Census& census) {
    std::fprintf(out, "%" PRId64 ",%d,%d,%d,%d,%d,%d\n", generation, census.empty, census.lizards[0], census.lizards[1],
                 census.eggs[0], census.eggs[1], census.cats);
}
