#include "base/languages.h"

#include <cstdint>
#include <cstring>

#include "base/words.h"

namespace languages {
namespace {

// The .qm format's blocks and tags, as Qt's lrelease writes them.
constexpr unsigned char kMagic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                      0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
constexpr unsigned char kHashesBlock = 0x42;
constexpr unsigned char kMessagesBlock = 0x69;
enum Tag : unsigned char { kEnd = 1, kTranslation = 3, kObsolete1 = 5, kSourceText = 6, kContext = 7, kComment = 8 };
constexpr std::uint32_t kNullText = 0xFFFFFFFF;

std::uint32_t read32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | std::uint32_t{p[3]};
}

// Qt's hash of a source text (and an empty disambiguation).
std::uint32_t elfHash(const char* text) {
    std::uint32_t h = 0;
    for (const auto* k = reinterpret_cast<const unsigned char*>(text); *k != 0; ++k) {
        h = (h << 4) + *k;
        const std::uint32_t g = h & 0xF0000000;
        if (g != 0) {
            h ^= g >> 24;
        }
        h &= ~g;
    }
    return h != 0 ? h : 1;
}

void appendUtf8(std::string& text, std::uint32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | code >> 18);
        text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A translation is UTF-16, big-endian.
std::string fromUtf16(const unsigned char* data, std::uint32_t length) {
    std::string text;
    for (std::uint32_t i = 0; i + 1 < length; i += 2) {
        std::uint32_t unit = std::uint32_t{data[i]} << 8 | data[i + 1];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < length) {
            const std::uint32_t low = std::uint32_t{data[i + 2]} << 8 | data[i + 3];
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(text, unit);
    }
    return text;
}

bool same(const unsigned char* data, std::uint32_t length, const char* text) {
    // The file keeps a terminating zero in its count.
    const std::size_t size = std::strlen(text);
    const std::uint32_t kept = length > 0 && data[length - 1] == 0 ? length - 1 : length;
    return kept == size && std::memcmp(data, text, size) == 0;
}

// The message at `at`, if it is this context's source text: the file keeps
// a context and a source only where the hash alone would not tell.
std::optional<std::string> message(const unsigned char* at, const unsigned char* end, const char* context,
                                   const char* source) {
    std::optional<std::string> translation;
    while (at < end) {
        const unsigned char tag = *at++;
        if (tag == kEnd) {
            return translation;
        }
        if (tag == kObsolete1) {
            at += 4;
            continue;
        }
        if (end - at < 4) {
            return std::nullopt;
        }
        const std::uint32_t length = read32(at);
        at += 4;
        if (length == kNullText) {
            continue;
        }
        if (static_cast<std::uint64_t>(end - at) < length) {
            return std::nullopt;
        }
        if (tag == kTranslation) {
            if (!translation) {
                translation = fromUtf16(at, length);
            }
        } else if ((tag == kSourceText && !same(at, length, source)) ||
                   (tag == kContext && !same(at, length, context)) || (tag == kComment && !same(at, length, ""))) {
            return std::nullopt;
        } else if (tag != kSourceText && tag != kContext && tag != kComment) {
            return std::nullopt;
        }
        at += length;
    }
    return std::nullopt;
}

const Embedded*& spoken() {
    static const Embedded* translation = nullptr;
    return translation;
}

std::string translateSpoken(const char* context, const char* source) {
    const std::optional<std::string> text = lookUp(*spoken(), context, source);
    return text ? *text : std::string(source);
}

}  // namespace

const Embedded* embeddedFor(std::string_view language) {
    for (std::size_t i = 0; i < kEmbeddedCount; ++i) {
        if (language == kEmbedded[i].language) {
            return &kEmbedded[i];
        }
    }
    return nullptr;
}

bool known(std::string_view language) { return language == "en" || embeddedFor(language) != nullptr; }

std::string names() {
    std::string list = "en";
    for (std::size_t i = 0; i < kEmbeddedCount; ++i) {
        list += ", ";
        list += kEmbedded[i].language;
    }
    return list;
}

std::optional<std::string> lookUp(const Embedded& translation, const char* context, const char* source) {
    const unsigned char* data = translation.data;
    const unsigned char* const end = data + translation.size;
    if (translation.size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) {
        return std::nullopt;
    }
    const unsigned char* hashes = nullptr;
    std::uint32_t hashesLength = 0;
    const unsigned char* messages = nullptr;
    std::uint32_t messagesLength = 0;
    for (const unsigned char* at = data + sizeof kMagic; end - at >= 5;) {
        const unsigned char block = at[0];
        const std::uint32_t length = read32(at + 1);
        at += 5;
        if (static_cast<std::uint64_t>(end - at) < length) {
            return std::nullopt;
        }
        if (block == kHashesBlock) {
            hashes = at;
            hashesLength = length;
        } else if (block == kMessagesBlock) {
            messages = at;
            messagesLength = length;
        }
        at += length;
    }
    if (hashes == nullptr || messages == nullptr) {
        return std::nullopt;
    }
    // Pairs of hash and offset, sorted by hash; several messages may share one.
    const std::uint32_t hash = elfHash(source);
    for (std::uint32_t pair = 0; pair + 8 <= hashesLength; pair += 8) {
        if (read32(hashes + pair) != hash) {
            continue;
        }
        const std::uint32_t offset = read32(hashes + pair + 4);
        if (offset < messagesLength) {
            if (auto text = message(messages + offset, messages + messagesLength, context, source)) {
                return text;
            }
        }
    }
    return std::nullopt;
}

void speak(std::string_view language) {
    spoken() = embeddedFor(language);
    words::useTranslation(spoken() != nullptr ? translateSpoken : nullptr);
}

}  // namespace languages
