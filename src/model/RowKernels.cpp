#include "model/RowKernels.h"

#include "model/Blending.h"
#include "model/FixedPoint.h"

#if defined(__x86_64__) || defined(__i386__)
#define KV_X86_KERNELS 1
#include <immintrin.h>
#else
#define KV_X86_KERNELS 0
#endif

namespace kv {

namespace {

// Alpha is the block's mean alpha rounded half up; colors are weighted by
// alpha, so transparent pixels do not tint the result.
inline Color32 ReduceBlock(Color32 p1, Color32 p2, Color32 p3, Color32 p4) {
    const std::uint32_t a1 = AlphaOf(p1), a2 = AlphaOf(p2), a3 = AlphaOf(p3), a4 = AlphaOf(p4);
    const std::uint32_t sum = a1 + a2 + a3 + a4;
    if (sum == 0) return 0;
    const std::uint64_t r = ReciprocalTable[sum];
    const auto channel = [&](unsigned shift) {
        const std::uint32_t q = ((p1 >> shift) & 0xFF) * a1 + ((p2 >> shift) & 0xFF) * a2 +
                                ((p3 >> shift) & 0xFF) * a3 + ((p4 >> shift) & 0xFF) * a4;
        return static_cast<std::uint32_t>((q * r + (1u << 23)) >> 24);
    };
    const std::uint32_t alpha = (sum * (1u << 22) + (1u << 23)) >> 24;
    return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

#if KV_X86_KERNELS
bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// Lanes hold whole 32-bit products, since A x f < 2^32.
__attribute__((target("avx2"))) std::int32_t ScaleAlphaAvx2(Color32* p, std::int32_t n,
                                                            std::uint32_t fraction) {
    const __m256i f = _mm256_set1_epi32(static_cast<int>(fraction));
    const __m256i half = _mm256_set1_epi32(1 << 23);
    const __m256i colorMask = _mm256_set1_epi32(0x00FFFFFF);
    std::int32_t x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + x));
        const __m256i scaled = _mm256_srli_epi32(
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srli_epi32(c, 24), f), half), 24);
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(p + x),
            _mm256_or_si256(_mm256_and_si256(c, colorMask), _mm256_slli_epi32(scaled, 24)));
    }
    return x;
}

#if defined(__SSE2__)
// SSE2 has no 32-bit low multiply; two 32 x 32 -> 64 multiplies of the even
// and odd lanes give the same products.
std::int32_t ScaleAlphaSse2(Color32* p, std::int32_t n, std::int32_t x, std::uint32_t fraction) {
    const __m128i f = _mm_set1_epi32(static_cast<int>(fraction));
    const __m128i half = _mm_set1_epi32(1 << 23);
    const __m128i colorMask = _mm_set1_epi32(0x00FFFFFF);
    for (; x + 4 <= n; x += 4) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
        const __m128i alpha = _mm_srli_epi32(c, 24);
        const __m128i even = _mm_mul_epu32(alpha, f);
        const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(alpha, 32), f);
        const __m128i products =
            _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                               _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
        const __m128i scaled = _mm_srli_epi32(_mm_add_epi32(products, half), 24);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x),
                         _mm_or_si128(_mm_and_si128(c, colorMask), _mm_slli_epi32(scaled, 24)));
    }
    return x;
}
#endif

// (q x r + 2^23) >> 24 in 32-bit lanes: r splits into 12-bit halves so that no
// product overflows (q <= 260100, r <= 2^24), and the nested shifts floor
// exactly as the single 64-bit one would.
__attribute__((target("avx2"))) inline __m256i DivideByReciprocal(__m256i q, __m256i rHigh,
                                                                  __m256i rLow) {
    const __m256i high = _mm256_mullo_epi32(q, rHigh);
    const __m256i low = _mm256_add_epi32(_mm256_mullo_epi32(q, rLow), _mm256_set1_epi32(1 << 23));
    return _mm256_srli_epi32(_mm256_add_epi32(high, _mm256_srli_epi32(low, 12)), 12);
}

// Even and odd pixels of 16, in order: lane shuffles pair them up per 128-bit
// half, the 64-bit permute puts the halves back in sequence.
__attribute__((target("avx2"))) inline void Deinterleave(const Color32* p, __m256i& even,
                                                         __m256i& odd) {
    const __m256 first =
        _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
    const __m256 second =
        _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 8)));
    even = _mm256_permute4x64_epi64(
        _mm256_castps_si256(_mm256_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0))),
        _MM_SHUFFLE(3, 1, 2, 0));
    odd = _mm256_permute4x64_epi64(
        _mm256_castps_si256(_mm256_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1))),
        _MM_SHUFFLE(3, 1, 2, 0));
}

