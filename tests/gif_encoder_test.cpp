// The GIF encoder: what a decoder reads back is every frame as given, when
// frames change here and there, not at all, or everywhere at once; the same
// frames give the same bytes.

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include "film/gif_encoder.h"

namespace {

// Noise enough to fill LZW's table of 4,096 strings in a frame.
constexpr FilmSize kSize{161, 121};
constexpr int kColours = 7;
constexpr std::array<QRgb, kColours> kPalette{0xFF000000, 0xFF333333, 0xFF8C4E08, 0xFF088780,
                                              0xFFCA8D00, 0xFF40D2AA, 0xFF5050F0};

using Frame = std::vector<std::uint8_t>;

// Frames as a film of a board brings them: a first one of noise, then some
// squares changed, one frame unchanged, one changed everywhere.
std::vector<Frame> framesOfABoard() {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> colour(0, kColours - 1);
    std::uniform_int_distribution<int> anywhere(0, kSize.width * kSize.height - 1);
    std::vector<Frame> frames(1, Frame(static_cast<std::size_t>(kSize.width * kSize.height)));
    for (std::uint8_t& pixel : frames[0]) {
        pixel = static_cast<std::uint8_t>(colour(random));
    }
    for (int changes : {40, 0, 500, 3}) {
        frames.push_back(frames.back());
        for (int i = 0; i < changes; ++i) {
            frames.back()[static_cast<std::size_t>(anywhere(random))] = static_cast<std::uint8_t>(colour(random));
        }
    }
    frames.push_back(frames.back());
    for (std::uint8_t& pixel : frames.back()) {
        pixel = static_cast<std::uint8_t>((pixel + 1) % kColours);
    }
    return frames;
}

QByteArray gifOf(const std::vector<Frame>& frames) {
    GifEncoder encoder(kSize, 10, kPalette);
    std::vector<std::uint8_t> bytes = encoder.start();
    for (const Frame& frame : frames) {
        const std::vector<std::uint8_t> more = encoder.frame(frame);
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    bytes.push_back(GifEncoder::kTrailer);
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())};
}

}  // namespace

TEST(GifEncoder, aDecoderReadsBackEveryFrameAsGivenWhateverChanged) {
    const std::vector<Frame> frames = framesOfABoard();
    QByteArray gif = gifOf(frames);
    QBuffer buffer(&gif);
    QImageReader reader(&buffer, "gif");
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull()) << "frame " << k << ": " << reader.errorString().toStdString();
        ASSERT_EQ(image.width(), kSize.width);
        ASSERT_EQ(image.height(), kSize.height);
        int wrong = 0;
        for (int y = 0; y < kSize.height; ++y) {
            for (int x = 0; x < kSize.width; ++x) {
                const auto at = static_cast<std::size_t>(y * kSize.width + x);
                wrong += image.pixel(x, y) != kPalette[frames[k][at]] ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << "frame " << k;
    }
    EXPECT_FALSE(reader.canRead()) << "more frames than were given";
}

TEST(GifEncoder, theSameFramesGiveTheSameBytesAndAChangeOfAFewSquaresFewBytes) {
    const std::vector<Frame> frames = framesOfABoard();
    EXPECT_EQ(gifOf(frames), gifOf(frames));
    const int whole = gifOf({frames[0]}).size();
    const int fewMore = gifOf({frames[0], frames[1]}).size() - whole;
    EXPECT_LT(fewMore, whole / 4) << "40 squares changed took " << fewMore << " bytes, the whole frame " << whole;
}
