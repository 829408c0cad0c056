#include "film/map_chroma.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// BT.601 in limited range, as the films are marked: a decoded colour.
std::array<double, 3> rgbOf(double y, double u, double v) {
    const double c = 1.164383 * (y - 16.0);
    const auto clamp = [](double value) { return std::clamp(value, 0.0, 255.0); };
    return {clamp(c + 1.596027 * (v - 128.0)), clamp(c - 0.391762 * (u - 128.0) - 0.812968 * (v - 128.0)),
            clamp(c + 2.017232 * (u - 128.0))};
}

// The chroma tried, every kChromaStep from the least to the most, and the
// brightness, every kLumaStep: fine enough to find the narrow colours in
// which two kinds' squares can share a block.
constexpr int kLeastChroma = 16;
constexpr int kMostChroma = 240;
constexpr int kChromaStep = 4;
constexpr std::size_t kChromas = (kMostChroma - kLeastChroma) / kChromaStep + 1;
constexpr int kLeastLuma = 16;
constexpr int kMostLuma = 235;
constexpr int kLumaStep = 2;
// How far inside its colour's region a pixel is safe from VP8's losses, in
// steps of red, green and blue.
constexpr double kSafeMargin = 4.0;

}  // namespace

MapChroma::MapChroma(std::span<const QRgb> palette) {
    for (const QRgb colour : palette.first(std::min(palette.size(), kMostColours))) {
        palette_.push_back({qRed(colour), qGreen(colour), qBlue(colour)});
    }
    const std::size_t n = palette_.size();
    blocks_.resize(n * n * n * n);
    // For each colour and each chroma, the brightness that shows a pixel
    // nearest its own colour while safely inside the colours nearest it,
    // or, where none is safe, as deep inside as it can be.
    best_.resize(n * kChromas * kChromas);
    for (std::size_t target = 0; target < n; ++target) {
        for (std::size_t ui = 0; ui < kChromas; ++ui) {
            for (std::size_t vi = 0; vi < kChromas; ++vi) {
                const int u = kLeastChroma + static_cast<int>(ui) * kChromaStep;
                const int v = kLeastChroma + static_cast<int>(vi) * kChromaStep;
                Depth& depth = best_[(target * kChromas + ui) * kChromas + vi];
                depth.margin = -std::numeric_limits<double>::max();
                depth.error = std::numeric_limits<double>::max();
                for (int luma = kLeastLuma; luma <= kMostLuma; luma += kLumaStep) {
                    const std::array<double, 3> shown = rgbOf(luma, u, v);
                    const double m = marginOf(shown, target);
                    double error = 0;
                    for (std::size_t k = 0; k < 3; ++k) {
                        error += (shown[k] - palette_[target][k]) * (shown[k] - palette_[target][k]);
                    }
                    const bool safe = m >= kSafeMargin;
                    const bool better = safe ? depth.margin < kSafeMargin || error < depth.error : m > depth.margin;
                    if (better) {
                        depth.margin = m;
                        depth.error = error;
                        depth.luma = static_cast<std::uint8_t>(luma);
                    }
                }
            }
        }
    }
}

double MapChroma::marginOf(const std::array<double, 3>& c, std::size_t target) const {
    // The distance from the colour to the nearest border with another
    // colour's region, below 0 when it lies outside its own.
    double least = std::numeric_limits<double>::max();
    const auto& t = palette_[target];
    for (std::size_t j = 0; j < palette_.size(); ++j) {
        if (j == target) {
            continue;
        }
        const auto& p = palette_[j];
        double toOther = 0;
        double toTarget = 0;
        double apart = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            toOther += (c[k] - p[k]) * (c[k] - p[k]);
            toTarget += (c[k] - t[k]) * (c[k] - t[k]);
            apart += static_cast<double>((p[k] - t[k]) * (p[k] - t[k]));
        }
        least = std::min(least, (toOther - toTarget) / (2.0 * std::sqrt(std::max(apart, 1.0))));
    }
    return least;
}

int MapChroma::colourOf(const std::uint8_t* pixel) const {
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        if (palette_[i][0] == pixel[0] && palette_[i][1] == pixel[1] && palette_[i][2] == pixel[2]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const MapChroma::Block& MapChroma::blockOf(const std::array<int, 4>& colours) {
    const std::size_t n = palette_.size();
    std::size_t index = 0;
    for (const int colour : colours) {
        index = index * n + static_cast<std::size_t>(colour);
    }
    Block& block = blocks_[index];
    if (block.known) {
        return block;
    }
    // The most pixels safely nearest their own colour, then the most
    // nearest it at all, then the colours closest to the pixels' own.
    std::array<double, 3> best{-1, -1, 0};
    for (std::size_t ui = 0; ui < kChromas; ++ui) {
        for (std::size_t vi = 0; vi < kChromas; ++vi) {
            std::array<double, 3> score{0, 0, 0};
            for (const int colour : colours) {
                const Depth& depth = best_[(static_cast<std::size_t>(colour) * kChromas + ui) * kChromas + vi];
                score[0] += depth.margin >= kSafeMargin ? 1 : 0;
                score[1] += depth.margin > 0 ? 1 : 0;
                score[2] -= depth.error;
            }
            if (score > best) {
                best = score;
                block.u = static_cast<std::uint8_t>(kLeastChroma + static_cast<int>(ui) * kChromaStep);
                block.v = static_cast<std::uint8_t>(kLeastChroma + static_cast<int>(vi) * kChromaStep);
                for (std::size_t i = 0; i < 4; ++i) {
                    block.luma[i] =
                        best_[(static_cast<std::size_t>(colours[i]) * kChromas + ui) * kChromas + vi].luma;
                }
            }
        }
    }
    block.known = true;
    return block;
}

void MapChroma::apply(const std::uint8_t* rgb, int rgbStride, int width, int height, std::uint8_t* y, int yStride,
                      std::uint8_t* u, int uStride, std::uint8_t* v, int vStride) {
    for (int by = 0; by + 1 < height; by += 2) {
        const std::uint8_t* rows[2] = {rgb + static_cast<std::ptrdiff_t>(by) * rgbStride,
                                       rgb + static_cast<std::ptrdiff_t>(by + 1) * rgbStride};
        for (int bx = 0; bx + 1 < width; bx += 2) {
            std::array<int, 4> colours{};
            bool all = true;
            for (int i = 0; i < 4 && all; ++i) {
                colours[static_cast<std::size_t>(i)] = colourOf(rows[i / 2] + 3 * (bx + i % 2));
                all = colours[static_cast<std::size_t>(i)] >= 0;
            }
            // A block of one colour keeps the usual conversion, exact.
            if (!all || (colours[0] == colours[1] && colours[1] == colours[2] && colours[2] == colours[3])) {
                continue;
            }
            const Block& block = blockOf(colours);
            for (int i = 0; i < 4; ++i) {
                y[static_cast<std::ptrdiff_t>(by + i / 2) * yStride + bx + i % 2] = block.luma[static_cast<std::size_t>(i)];
            }
            u[static_cast<std::ptrdiff_t>(by / 2) * uStride + bx / 2] = block.u;
            v[static_cast<std::ptrdiff_t>(by / 2) * vStride + bx / 2] = block.v;
        }
    }
}
