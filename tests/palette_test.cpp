// The kinds' palette (looks/kind_colours.h) keeps every kind apart from
// every other and lighter than the empty square, the empty square apart
// from the black around the board, and each kind's line on the chart apart
// from the chart's white, as people
// with normal colour vision see it and as people with protanopia or
// deuteranopia do: the colour differences are CIEDE2000's, in CIELAB under
// D65, of the colours as Machado, Oliveira and Fernandes (2009) simulate
// each deficiency at full severity, in linear RGB.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "looks/kind_colours.h"

namespace {

// A CIEDE2000 difference of 1 is about the least a person notices between
// two large patches side by side. A map square is a pixel or a few, seen
// among thousands of others rather than beside one: marks that small need
// several times that difference to be noticed at all (Stone, Szafir and
// Setlur 2014), and a kind must be told at a glance. So every pair of kinds
// differs by at least 20, about what separates pure red (#FF0000) from
// orange (#FF8000). The empty square and the border only need to tell where
// the board ends, and the empty square must stay dark for the kinds to
// stand out against it: 12. A chart's line is long and at least a pixel and
// a half wide on a plain ground: 15.
constexpr double kLeastBetweenKinds = 20.0;
constexpr double kLeastFromBorder = 12.0;
constexpr double kLeastFromChart = 15.0;
// A lone square a pixel wide is seen by its lightness far more than by its
// hue, which the eye resolves more coarsely: every kind is lighter than the
// empty square around it by at least this much CIELAB lightness.
constexpr double kLeastLighterThanEmpty = 12.0;
// The chart's plot area, in Qt Charts' light theme.
constexpr const char* kChartWhite = "#FFFFFF";

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

struct Vision {
    const char* name;
    bool simulated;
    Matrix matrix;
};
// Machado, Oliveira and Fernandes's matrices at severity 1.0.
constexpr std::array<Vision, 3> kVisions{{
    {"normal vision", false, {}},
    {"protanopia",
     true,
     {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}}},
    {"deuteranopia",
     true,
     {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}}},
}};

double linear(std::uint8_t component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// CIELAB of an sRGB colour as a vision sees it, under D65.
Vector labOf(const char* hex, const Vision& vision) {
    const kind_colours::Rgb rgb = kind_colours::rgbOf(hex);
    Vector seen{linear(rgb[0]), linear(rgb[1]), linear(rgb[2])};
    if (vision.simulated) {
        const Vector original = seen;
        for (std::size_t row = 0; row < 3; ++row) {
            const Vector& m = vision.matrix[row];
            seen[row] = std::clamp(m[0] * original[0] + m[1] * original[1] + m[2] * original[2], 0.0, 1.0);
        }
    }
    const auto& [r, g, b] = seen;
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

double toDegrees(double angle) { return angle * 180.0 / std::numbers::pi; }
double toRadians(double angle) { return angle * std::numbers::pi / 180.0; }

// Sharma, Wu and Dalal's formulation of CIEDE2000.
double ciede2000(const Vector& one, const Vector& other) {
    const auto& [l1, a1, b1] = one;
    const auto& [l2, a2, b2] = other;
    const double meanChroma = (std::hypot(a1, b1) + std::hypot(a2, b2)) / 2.0;
    const auto pow7 = [](double v) { return std::pow(v, 7.0); };
    const double g = 0.5 * (1.0 - std::sqrt(pow7(meanChroma) / (pow7(meanChroma) + pow7(25.0))));
    const double a1p = (1.0 + g) * a1;
    const double a2p = (1.0 + g) * a2;
    const double c1 = std::hypot(a1p, b1);
    const double c2 = std::hypot(a2p, b2);
    const auto hue = [](double b, double a) {
        return a == 0.0 && b == 0.0 ? 0.0 : std::fmod(toDegrees(std::atan2(b, a)) + 360.0, 360.0);
    };
    const double h1 = hue(b1, a1p);
    const double h2 = hue(b2, a2p);
    const bool grey = c1 * c2 == 0.0;
    double dh = h2 - h1;
    if (grey) {
        dh = 0.0;
    } else if (dh > 180.0) {
        dh -= 360.0;
    } else if (dh < -180.0) {
        dh += 360.0;
    }
    const double dL = l2 - l1;
    const double dC = c2 - c1;
    const double dH = 2.0 * std::sqrt(c1 * c2) * std::sin(toRadians(dh / 2.0));
    const double meanL = (l1 + l2) / 2.0;
    const double meanC = (c1 + c2) / 2.0;
    double meanH = h1 + h2;
    if (!grey) {
        meanH = std::abs(h1 - h2) <= 180.0 ? meanH / 2.0 : meanH < 360.0 ? (meanH + 360.0) / 2.0 : (meanH - 360.0) / 2.0;
    }
    const double t = 1.0 - 0.17 * std::cos(toRadians(meanH - 30.0)) + 0.24 * std::cos(toRadians(2.0 * meanH)) +
                     0.32 * std::cos(toRadians(3.0 * meanH + 6.0)) - 0.20 * std::cos(toRadians(4.0 * meanH - 63.0));
    const double rotation = 30.0 * std::exp(-std::pow((meanH - 275.0) / 25.0, 2.0));
    const double rc = 2.0 * std::sqrt(pow7(meanC) / (pow7(meanC) + pow7(25.0)));
    const double sl = 1.0 + 0.015 * std::pow(meanL - 50.0, 2.0) / std::sqrt(20.0 + std::pow(meanL - 50.0, 2.0));
    const double sc = 1.0 + 0.045 * meanC;
    const double sh = 1.0 + 0.015 * meanC * t;
    const double rt = -std::sin(toRadians(2.0 * rotation)) * rc;
    return std::sqrt(std::pow(dL / sl, 2.0) + std::pow(dC / sc, 2.0) + std::pow(dH / sh, 2.0) +
                     rt * (dC / sc) * (dH / sh));
}

// CIELAB's own distance, of 1976, for the notes beside CIEDE2000's.
double cie1976(const Vector& one, const Vector& other) {
    return std::hypot(one[0] - other[0], one[1] - other[1], one[2] - other[2]);
}

const char* kindName(std::size_t kind) {
    constexpr std::array<const char*, kind_colours::kKinds.size()> kNames{
        "the empty square", "brown lizards", "green lizards", "brown eggs", "green eggs", "cats"};
    return kNames[kind];
}

TEST(Palette, ciede2000GivesSharmaWuAndDalalsDifferences) {
    struct Pair {
        Vector one;
        Vector other;
        double difference;
    };
    // From their table of test data: blues, where the rotation term counts,
    // a grey, mean hues on either side of the turn at 180 degrees, a large
    // difference, and near-black.
    constexpr std::array<Pair, 10> kPairs{{
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425},
        {{50.0, -1.3802, -84.2814}, {50.0, 0.0, -82.7485}, 1.0000},
        {{50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}, 2.3669},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0009}, 7.1792},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0011}, 7.2195},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492},
        {{50.0, 2.5, 0.0}, {50.0, 3.2592, 0.3350}, 1.0},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
    }};
    for (const Pair& pair : kPairs) {
        EXPECT_NEAR(ciede2000(pair.one, pair.other), pair.difference, 1e-4);
        EXPECT_NEAR(ciede2000(pair.other, pair.one), pair.difference, 1e-4);
    }
}

