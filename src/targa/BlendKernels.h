#pragma once

#include "targa/PixelSurface.h"

#include <cstdint>

namespace targa {

// Blends count stored pixels of a row, reading an unpainted 0 as the
// background; every path (AVX2, SSE2, one pixel at a time) gives
// BlendStored's result.
void BlendMany(std::uint32_t* row, const Colour* colours, const std::uint8_t* alphas, int count,
               std::uint32_t background);

} // namespace targa
