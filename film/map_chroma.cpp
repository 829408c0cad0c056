#include "film/map_chroma.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// BT.601 in limited range, as the films are marked.
struct Yuv {
    double y;
    double u;
    double v;
};
Yuv yuvOf(const std::array<int, 3>& rgb) {
    const double r = rgb[0];
    const double g = rgb[1];
    const double b = rgb[2];
    return {16.0 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0,
            128.0 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0,
            128.0 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0};
}
std::array<double, 3> rgbOf(double y, double u, double v) {
    const double c = 1.164383 * (y - 16.0);
    const auto clamp = [](double value) { return std::clamp(value, 0.0, 255.0); };
    return {clamp(c + 1.596027 * (v - 128.0)), clamp(c - 0.391762 * (u - 128.0) - 0.812968 * (v - 128.0)),
            clamp(c + 2.017232 * (u - 128.0))};
}

// The chroma tried besides the block's own colours', every kChromaStep.
constexpr int kChromaStep = 14;
// Brightness tried around the one nearest the pixel's colour.
constexpr std::array<int, 15> kLumaSteps{-32, -24, -16, -12, -8, -4, -2, 0, 2, 4, 8, 12, 16, 24, 32};

}  // namespace

MapChroma::MapChroma(std::span<const QRgb> palette) {
    for (const QRgb colour : palette.first(std::min(palette.size(), kMostColours))) {
        palette_.push_back({qRed(colour), qGreen(colour), qBlue(colour)});
    }
    const std::size_t n = palette_.size();
    blocks_.resize(n * n * n * n);
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
    // How far a decoded colour lies inside the region of colours nearest
    // `target`: its distance to the nearest border with another colour's,
    // below 0 when it is outside.
    const auto margin = [this](const std::array<double, 3>& c, std::size_t target) {
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
    };
    std::vector<std::pair<int, int>> chromas;
    double meanU = 0;
    double meanV = 0;
    for (const int colour : colours) {
        const Yuv own = yuvOf(palette_[static_cast<std::size_t>(colour)]);
        chromas.emplace_back(static_cast<int>(std::lround(own.u)), static_cast<int>(std::lround(own.v)));
        meanU += own.u / 4;
        meanV += own.v / 4;
    }
    chromas.emplace_back(static_cast<int>(std::lround(meanU)), static_cast<int>(std::lround(meanV)));
    for (int u = 16; u <= 240; u += kChromaStep) {
        for (int v = 16; v <= 240; v += kChromaStep) {
            chromas.emplace_back(u, v);
        }
    }
    // The most pixels nearest their own colour, then the widest margin of
    // the worst of them.
    int bestRight = -1;
    double bestMargin = -std::numeric_limits<double>::max();
    for (const auto& [u, v] : chromas) {
        const std::array<double, 3> offset = rgbOf(16.0, u, v);
        Block tried;
        tried.u = static_cast<std::uint8_t>(u);
        tried.v = static_cast<std::uint8_t>(v);
        int right = 0;
        double worst = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < 4; ++i) {
            const auto target = static_cast<std::size_t>(colours[i]);
            const auto& t = palette_[target];
            const double nearest = 16.0 + ((t[0] - offset[0]) + (t[1] - offset[1]) + (t[2] - offset[2])) / 3.0 / 1.164383;
            double best = -std::numeric_limits<double>::max();
            int bestLuma = 16;
            for (const int step : kLumaSteps) {
                const int luma = std::clamp(static_cast<int>(std::lround(nearest)) + step, 16, 235);
                const double m = margin(rgbOf(luma, u, v), target);
                if (m > best) {
                    best = m;
                    bestLuma = luma;
                }
            }
            tried.luma[i] = static_cast<std::uint8_t>(bestLuma);
            // The pixels that cannot be right do not hold back the margin
            // of those that can.
            if (best > 0) {
                ++right;
                worst = std::min(worst, best);
            }
        }
        if (right > bestRight || (right == bestRight && worst > bestMargin)) {
            bestRight = right;
            bestMargin = worst;
            block = tried;
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
            if (!all) {
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
