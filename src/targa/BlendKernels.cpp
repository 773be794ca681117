#include "targa/BlendKernels.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace targa {

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
    const __m128i blended =
        _mm_or_si128(_mm_packus_epi16(halves[0], halves[1]), _mm_set1_epi32(static_cast<int>(PixelSurface::kOpaque)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row), blended);
}

// The same for eight pixels with AVX2, used where the processor has it.
// Unpacking works within 128-bit lanes, and packing undoes it the same way.
__attribute__((target("avx2"))) int BlendManyAvx2(std::uint32_t* row, const Colour* colours, const std::uint8_t* alphas,
                                                  int count, std::uint32_t background)
{
    const __m256i stored = _mm256_set1_epi32(static_cast<int>(background));
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lowByte = _mm256_set1_epi16(0xFF);
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(PixelSurface::kOpaque));
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 6,
                                            6, 6, 6, 7, 7, 7, 7);
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

} // namespace

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

} // namespace targa
