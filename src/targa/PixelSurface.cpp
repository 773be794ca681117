#include "targa/PixelSurface.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include <sys/mman.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace targa {

PixelSurface::Storage::Storage(std::size_t pixels) : bytes_(pixels * sizeof(std::uint32_t))
{
    if (bytes_ == 0)
        return;
    void* memory = ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Large pictures fault in far faster in huge pages; where the system
    // refuses, small pages do.
    ::madvise(memory, bytes_, MADV_HUGEPAGE);
    pixels_ = static_cast<std::uint32_t*>(memory);
}

PixelSurface::Storage& PixelSurface::Storage::operator=(Storage&& other) noexcept
{
    std::swap(pixels_, other.pixels_);
    std::swap(bytes_, other.bytes_);
    return *this;
}

PixelSurface::Storage::~Storage()
{
    if (pixels_)
        ::munmap(pixels_, bytes_);
    pixels_ = nullptr;
}

void PixelSurface::Reset(int width, int height, Colour background)
{
    storage_ = Storage(); // release the old memory before reserving the new
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    background_ = background & 0xFFFFFFu;
    storage_ = Storage(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    touched_.assign(static_cast<std::size_t>((height_ + kBandRows - 1) / kBandRows), 0);
}

void PixelSurface::EnsureSize(int width, int height)
{
    if (width <= width_ && height <= height_)
        return;
    PixelSurface grown(std::max(width, width_), std::max(height, height_), background_);
    for (int y = 0; y < height_; ++y) {
        if (touched_[static_cast<std::size_t>(y / kBandRows)])
            std::copy_n(RowForPainting(y), width_, grown.RowForPainting(y));
    }
    *this = std::move(grown);
}

const std::uint32_t* PixelSurface::Band(int band) const
{
    if (!touched_[static_cast<std::size_t>(band)])
        return nullptr;
    return storage_.Pixels() + static_cast<std::size_t>(band) * kBandRows * static_cast<std::size_t>(width_);
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
    const std::uint32_t stored =
        storage_.Pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return stored ? (stored & 0xFFFFFFu) : background_;
}

void PixelSurface::FillRun(int x, int y, int count, Colour colour)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    std::uint32_t* row = RowForPainting(y);
    std::fill(row + first, row + last, (colour & 0xFFFFFFu) | kOpaque);
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
}

namespace {

#if defined(__x86_64__)
// BlendStored for four pixels at once, in 16-bit lanes. With P = source x
// alpha + 128 and Q = old x alpha, the rounded quotient is
// high(P) - high(Q) - (low(P) < low(Q)), and an exact half is low(P) == low(Q).
void BlendFour(std::uint32_t* row, const Colour* colours, const std::uint8_t* alphas, std::uint32_t background)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    const __m128i half = _mm_set1_epi16(128);
    const __m128i one = _mm_set1_epi16(1);
    std::uint32_t a = 0;
    std::memcpy(&a, alphas, 4);
    __m128i alpha = _mm_cvtsi32_si128(static_cast<int>(a));
    alpha = _mm_unpacklo_epi8(alpha, alpha);
    alpha = _mm_unpacklo_epi8(alpha, alpha);
    __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
    const __m128i unpainted = _mm_cmpeq_epi32(old, zero);
    old = _mm_or_si128(old, _mm_and_si128(unpainted, _mm_set1_epi32(static_cast<int>(background))));
    const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colours));
    __m128i halves[2];
    for (int h = 0; h < 2; ++h) {
        const __m128i al = h ? _mm_unpackhi_epi8(alpha, zero) : _mm_unpacklo_epi8(alpha, zero);
        const __m128i o = h ? _mm_unpackhi_epi8(old, zero) : _mm_unpacklo_epi8(old, zero);
        const __m128i s = h ? _mm_unpackhi_epi8(source, zero) : _mm_unpacklo_epi8(source, zero);
        const __m128i p = _mm_add_epi16(_mm_mullo_epi16(s, al), half);
        const __m128i q = _mm_mullo_epi16(o, al);
        const __m128i pl = _mm_and_si128(p, lowByte);
        const __m128i ql = _mm_and_si128(q, lowByte);
        __m128i quotient = _mm_sub_epi16(_mm_srli_epi16(p, 8), _mm_srli_epi16(q, 8));
        quotient = _mm_add_epi16(quotient, _mm_cmplt_epi16(pl, ql));
        const __m128i tie = _mm_cmpeq_epi16(pl, ql);
        quotient = _mm_sub_epi16(quotient, _mm_and_si128(tie, _mm_and_si128(quotient, one)));
        halves[h] = _mm_add_epi16(o, quotient);
    }
    const __m128i blended = _mm_or_si128(_mm_packus_epi16(halves[0], halves[1]),
                                         _mm_set1_epi32(static_cast<int>(PixelSurface::kOpaque)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row), blended);
}