__attribute__((target("avx2"))) std::int32_t ReduceAvx2(const Color32* upper, const Color32* lower,
                                                        Color32* out, std::int32_t n) {
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i two = _mm256_set1_epi32(2);
    const __m256i low12 = _mm256_set1_epi32(0xFFF);
    const int* table = reinterpret_cast<const int*>(ReciprocalTable.data());
    std::int32_t x = 0;
    for (; x + 8 <= n; x += 8) {
        __m256i p[4];
        Deinterleave(upper + 2 * x, p[0], p[1]);
        Deinterleave(lower + 2 * x, p[2], p[3]);
        __m256i a[4];
        for (int i = 0; i < 4; ++i)
            a[i] = _mm256_srli_epi32(p[i], 24);
        const __m256i sum =
            _mm256_add_epi32(_mm256_add_epi32(a[0], a[1]), _mm256_add_epi32(a[2], a[3]));
        // (S x 2^22 + 2^23) >> 24 is (S + 2) >> 2.
        __m256i reduced = _mm256_slli_epi32(_mm256_srli_epi32(_mm256_add_epi32(sum, two), 2), 24);
        const __m256i r = _mm256_i32gather_epi32(table, sum, 4);
        const __m256i rHigh = _mm256_srli_epi32(r, 12);
        const __m256i rLow = _mm256_and_si256(r, low12);
        for (int shift = 0; shift <= 16; shift += 8) {
            __m256i q = _mm256_setzero_si256();
            for (int i = 0; i < 4; ++i)
                q = _mm256_add_epi32(
                    q, _mm256_mullo_epi32(_mm256_and_si256(_mm256_srli_epi32(p[i], shift), byte),
                                          a[i]));
            reduced = _mm256_or_si256(reduced,
                                      _mm256_slli_epi32(DivideByReciprocal(q, rHigh, rLow), shift));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), reduced);
    }
    return x;
}

__attribute__((target("avx2"))) std::int32_t BlendOverAvx2(Color32* d, const Color32* s,
                                                           std::int32_t n, std::uint32_t fraction) {
    const __m256i f = _mm256_set1_epi32(static_cast<int>(fraction));
    const __m256i half = _mm256_set1_epi32(1 << 23);
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i full = _mm256_set1_epi32(255);
    const __m256i threshold = _mm256_set1_epi32(static_cast<int>(kOpaqueThreshold));
    const __m256i k65793 = _mm256_set1_epi32(65793);
    const __m256i low12 = _mm256_set1_epi32(0xFFF);
    const __m256i zero = _mm256_setzero_si256();
    const int* table = reinterpret_cast<const int*>(ReciprocalTable.data());
    std::int32_t x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i sp = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + x));
        const __m256i dp = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + x));
        const __m256i sa = _mm256_srli_epi32(sp, 24);
        const __m256i transparent = _mm256_cmpeq_epi32(sa, zero);
        if (_mm256_movemask_epi8(transparent) == -1) continue;
        const __m256i product = _mm256_mullo_epi32(sa, f);
        // Unsigned product >= threshold.
        const __m256i opaque = _mm256_cmpeq_epi32(_mm256_max_epu32(product, threshold), product);
        if (_mm256_movemask_epi8(_mm256_or_si256(opaque, transparent)) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + x),
                                _mm256_blendv_epi8(sp, dp, transparent));
            continue;
        }
        const __m256i a = _mm256_srli_epi32(_mm256_add_epi32(product, half), 24);
        const __m256i kept =
            _mm256_mullo_epi32(_mm256_sub_epi32(full, a), _mm256_srli_epi32(dp, 24));
        const __m256i b =
            _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(kept, k65793), half), 24);
        const __m256i sum = _mm256_add_epi32(a, b);
        const __m256i r = _mm256_i32gather_epi32(table, sum, 4);
        const __m256i rHigh = _mm256_srli_epi32(r, 12);
        const __m256i rLow = _mm256_and_si256(r, low12);
        __m256i mixed = _mm256_slli_epi32(sum, 24);
        for (int shift = 0; shift <= 16; shift += 8) {
            const __m256i dc = _mm256_and_si256(_mm256_srli_epi32(dp, shift), byte);
            const __m256i sc = _mm256_and_si256(_mm256_srli_epi32(sp, shift), byte);
            const __m256i q =
                _mm256_add_epi32(_mm256_mullo_epi32(dc, b), _mm256_mullo_epi32(sc, a));
            mixed = _mm256_or_si256(mixed,
                                    _mm256_slli_epi32(DivideByReciprocal(q, rHigh, rLow), shift));
        }
        const __m256i out =
            _mm256_blendv_epi8(_mm256_blendv_epi8(mixed, sp, opaque), dp, transparent);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + x), out);
    }
    return x;
}
#endif

} // namespace

void ScaleAlphaRow(Color32* p, std::int32_t n, std::uint32_t fraction) {
    std::int32_t x = 0;
#if KV_X86_KERNELS
    if (HasAvx2()) x = ScaleAlphaAvx2(p, n, fraction);
#endif
#if KV_X86_KERNELS && defined(__SSE2__)
    x = ScaleAlphaSse2(p, n, x, fraction);
#endif
    for (; x < n; ++x) {
        const Color32 c = p[x];
        p[x] = (c & 0x00FFFFFFu) | EffectiveAlpha(c >> 24, fraction) << 24;
    }
}

void BlendOverRow(Color32* d, const Color32* s, std::int32_t n, std::uint32_t fraction) {
    std::int32_t x = 0;
#if KV_X86_KERNELS
    if (HasAvx2()) x = BlendOverAvx2(d, s, n, fraction);
#endif
    for (; x < n; ++x)
        d[x] = BlendOverPixel(d[x], s[x], fraction);
}

void ReduceRow(const Color32* upper, const Color32* lower, Color32* out, std::int32_t n) {
    std::int32_t x = 0;
#if KV_X86_KERNELS
    if (HasAvx2()) x = ReduceAvx2(upper, lower, out, n);
#endif
    for (; x < n; ++x) {
        const Color32 p1 = upper[2 * x], p2 = upper[2 * x + 1];
        const Color32 p3 = lower[2 * x], p4 = lower[2 * x + 1];
        // A uniform block with some alpha reduces to itself.
        if (p1 == p2 && p1 == p3 && p1 == p4 && AlphaOf(p1) != 0)
            out[x] = p1;
        else
            out[x] = ReduceBlock(p1, p2, p3, p4);
    }
}

} // namespace kv
