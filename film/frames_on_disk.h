#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "film/film_format.h"

// The whole frames in a film's bytes, counted as the bytes go to the file
// in the order the file holds them: a WebM's blocks, a GIF's images. A film
// that a full disk cut short holds the frames whose bytes all reached it,
// which are what it says it holds; the encoder's own count would tell of
// frames still in its buffers.
class FramesOnDisk {
public:
    explicit FramesOnDisk(FilmKind kind) : kind_(kind) {}

    // The next bytes of the file, as written.
    void add(const std::uint8_t* bytes, std::size_t count);
    [[nodiscard]] std::int64_t frames() const { return frames_; }

private:
    // Reads what the bytes held so far complete; false until they complete
    // something.
    bool readWebM();
    bool readGif();

    enum class GifPart { kHeader, kBlock, kExtensionLabel, kImageDescriptor, kCodeSize, kSubBlock, kEnd };

    FilmKind kind_;
    std::int64_t frames_ = 0;
    // The start of an element or a block not yet whole, and the payload
    // still to pass over, the last bytes of a frame when frameAtEnd_.
    std::vector<std::uint8_t> held_;
    std::uint64_t skip_ = 0;
    bool frameAtEnd_ = false;
    // Bytes that are not what the encoder writes end the count.
    bool lost_ = false;
    GifPart gifPart_ = GifPart::kHeader;
    bool inImage_ = false;
};