// The same for eight pixels with AVX2, used where the processor has it.
// Unpacking works within 128-bit lanes, and packing undoes it the same way.
__attribute__((target("avx2"))) int BlendManyAvx2(std::uint32_t* row, const Colour* colours,
                                                  const std::uint8_t* alphas, int count, std::uint32_t background)
{
    const __m256i stored = _mm256_set1_epi32(static_cast<int>(background));
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lowByte = _mm256_set1_epi16(0xFF);
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(PixelSurface::kOpaque));
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5,
                                            6, 6, 6, 6, 7, 7, 7, 7);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        long long a = 0;
        std::memcpy(&a, alphas + i, 8);
        const __m256i alpha = _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_cvtsi64_si128(a)), spread);
        __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i));
        old = _mm256_blendv_epi8(old, stored, _mm256_cmpeq_epi32(old, zero));
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(colours + i));
        __m256i halves[2];
        for (int h = 0; h < 2; ++h) {
            const __m256i al = h ? _mm256_unpackhi_epi8(alpha, zero) : _mm256_unpacklo_epi8(alpha, zero);
            const __m256i o = h ? _mm256_unpackhi_epi8(old, zero) : _mm256_unpacklo_epi8(old, zero);
            const __m256i s = h ? _mm256_unpackhi_epi8(source, zero) : _mm256_unpacklo_epi8(source, zero);
            const __m256i p = _mm256_add_epi16(_mm256_mullo_epi16(s, al), half);
            const __m256i q = _mm256_mullo_epi16(o, al);
            const __m256i pl = _mm256_and_si256(p, lowByte);
            const __m256i ql = _mm256_and_si256(q, lowByte);
            __m256i quotient = _mm256_sub_epi16(_mm256_srli_epi16(p, 8), _mm256_srli_epi16(q, 8));
            quotient = _mm256_add_epi16(quotient, _mm256_cmpgt_epi16(ql, pl));
            const __m256i tie = _mm256_cmpeq_epi16(pl, ql);
            quotient = _mm256_sub_epi16(quotient, _mm256_and_si256(tie, _mm256_and_si256(quotient, one)));
            halves[h] = _mm256_add_epi16(o, quotient);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i),
                            _mm256_or_si256(_mm256_packus_epi16(halves[0], halves[1]), opaque));
    }
    return i;
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

// Blends count stored pixels of a row, reading an unpainted 0 as the
// background; every path gives BlendStored's result.
void BlendMany(std::uint32_t* row, const Colour* colours, const std::uint8_t* alphas, int count,
               std::uint32_t background)
{
    int i = 0;
#if defined(__x86_64__)
    if (kHasAvx2)
        i = BlendManyAvx2(row, colours, alphas, count, background);
    for (; i + 4 <= count; i += 4)
        BlendFour(row + i, colours + i, alphas + i, background);
#endif
    for (; i < count; ++i)
        row[i] = BlendStored(row[i] ? row[i] : background, colours[i], alphas[i]);
}

} // namespace

void PixelSurface::BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count)
{
    int first = 0, last = 0;
    if (!Clip(x, y, count, first, last))
        return;
    BlendMany(RowForPainting(y) + first, colours + (first - x), alphas + (first - x), last - first, StoredBackground());
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
}

} // namespace targa