TEST(Palette, everyKindStandsApartFromEveryOtherAndTheEmptySquareFromTheBorderInEachVision) {
    for (const Vision& vision : kVisions) {
        double least = 1e9;
        double least1976 = 1e9;
        std::string closest;
        for (std::size_t one = 0; one < kind_colours::kKinds.size(); ++one) {
            for (std::size_t other = one + 1; other < kind_colours::kKinds.size(); ++other) {
                const Vector a = labOf(kind_colours::kKinds[one], vision);
                const Vector b = labOf(kind_colours::kKinds[other], vision);
                const double difference = ciede2000(a, b);
                EXPECT_GE(difference, kLeastBetweenKinds)
                    << vision.name << ": " << kindName(one) << " and " << kindName(other);
                if (difference < least) {
                    least = difference;
                    closest = std::string(kindName(one)) + " and " + kindName(other);
                }
                least1976 = std::min(least1976, cie1976(a, b));
            }
        }
        const Vector empty = labOf(kind_colours::colourOf(SquareLook::kEmptySquare), vision);
        const Vector border = labOf(kind_colours::kBorder, vision);
        const double fromBorder = ciede2000(empty, border);
        EXPECT_GE(fromBorder, kLeastFromBorder) << vision.name << ": the empty square and the border";
        std::printf("%s: the least difference between kinds is %.1f in CIEDE2000, between %s (the least in "
                    "CIELAB 1976: %.1f); the empty square's from the border %.1f (%.1f)\n",
                    vision.name, least, closest.c_str(), least1976, fromBorder, cie1976(empty, border));
    }
}

TEST(Palette, everyKindIsLighterThanTheEmptySquareInEachVision) {
    for (const Vision& vision : kVisions) {
        const double empty = labOf(kind_colours::colourOf(SquareLook::kEmptySquare), vision)[0];
        double least = 1e9;
        for (std::size_t kind = indexOf(SquareLook::kBrownLizard); kind < kind_colours::kKinds.size(); ++kind) {
            const double lighter = labOf(kind_colours::kKinds[kind], vision)[0] - empty;
            EXPECT_GE(lighter, kLeastLighterThanEmpty) << vision.name << ": " << kindName(kind);
            least = std::min(least, lighter);
        }
        std::printf("%s: the kinds are at least %.1f lighter than the empty square\n", vision.name, least);
    }
}

TEST(Palette, everyKindsLineStandsApartFromTheChartsWhiteInEachVision) {
    for (const Vision& vision : kVisions) {
        const Vector white = labOf(kChartWhite, vision);
        for (std::size_t kind = indexOf(SquareLook::kBrownLizard); kind < kind_colours::kKinds.size(); ++kind) {
            EXPECT_GE(ciede2000(labOf(kind_colours::kKinds[kind], vision), white), kLeastFromChart)
                << vision.name << ": " << kindName(kind);
        }
    }
}

}  // namespace
