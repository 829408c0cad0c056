#include "film/gif_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

// LZW's codes are at most 12 bits; the table starts over when full.
constexpr int kMostCodeBits = 12;
constexpr int kCodes = 1 << kMostCodeBits;
// A GIF's data comes in sub-blocks of at most 255 bytes.
constexpr std::size_t kSubBlock = 255;
// Each frame stays on screen until the next is drawn over it.
constexpr std::uint8_t kKeepFrame = 1 << 2;

void putShort(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// Codes packed from the lowest bit up, as GIF wants them.
class CodeWriter {
public:
    void put(int code, int bits) {
        pending_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
            pending_ >>= 8;
            count_ -= 8;
        }
    }
    // The bytes in sub-blocks, after the smallest code size, ended by an
    // empty sub-block.
    void end(int leastBits, std::vector<std::uint8_t>& out) {
        if (count_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
        }
        out.push_back(static_cast<std::uint8_t>(leastBits));
        for (std::size_t at = 0; at < bytes_.size(); at += kSubBlock) {
            const std::size_t count = std::min(kSubBlock, bytes_.size() - at);
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(at + count));
        }
        out.push_back(0);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t pending_ = 0;
    int count_ = 0;
};

// The codes assigned so far to a prefix code followed by a symbol, in an
// open-addressed table twice the largest number of codes, so that starting
// over costs little.
class CodeTable {
public:
    void clear() { keys_.fill(kFree); }
    [[nodiscard]] int find(std::uint32_t key) const {
        for (std::size_t at = slotOf(key);; at = (at + 1) % kSlots) {
            if (keys_[at] == kFree) {
                return -1;
            }
            if (keys_[at] == key) {
                return codes_[at];
            }
        }
    }
    void add(std::uint32_t key, int code) {
        std::size_t at = slotOf(key);
        while (keys_[at] != kFree) {
            at = (at + 1) % kSlots;
        }
        keys_[at] = key;
        codes_[at] = static_cast<std::uint16_t>(code);
    }

private:
    static constexpr std::size_t kSlots = 2 * kCodes;
    static constexpr std::uint32_t kFree = 0xFFFFFFFF;
    [[nodiscard]] static std::size_t slotOf(std::uint32_t key) { return (key * 2654435761u >> 8) % kSlots; }
    std::array<std::uint32_t, kSlots> keys_{};
    std::array<std::uint16_t, kSlots> codes_{};
};

}  // namespace

GifEncoder::GifEncoder(FilmSize size, int rate, std::span<const QRgb> palette)
    : size_(size), rate_(rate), palette_(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(std::min(palette.size(), kMostColours))) {
    while ((std::size_t{1} << bits_) < palette_.size() + 1) {
        ++bits_;
    }
    transparent_ = static_cast<std::uint8_t>(palette_.size());
    shown_.assign(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height), 0);
}

