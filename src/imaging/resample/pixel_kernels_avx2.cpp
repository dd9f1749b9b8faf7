// The fast kernels for AVX2 with FMA: a 16-lane vector is a pair of 8-lane registers.
#include <immintrin.h>

#include "imaging/resample/pixel_kernels_impl.hpp"

namespace velmora {

namespace {

struct Avx2Ops {
    struct Vec {
        __m256 low;
        __m256 high;
    };
    static Vec zero() { return {_mm256_setzero_ps(), _mm256_setzero_ps()}; }
    static Vec broadcast(float value) { return {_mm256_set1_ps(value), _mm256_set1_ps(value)}; }
    static Vec load_bytes(const std::uint8_t* p) {
        const __m128i low = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        const __m128i high = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 8));
        return {_mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(low)),
                _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(high))};
    }
    static Vec fma(Vec a, Vec b, Vec c) {
        return {_mm256_fmadd_ps(a.low, b.low, c.low), _mm256_fmadd_ps(a.high, b.high, c.high)};
    }
    static __m128i to_words(__m256 v) {
        const __m256 clamped = _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
        const __m256i whole = _mm256_cvtps_epi32(clamped);  // rounds to nearest, ties to even
        return _mm_packus_epi32(_mm256_castsi256_si128(whole), _mm256_extracti128_si256(whole, 1));
    }
    static void store_bytes(Vec v, std::uint8_t* p) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(to_words(v.low), to_words(v.high)));
    }
};

}  // namespace

const PixelKernels kAvx2PixelKernels = kernels::kernel_table<Avx2Ops>();

}  // namespace velmora
