#include "platform/console.h"

#include <algorithm>

namespace platform {

namespace {

constexpr bool isContinuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

// The bytes a character takes from its first byte: 0 for a continuation
// byte or one that no character begins with.
constexpr std::size_t sequenceLength(unsigned char byte) {
    if (byte < 0x80U) {
        return 1;
    }
    if ((byte & 0xE0U) == 0xC0U) {
        return 2;
    }
    if ((byte & 0xF0U) == 0xE0U) {
        return 3;
    }
    if ((byte & 0xF8U) == 0xF0U) {
        return 4;
    }
    return 0;
}

}  // namespace

std::size_t wholeUtf8(std::string_view bytes) {
    constexpr std::size_t kLongest = 4;
    const std::size_t size = bytes.size();
    // Back over the continuation bytes at the end to the byte that begins
    // their character; more than a character's worth is no UTF-8 anyway.
    std::size_t start = size;
    while (start > 0 && size - start < kLongest - 1 && isContinuation(static_cast<unsigned char>(bytes[start - 1]))) {
        --start;
    }
    if (start == 0) {
        return size;
    }
    const std::size_t first = start - 1;
    const std::size_t length = sequenceLength(static_cast<unsigned char>(bytes[first]));
    return length > 1 && size - first < length ? first : size;
}

std::size_t consolePiece(std::string_view bytes, std::size_t most) {
    if (bytes.size() <= most) {
        return wholeUtf8(bytes);
    }
    const std::string_view window = bytes.substr(0, most);
    if (const std::size_t lineEnd = window.rfind('\n'); lineEnd != std::string_view::npos) {
        return lineEnd + 1;
    }
    return wholeUtf8(window);
}

void ConsoleBacklog::add(std::string_view bytes) {
    bytes_.append(bytes);
    if (bytes_.size() <= mostBehind_) {
        return;
    }
    // Half the room is made at once, so that a console far behind does not
    // lose a line at every write.
    const std::size_t lineEnd = bytes_.find('\n', bytes_.size() - mostBehind_ / 2);
    const auto cut = static_cast<std::ptrdiff_t>(lineEnd == std::string::npos ? bytes_.size() : lineEnd + 1);
    linesLeftOut_ += static_cast<std::size_t>(std::count(bytes_.begin(), bytes_.begin() + cut, '\n'));
    bytes_.erase(bytes_.begin(), bytes_.begin() + cut);
}

bool ConsoleBacklog::hasPiece(std::size_t most, bool last) const {
    return linesLeftOut_ > 0 || (last ? !bytes_.empty() : consolePiece(bytes_, most) > 0);
}

ConsoleBacklog::Piece ConsoleBacklog::take(std::size_t most, bool last) {
    std::size_t size = consolePiece(bytes_, most);
    if (size == 0 && last) {
        size = std::min(bytes_.size(), most);
    }
    Piece piece{bytes_.substr(0, size), linesLeftOut_};
    bytes_.erase(0, size);
    linesLeftOut_ = 0;
    return piece;
}

}  // namespace platform