std::vector<std::uint8_t> GifEncoder::start() const {
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    putShort(out, size_.width);
    putShort(out, size_.height);
    // A palette of 2^bits entries, the screen's background its first.
    out.push_back(static_cast<std::uint8_t>(0x80 | (bits_ - 1) << 4 | (bits_ - 1)));
    out.push_back(0);
    out.push_back(0);
    for (std::size_t i = 0; i < (std::size_t{1} << bits_); ++i) {
        const QRgb colour = i < palette_.size() ? palette_[i] : 0;
        out.push_back(static_cast<std::uint8_t>(qRed(colour)));
        out.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        out.push_back(static_cast<std::uint8_t>(qBlue(colour)));
    }
    // Played in a loop, as browsers play GIFs.
    constexpr std::array<std::uint8_t, 19> loop{0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P',
                                                'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
    out.insert(out.end(), loop.begin(), loop.end());
    return out;
}

std::vector<std::uint8_t> GifEncoder::frame(std::span<const std::uint8_t> indices) {
    // Hundredths of a second, rounded so that the film keeps its rate over
    // any number of frames.
    const auto at = [this](std::int64_t frame) { return (frame * 200 + rate_) / (2 * rate_); };
    const auto delay = static_cast<int>(at(frames_ + 1) - at(frames_));

    // What changed since the last frame: all of the first.
    Rectangle area{0, 0, size_.width, size_.height};
    if (frames_ > 0) {
        int left = size_.width;
        int right = -1;
        int top = size_.height;
        int bottom = -1;
        for (int y = 0; y < size_.height; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width);
            const auto* now = indices.data() + row;
            const auto* before = shown_.data() + row;
            if (std::memcmp(now, before, static_cast<std::size_t>(size_.width)) == 0) {
                continue;
            }
            top = std::min(top, y);
            bottom = y;
            int x = 0;
            while (now[x] == before[x]) {
                ++x;
            }
            left = std::min(left, x);
            x = size_.width - 1;
            while (now[x] == before[x]) {
                --x;
            }
            right = std::max(right, x);
        }
        // A frame that changes nothing still takes its time on screen.
        area = right < 0 ? Rectangle{0, 0, 1, 1} : Rectangle{left, top, right - left + 1, bottom - top + 1};
    }
    // Whichever packs smaller, the rectangle whole or its unchanged pixels
    // transparent.
    std::vector<std::uint8_t> opaque;
    encode(indices, area, false, opaque);
    bool transparent = false;
    if (frames_ > 0) {
        std::vector<std::uint8_t> seeThrough;
        encode(indices, area, true, seeThrough);
        if (seeThrough.size() < opaque.size()) {
            opaque = std::move(seeThrough);
            transparent = true;
        }
    }
    std::vector<std::uint8_t> out{0x21, 0xF9, 0x04, static_cast<std::uint8_t>(kKeepFrame | (transparent ? 1 : 0))};
    putShort(out, delay);
    out.push_back(transparent_);
    out.push_back(0);
    out.push_back(0x2C);
    putShort(out, area.left);
    putShort(out, area.top);
    putShort(out, area.width);
    putShort(out, area.height);
    out.push_back(0);
    out.insert(out.end(), opaque.begin(), opaque.end());

    for (int y = area.top; y < area.top + area.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width) +
                                static_cast<std::size_t>(area.left);
        std::memcpy(shown_.data() + row, indices.data() + row, static_cast<std::size_t>(area.width));
    }
    ++frames_;
    return out;
}

void GifEncoder::encode(std::span<const std::uint8_t> indices, Rectangle area, bool transparent,
                        std::vector<std::uint8_t>& out) const {
    const int leastBits = std::max(2, bits_);
    const int clearCode = 1 << leastBits;
    const int endCode = clearCode + 1;
    int bits = leastBits + 1;
    int last = endCode;
    auto table = std::make_unique<CodeTable>();
    table->clear();
    CodeWriter codes;
    codes.put(clearCode, bits);
    int prefix = -1;
    for (int y = area.top; y < area.top + area.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width);
        for (int x = area.left; x < area.left + area.width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x);
            // An unchanged pixel may be written in its colour or left
            // transparent: whichever goes on with the string already in
            // the table, transparent where neither does.
            const int colour = indices[at];
            const bool free = transparent && indices[at] == shown_[at];
            const int symbol = free ? transparent_ : colour;
            if (prefix < 0) {
                prefix = symbol;
                continue;
            }
            const auto keyOf = [prefix](int next) {
                return static_cast<std::uint32_t>(prefix) << 8 | static_cast<std::uint32_t>(next);
            };
            if (const int code = table->find(keyOf(symbol)); code >= 0) {
                prefix = code;
                continue;
            }
            if (free) {
                if (const int code = table->find(keyOf(colour)); code >= 0) {
                    prefix = code;
                    continue;
                }
            }
            codes.put(prefix, bits);
            // A full table is kept as it is: on a board, the strings it
            // learnt stay good ones, and learning them again costs more.
            if (last < kCodes - 1) {
                table->add(keyOf(symbol), ++last);
                if (last >= (1 << bits) && bits < kMostCodeBits) {
                    ++bits;
                }
            }
            prefix = symbol;
        }
    }
    codes.put(prefix, bits);
    codes.put(clearCode, bits);
    codes.put(endCode, leastBits + 1);
    codes.end(leastBits, out);
}
