#include "film/frames_on_disk.h"

#include <algorithm>

namespace {

// Matroska's elements that hold others, which the count goes into, and
// those that hold a frame.
constexpr std::uint32_t kSegment = 0x18538067;
constexpr std::uint32_t kCluster = 0x1F43B675;
constexpr std::uint32_t kBlockGroup = 0xA0;
constexpr std::uint32_t kSimpleBlock = 0xA3;
constexpr std::uint32_t kBlock = 0xA1;

// An EBML number's length in bytes, from its first byte's leading zeros.
[[nodiscard]] int lengthOf(std::uint8_t first) {
    int length = 1;
    for (std::uint8_t mark = 0x80; mark != 0 && (first & mark) == 0; mark >>= 1) {
        ++length;
    }
    return length;
}

// A GIF's images and extensions begin so; its colour tables follow a flag.
constexpr std::uint8_t kGifExtension = 0x21;
constexpr std::uint8_t kGifImage = 0x2C;
constexpr std::uint8_t kGifTrailer = 0x3B;
constexpr std::size_t kGifHeaderBytes = 13;
constexpr std::size_t kGifDescriptorBytes = 9;
constexpr std::uint8_t kGifHasTable = 0x80;

[[nodiscard]] std::uint64_t gifTableBytes(std::uint8_t flags) {
    return (flags & kGifHasTable) != 0 ? std::uint64_t{3} << ((flags & 7) + 1) : 0;
}

}  // namespace

void FramesOnDisk::add(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0 && !lost_) {
        if (skip_ > 0) {
            const auto passed = static_cast<std::size_t>(std::min<std::uint64_t>(skip_, count));
            skip_ -= passed;
            bytes += passed;
            count -= passed;
            if (skip_ == 0 && frameAtEnd_) {
                ++frames_;
                frameAtEnd_ = false;
            }
            continue;
        }
        held_.push_back(*bytes++);
        --count;
        if (kind_ == FilmKind::kWebM ? readWebM() : readGif()) {
            held_.clear();
        }
    }
}

bool FramesOnDisk::readWebM() {
    const int idLength = lengthOf(held_[0]);
    if (idLength > 4) {
        lost_ = true;
        return true;
    }
    if (held_.size() < static_cast<std::size_t>(idLength) + 1) {
        return false;
    }
    const int sizeLength = lengthOf(held_[static_cast<std::size_t>(idLength)]);
    if (sizeLength > 8) {
        lost_ = true;
        return true;
    }
    if (held_.size() < static_cast<std::size_t>(idLength + sizeLength)) {
        return false;
    }
    std::uint32_t id = 0;
    for (int i = 0; i < idLength; ++i) {
        id = id << 8 | held_[static_cast<std::size_t>(i)];
    }
    // The size's first byte without its length mark, then the rest.
    std::uint64_t size = held_[static_cast<std::size_t>(idLength)] & (0xFFu >> sizeLength);
    for (int i = 1; i < sizeLength; ++i) {
        size = size << 8 | held_[static_cast<std::size_t>(idLength + i)];
    }
    if (id == kSegment || id == kCluster || id == kBlockGroup) {
        return true;
    }
    skip_ = size;
    if (id == kSimpleBlock || id == kBlock) {
        if (size == 0) {
            ++frames_;
        } else {
            frameAtEnd_ = true;
        }
    }
    return true;
}

bool FramesOnDisk::readGif() {
    switch (gifPart_) {
        case GifPart::kHeader:
            if (held_.size() < kGifHeaderBytes) {
                return false;
            }
            skip_ = gifTableBytes(held_[kGifHeaderBytes - 3]);
            gifPart_ = GifPart::kBlock;
            return true;
        case GifPart::kBlock:
            if (held_[0] == kGifExtension) {
                gifPart_ = GifPart::kExtensionLabel;
            } else if (held_[0] == kGifImage) {
                gifPart_ = GifPart::kImageDescriptor;
            } else if (held_[0] == kGifTrailer) {
                gifPart_ = GifPart::kEnd;
            } else {
                lost_ = true;
            }
            return true;
        case GifPart::kExtensionLabel:
            inImage_ = false;
            gifPart_ = GifPart::kSubBlock;
            return true;
        case GifPart::kImageDescriptor:
            if (held_.size() < kGifDescriptorBytes) {
                return false;
            }
            skip_ = gifTableBytes(held_[kGifDescriptorBytes - 1]);
            gifPart_ = GifPart::kCodeSize;
            return true;
        case GifPart::kCodeSize:
            inImage_ = true;
            gifPart_ = GifPart::kSubBlock;
            return true;
        case GifPart::kSubBlock:
            // Sub-blocks of data, each after its length, up to one of length 0.
            if (held_[0] == 0) {
                frames_ += inImage_ ? 1 : 0;
                gifPart_ = GifPart::kBlock;
            } else {
                skip_ = held_[0];
            }
            return true;
        case GifPart::kEnd:
            lost_ = true;
            return true;
    }
    return true;
}
