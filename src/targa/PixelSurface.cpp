#include "targa/PixelSurface.h"

#include "targa/BlendKernels.h"
#include "targa/Platform.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace targa {

PixelSurface::Storage::Storage(std::size_t bytes) : bytes_(bytes)
{
    if (bytes_ == 0)
        return;
    memory_ = platform::Reserve(bytes_);
    if (!memory_)
        throw std::bad_alloc();
}

PixelSurface::Storage& PixelSurface::Storage::operator=(Storage&& other) noexcept
{
    std::swap(memory_, other.memory_);
    std::swap(bytes_, other.bytes_);
    return *this;
}

PixelSurface::Storage::~Storage()
{
    if (memory_)
        platform::Free(memory_, bytes_);
    memory_ = nullptr;
}

void PixelSurface::Reset(int width, int height, Colour background)
{
    storage_ = Storage(); // release the old memory before reserving the new
    alpha_ = Storage();
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    background_ = background & 0xFFFFFFu;
    const std::size_t texels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    storage_ = Storage(texels * sizeof(std::uint32_t));
    alpha_ = Storage(texels);
    touched_.assign(static_cast<std::size_t>((height_ + kBandRows - 1) / kBandRows), 0);
}

void PixelSurface::EnsureSize(int width, int height)
{
    if (width <= width_ && height <= height_)
        return;
    PixelSurface grown(std::max(width, width_), std::max(height, height_), background_);
    for (int y = 0; y < height_; ++y) {
        if (touched_[static_cast<std::size_t>(y / kBandRows)]) {
            std::copy_n(RowForPainting(y), width_, grown.RowForPainting(y));
            std::copy_n(AlphaRow(y), width_, grown.AlphaRow(y));
        }
    }
    *this = std::move(grown);
}

const std::uint32_t* PixelSurface::Band(int band) const
{
    if (!touched_[static_cast<std::size_t>(band)])
        return nullptr;
    return storage_.Pixels() + static_cast<std::size_t>(band) * kBandRows * static_cast<std::size_t>(width_);
}

const std::uint8_t* PixelSurface::AlphaBand(int band) const
{
    if (!touched_[static_cast<std::size_t>(band)])
        return nullptr;
    return alpha_.Bytes() + static_cast<std::size_t>(band) * kBandRows * static_cast<std::size_t>(width_);
}

std::uint32_t* PixelSurface::RowForPainting(int y)
{
    touched_[static_cast<std::size_t>(y / kBandRows)] = 1;
    return storage_.Pixels() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

Colour PixelSurface::GetPixel(int x, int y) const
{
    if (!Contains(x, y))
        return kInvalidColour;
    const std::uint32_t stored = Stored(x, y);
    return stored ? (stored & 0xFFFFFFu) : background_;
}

std::uint8_t PixelSurface::Alpha(int x, int y) const
{
    if (!Contains(x, y) || !touched_[static_cast<std::size_t>(y / kBandRows)])
        return 0;
    return alpha_.Bytes()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

std::uint32_t PixelSurface::Stored(int x, int y) const
{
    // Reading a band never painted would commit its memory.
    if (!Contains(x, y) || !touched_[static_cast<std::size_t>(y / kBandRows)])
        return 0;
    return storage_
        .Pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void PixelSurface::FillRun(int x, int y, int count, Colour colour)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    std::uint32_t* row = RowForPainting(y);
    std::fill(row + first, row + last, (colour & 0xFFFFFFu) | kOpaque);
    std::fill(AlphaRow(y) + first, AlphaRow(y) + last, 255);
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
    std::uint32_t* row = RowForPainting(y);
    for (int i = first; i < last; ++i)
        row[i] = colours[i - x] | kOpaque;
    std::fill(AlphaRow(y) + first, AlphaRow(y) + last, 255);
}

void PixelSurface::BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    BlendMany(RowForPainting(y) + first, colours + (first - x), alphas + (first - x), last - first, StoredBackground());
    std::copy(alphas + (first - x), alphas + (last - x), AlphaRow(y) + first);
}

void PixelSurface::KeepAlphas(int x, int y, const std::uint8_t* alphas, int count)
{
    int first = 0, last = 0;
    if (Clip(x, y, count, first, last) && touched_[static_cast<std::size_t>(y / kBandRows)])
        std::copy(alphas + (first - x), alphas + (last - x), AlphaRow(y) + first);
}

void PixelSurface::BlendRun(int x, int y, int count, Colour colour, int alpha)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    constexpr int kChunk = 128;
    Colour colours[kChunk];
    std::uint8_t alphas[kChunk];
    std::fill_n(colours, kChunk, colour);
    std::fill_n(alphas, kChunk, static_cast<std::uint8_t>(alpha));
    std::uint32_t* row = RowForPainting(y);
    for (int i = first; i < last; i += kChunk)
        BlendMany(row + i, colours, alphas, std::min(kChunk, last - i), StoredBackground());
    std::fill(AlphaRow(y) + first, AlphaRow(y) + last, static_cast<std::uint8_t>(alpha));
}

} // namespace targa
