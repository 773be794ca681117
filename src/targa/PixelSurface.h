#pragma once

#include "targa/PaintTarget.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace targa {

static_assert(std::endian::native == std::endian::little, "the surface's memory is read as R, G, B, A bytes");

// A persistent picture that keeps whatever is painted into it. Its memory is
// reserved, not committed: pages are backed only once painted, so a header
// that claims a huge image costs memory only for the rows the file really
// paints, and a fresh surface needs no clearing.
class PixelSurface {
public:
    static constexpr Colour kInvalidColour = 0xFFFFFFFFu;
    static constexpr int kBandRows = 32;
    // Painted pixels are stored with an opaque alpha byte, and a stored 0 is
    // background never painted over: the memory shows directly as
    // premultiplied RGBA drawn over the background.
    static constexpr std::uint32_t kOpaque = 0xFF000000u;

    PixelSurface() = default;
    PixelSurface(int width, int height, Colour background) { Reset(width, height, background); }

    // Discards everything and starts over at the given size.
    void Reset(int width, int height, Colour background);
    // Grows to at least width x height, keeping what was painted.
    void EnsureSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour Background() const { return background_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Colour GetPixel(int x, int y) const;
    // The texel's alpha as the file gave it: 255 where it was painted opaque,
    // 0 where nothing was painted or outside the surface.
    std::uint8_t Alpha(int x, int y) const;
    // What the memory holds for the pixel: R, G, B and an opaque alpha byte,
    // or 0 where nothing was painted or outside the surface.
    std::uint32_t Stored(int x, int y) const;
    // Pixels x to x + count - 1 of row y, clipped to the surface.
    void FillRun(int x, int y, int count, Colour colour);
    void SetPixels(int x, int y, const Colour* colours, int count);
    void BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count);
    void BlendRun(int x, int y, int count, Colour colour, int alpha);
    // Sets the alphas of pixels painted already, leaving their colours.
    void KeepAlphas(int x, int y, const std::uint8_t* alphas, int count);

    // The band's stored pixels (kBandRows rows of Width() each, the last band
    // possibly shorter), or null where nothing has been painted yet.
    const std::uint32_t* Band(int band) const;
    int BandCount() const { return static_cast<int>(touched_.size()); }
    // The band's alphas, a byte a texel laid out as Band(), or null where nothing has been painted.
    const std::uint8_t* AlphaBand(int band) const;
    std::uint32_t StoredBackground() const { return background_ | kOpaque; }

private:
    // Anonymous memory that reads as zeros until written.
    class Storage {
    public:
        Storage() = default;
        explicit Storage(std::size_t bytes);
        Storage(Storage&& other) noexcept : memory_(other.memory_), bytes_(other.bytes_) { other.memory_ = nullptr; }
        Storage& operator=(Storage&& other) noexcept;
        ~Storage();
        std::uint32_t* Pixels() const { return static_cast<std::uint32_t*>(memory_); }
        std::uint8_t* Bytes() const { return static_cast<std::uint8_t*>(memory_); }

    private:
        void* memory_ = nullptr;
        std::size_t bytes_ = 0;
    };

    // The part [first, last) of x .. x + count - 1 that lies on row y, or false.
    bool Clip(int x, int y, int count, int& first, int& last) const;
    // Row y's stored values, its band then counting as painted; y must be inside.
    std::uint32_t* RowForPainting(int y);
    std::uint8_t* AlphaRow(int y)
    {
        return alpha_.Bytes() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

    int width_ = 0;
    int height_ = 0;
    Colour background_ = 0;
    Storage storage_;
    Storage alpha_;                     // a byte a texel, beside the stored colours
    std::vector<std::uint8_t> touched_; // per band
};

// new = old + N((source - old) x alpha / 256), N rounding to the nearest
// integer with an exact half going to the even neighbour.
constexpr int BlendChannel(int old, int source, int alpha)
{
    const int scaled = (source - old) * alpha;
    int quotient = scaled >> 8; // floor division by 256
    const int rest = scaled & 255;
    if (rest > 128 || (rest == 128 && (quotient & 1)))
        ++quotient;
    return old + quotient;
}

// BlendChannel on the three channels of a stored pixel, without branches so
// that row loops vectorise.
inline std::uint32_t BlendStored(std::uint32_t old, Colour source, int alpha)
{
    std::uint32_t out = PixelSurface::kOpaque;
    for (int shift = 0; shift < 24; shift += 8) {
        const int o = static_cast<int>((old >> shift) & 255);
        const int t = (static_cast<int>((source >> shift) & 255) - o) * alpha + 128;
        int q = t >> 8;
        q -= static_cast<int>((t & 255) == 0) & q;
        out |= static_cast<std::uint32_t>(o + q) << shift;
    }
    return out;
}

} // namespace targa
