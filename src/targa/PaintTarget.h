#pragma once

#include <cstdint>

namespace targa {

// A colour value: red + 256 x green + 65536 x blue, the top byte zero.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue)
{
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 | static_cast<Colour>(blue) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 255); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 255); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 255); }

// What the decoder paints through, in surface pixels (origin top-left, y down).
// Every operation paints `count` pixels of row y from column x on: opaque
// pixels replace what the surface holds, blended ones are mixed into it.
class PaintTarget {
public:
    virtual ~PaintTarget() = default;

    // Called once the header is known and before the first pixel; the surface
    // must then hold at least width x height pixels. False when it cannot.
    virtual bool PrepareSurface(int width, int height) = 0;
    virtual void PaintRun(int x, int y, int count, Colour colour) = 0;
    virtual void PaintPixels(int x, int y, const Colour* colours, int count) = 0;
    virtual void BlendRun(int x, int y, int count, Colour colour, int alpha) = 0;
    virtual void BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count) = 0;
    // The alphas of pixels just painted opaque: the attribute bit of 16-bit
    // pixels, kept for finding shapes, not painted.
    virtual void KeepAlphas(int x, int y, const std::uint8_t* alphas, int count) = 0;

    // Shows surface rows firstRow to lastRow, painted since the last refresh.
    virtual void Refresh(int firstRow, int lastRow) = 0;
    // Lets pending events run. False asks the decoder to stop at once: the
    // program is ending underneath it.
    virtual bool YieldToEvents() = 0;
};

} // namespace targa
