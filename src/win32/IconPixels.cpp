#include "win32/IconPixels.h"

#include <algorithm>
#include <cmath>

namespace win32 {

namespace {

struct Rgb {
    int red;
    int green;
    int blue;
};

constexpr Rgb kSquareBlue{30, 100, 200};
constexpr Rgb kEdgeBlue{14, 42, 107};
constexpr Rgb kChipWhite{255, 255, 255};
constexpr Rgb kDieBlue{98, 147, 221};

// The artwork is laid out on a 16 by 16 grid: a square with rounded corners and a dark edge, and
// on it a white chip with two pins on each side, a blue die and a notch marking pin 1.
constexpr double kGrid = 16.0;
constexpr double kCornerRadius = 3.0;
constexpr double kEdgeWidth = 1.0;

struct Box {
    double left;
    double top;
    double right;
    double bottom;
    bool holds(double x, double y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// How far a point lies inside the rounded square (negative: outside), in grid units.
double depthInSquare(double x, double y) {
    const double half = kGrid / 2.0;
    const double qx = std::abs(x - half) - (half - kCornerRadius);
    const double qy = std::abs(y - half) - (half - kCornerRadius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
    return kCornerRadius - outside;
}

bool onChip(double x, double y) {
    if (Box{4, 4, 12, 12}.holds(x, y)) {
        return true;
    }
    for (const double pin : {6.0, 9.0}) {
        if (Box{2, pin, 4, pin + 1}.holds(x, y) || Box{12, pin, 14, pin + 1}.holds(x, y) ||
            Box{pin, 2, pin + 1, 4}.holds(x, y) || Box{pin, 12, pin + 1, 14}.holds(x, y)) {
            return true;
        }
    }
    return false;
}

// The colour at a point of the grid; nothing outside the square.
const Rgb* colourAt(double x, double y) {
    const double depth = depthInSquare(x, y);
    if (depth <= 0.0) {
        return nullptr;
    }
    if (Box{4.5, 4.5, 5.5, 5.5}.holds(x, y)) {
        return &kSquareBlue;
    }
    if (Box{6, 6, 10, 10}.holds(x, y)) {
        return &kDieBlue;
    }
    if (onChip(x, y)) {
        return &kChipWhite;
    }
    return depth < kEdgeWidth ? &kEdgeBlue : &kSquareBlue;
}

}  // namespace

std::vector<std::uint32_t> programIconPixels(int size) {
    // Each pixel averages a 4 by 4 pattern of samples, which smooths the rounded corners; the grid
    // lines fall on whole pixels at 16, 32, 48 and 256, so the chip stays sharp.
    constexpr int kSamples = 4;
    const double unit = kGrid / size;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            int covered = 0;
            int red = 0;
            int green = 0;
            int blue = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (column + (sx + 0.5) / kSamples) * unit;
                    const double y = (row + (sy + 0.5) / kSamples) * unit;
                    if (const Rgb* colour = colourAt(x, y)) {
                        ++covered;
                        red += colour->red;
                        green += colour->green;
                        blue += colour->blue;
                    }
                }
            }
            if (covered == 0) {
                continue;
            }
            const auto mean = [covered](int sum) { return static_cast<std::uint32_t>((sum + covered / 2) / covered); };
            const auto alpha = static_cast<std::uint32_t>((covered * 255 + kSamples * kSamples / 2) / (kSamples * kSamples));
            pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(size) + static_cast<std::size_t>(column)] =
                alpha << 24 | mean(red) << 16 | mean(green) << 8 | mean(blue);
        }
    }
    return pixels;
}

}  // namespace win32
