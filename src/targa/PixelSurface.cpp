#include "targa/PixelSurface.h"

#include <algorithm>

namespace targa {

void PixelSurface::Reset(int width, int height, Colour background)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    background_ = background & 0xFFFFFFu;
    bands_.clear();
    bands_.resize(static_cast<std::size_t>((height_ + kBandRows - 1) / kBandRows));
}

void PixelSurface::EnsureSize(int width, int height)
{
    if (width <= width_ && height <= height_)
        return;
    PixelSurface grown(std::max(width, width_), std::max(height, height_), background_);
    for (int y = 0; y < height_; ++y) {
        if (!bands_[static_cast<std::size_t>(y / kBandRows)])
            continue;
        std::copy_n(Row(y), width_, grown.Row(y));
    }
    *this = std::move(grown);
}

const std::uint32_t* PixelSurface::Band(int band) const
{
    return bands_[static_cast<std::size_t>(band)].get();
}

std::uint32_t* PixelSurface::Row(int y)
{
    auto& band = bands_[static_cast<std::size_t>(y / kBandRows)];
    const std::size_t bandPixels = static_cast<std::size_t>(width_) * kBandRows;
    if (!band) {
        band = std::make_unique_for_overwrite<std::uint32_t[]>(bandPixels);
        std::fill_n(band.get(), bandPixels, background_ | kOpaque);
    }
    return band.get() + static_cast<std::size_t>(y % kBandRows) * static_cast<std::size_t>(width_);
}

const std::uint32_t* PixelSurface::PixelAddress(int x, int y) const
{
    const auto& band = bands_[static_cast<std::size_t>(y / kBandRows)];
    if (!band)
        return nullptr;
    return band.get() + static_cast<std::size_t>(y % kBandRows) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

Colour PixelSurface::GetPixel(int x, int y) const
{
    if (!Contains(x, y))
        return kInvalidColour;
    const std::uint32_t* p = PixelAddress(x, y);
    return p ? (*p & 0xFFFFFFu) : background_;
}

void PixelSurface::SetPixel(int x, int y, Colour colour)
{
    if (Contains(x, y))
        Row(y)[x] = (colour & 0xFFFFFFu) | kOpaque;
}

void PixelSurface::FillRun(int x, int y, int count, Colour colour)
{
    if (y < 0 || y >= height_ || count <= 0)
        return;
    const long first = std::max<long>(x, 0);
    const long last = std::min<long>(static_cast<long>(x) + count, width_);
    if (first >= last)
        return;
    std::fill(Row(y) + first, Row(y) + last, (colour & 0xFFFFFFu) | kOpaque);
}

bool PixelSurface::Clip(int x, int y, int count, int& first, int& last) const
{
    if (y < 0 || y >= height_ || count <= 0)
        return false;
    first = static_cast<int>(std::max<long>(x, 0));
    last = static_cast<int>(std::min<long>(static_cast<long>(x) + count, width_));
    return first < last;
}

void PixelSurface::SetPixels(int x, int y, const Colour* colours, int count)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    std::uint32_t* row = Row(y);
    for (int i = first; i < last; ++i)
        row[i] = colours[i - x] | kOpaque;
}

void PixelSurface::BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    std::uint32_t* row = Row(y);
    for (int i = first; i < last; ++i)
        row[i] = BlendStored(row[i], colours[i - x], alphas[i - x]);
}

void PixelSurface::BlendRun(int x, int y, int count, Colour colour, int alpha)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    std::uint32_t* row = Row(y);
    for (int i = first; i < last; ++i)
        row[i] = BlendStored(row[i], colour, alpha);
}

void PixelSurface::Blend(int x, int y, int red, int green, int blue, int alpha)
{
    // Outside the surface the invalid colour would be read and the write would
    // fall outside too: nothing changes.
    if (!Contains(x, y))
        return;
    std::uint32_t& pixel = Row(y)[x];
    const int r = BlendChannel(static_cast<int>(pixel & 255), red, alpha);
    const int g = BlendChannel(static_cast<int>((pixel >> 8) & 255), green, alpha);
    const int b = BlendChannel(static_cast<int>((pixel >> 16) & 255), blue, alpha);
    pixel = MakeColour(r, g, b) | kOpaque;
}

} // namespace targa
