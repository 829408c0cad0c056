#include "platform/console.h"

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

}  // namespace platform
