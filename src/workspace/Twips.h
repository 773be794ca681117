#pragma once

#include <cmath>
#include <cstdint>

namespace ravelock {

// Positions and sizes are kept in twips, 15 to a logical pixel in both directions.
constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel, an exact half going to the even one.
inline int PixelsFromTwips(double twips) { return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel)); }
constexpr double TwipsFromPixels(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

} // namespace ravelock
