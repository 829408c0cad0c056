// Writes damaged copies of board files for the fuzz test:
//
//   board_mutations SEED COUNT FOLDER BOARD...
//
// FOLDER/0000.txt ... each from one of the BOARDs in turn with a few random
// changes: bytes flipped, inserted or removed, lines doubled, swapped or
// dropped, numbers, sizes, rules and places made wild, the text cut short;
// now and then random bytes, an empty file, a file beyond the largest its
// board may be, or Windows line ends. The same seed always writes the same files, so
// that a failure can be made again.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/board_file.h"

namespace {

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    // A damaged copy of the board, whose file may be `largest` bytes long.
    std::string mutated(const std::string& board, std::size_t largest) {
        switch (below(40)) {
            case 0:
                return {};
            case 1:
                return randomBytes(below(4096) + 1);
            case 2:
                // Just past what the board may be, or just within it.
                return padded(board, largest + 1 - below(2) * 64);
            case 3:
                return withWindowsLineEnds(board);
            default:
                break;
        }
        std::string text = board;
        const std::size_t changes = below(3) + 1;
        for (std::size_t change = 0; change < changes; ++change) {
            damage(text);
        }
        return text;
    }

private:
    std::size_t below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

    // Mostly characters a board has, so that damage reaches past the check
    // for text.
    char boardCharacter() {
        static constexpr std::string_view kCharacters = ".BbGgCE0123456789 \n#-abcdeghimnoprstuvwy\r\t";
        return below(20) == 0 ? static_cast<char>(below(256)) : kCharacters[below(kCharacters.size())];
    }

    std::string randomBytes(std::size_t size) {
        std::string bytes(size, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(below(256));
        }
        return bytes;
    }

    std::string padded(const std::string& board, std::size_t size) {
        std::string text = board;
        while (text.size() + 81 < size) {
            text += "# " + std::string(78, 'x') + "\n";
        }
        return text + std::string(size - text.size(), '\n');
    }

    static std::string withWindowsLineEnds(const std::string& board) {
        std::string text;
        for (const char c : board) {
            text += c == '\n' ? "\r\n" : std::string(1, c);
        }
        return text;
    }

    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    static std::string textOf(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
        return text;
    }

    void damage(std::string& text) {
        if (text.empty()) {
            text += boardCharacter();
            return;
        }
        const std::size_t at = below(text.size());
        std::vector<std::string> lines = linesOf(text);
        const std::size_t line = below(lines.size());
        switch (below(10)) {
            case 0:
                text[at] = static_cast<char>(text[at] ^ (1 << below(8)));
                break;
            case 1:
                text[at] = boardCharacter();
                break;
            case 2:
                for (std::size_t count = below(8) + 1; count > 0; --count) {
                    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), boardCharacter());
                }
                break;
            case 3:
                text.erase(at, below(50) + 1);
                break;
            case 4:
                text.resize(at);
                break;
            case 5:
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(line), lines[line]);
                text = textOf(lines);
                break;
            case 6:
                std::swap(lines[line], lines[below(lines.size())]);
                text = textOf(lines);
                break;
            case 7:
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(line));
                text = textOf(lines);
                break;
            case 8: {
                // A size, a rule or a place made wild, or one more of them.
                static constexpr std::array<std::string_view, 16> kHeaders{
                    "size 20x20",   "size 1x5",          "size 2000x2001",  "size 3x4",
                    "size 20x",     "rule hatch=1",      "rule meal=1000",  "rule mating=0",
                    "rule fill=0:0:0:100", "rule fill=50:20:20:20", "rule hunger=3", "rule hatch",
                    "generation 9223372036854775808", "seed 4294967296", "next-seeds 2", "next-seeds 16777216"};
                const std::string header(kHeaders[below(kHeaders.size())]);
                if (below(2) == 0) {
                    lines[line] = header;
                } else {
                    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(below(std::min<std::size_t>(lines.size(), 6))),
                                 header);
                }
                text = textOf(lines);
                break;
            }
            default: {
                // A timer's or a version's number made wild.
                static constexpr std::array<std::string_view, 6> kNumbers{"0",  "5",          "-1",
                                                                          "21", "4294967297", "99999999999999999999"};
                const std::size_t space = lines[line].rfind(' ');
                if (space != std::string::npos) {
                    lines[line] = lines[line].substr(0, space + 1) + std::string(kNumbers[below(kNumbers.size())]);
                    text = textOf(lines);
                }
                break;
            }
        }
    }

    std::mt19937 random_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: board_mutations SEED COUNT FOLDER BOARD...\n");
        return 2;
    }
    // Each board, and the most its file may be.
    std::vector<std::pair<std::string, std::size_t>> boards;
    for (int given = 4; given < argc; ++given) {
        std::ifstream in(argv[given], std::ios::binary);
        const std::string valid{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        Board squares;
        Rules rules;
        if (!in || board_file::parse(valid, squares, rules)) {
            std::fprintf(stderr, "board_mutations: cannot read a board from %s\n", argv[given]);
            return 1;
        }
        boards.emplace_back(valid, board_file::largestFile(rules.width, rules.height));
    }
    Mutator mutator(static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)));
    const long count = std::strtol(argv[2], nullptr, 10);
    for (long index = 0; index < count; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "/%04ld.txt", index);
        std::ofstream out(std::string(argv[3]) + name, std::ios::binary);
        const auto& [valid, largest] = boards[static_cast<std::size_t>(index) % boards.size()];
        out << mutator.mutated(valid, largest);
        if (!out.flush()) {
            std::fprintf(stderr, "board_mutations: cannot write %s%s\n", argv[3], name);
            return 1;
        }
    }
    return 0;
}
