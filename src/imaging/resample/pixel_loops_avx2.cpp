// The fast pixel loops for AVX2 with FMA: 8 lanes, so a block's rows take two passes.
#include <immintrin.h>

#include "imaging/resample/pixel_loops_avx2.hpp"
#include "imaging/resample/pixel_loops_simd.hpp"

namespace velmora {

namespace {

struct Avx2Ops {
    static constexpr int kLanes = 8;
    using Vec = __m256;
    static Vec zero() { return _mm256_setzero_ps(); }
    static Vec broadcast(float value) { return _mm256_set1_ps(value); }
    static Vec load(const float* p) { return _mm256_loadu_ps(p); }
    static Vec load_bytes(const std::uint8_t* p) {
        return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
    }
    static Vec fma(Vec a, Vec b, Vec c) { return _mm256_fmadd_ps(a, b, c); }
    static unsigned tiny(Vec v, Vec limit) {
        const __m256 magnitude = _mm256_andnot_ps(_mm256_set1_ps(-0.0f), v);
        const __m256 lanes = _mm256_and_ps(_mm256_cmp_ps(magnitude, limit, _CMP_LT_OQ),
                                           _mm256_cmp_ps(v, _mm256_setzero_ps(), _CMP_NEQ_OQ));
        return static_cast<unsigned>(_mm256_movemask_ps(lanes));
    }
    static void store_bytes(Vec v, std::uint8_t* p) {
        const __m256 clamped = _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
        const __m256i whole = _mm256_cvtps_epi32(clamped);  // rounds to nearest, ties to even
        const __m128i words =
            _mm_packus_epi32(_mm256_castsi256_si128(whole), _mm256_extracti128_si256(whole, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(words, words));
    }
    static void store_widened(__m128i bytes, float* p) {
        _mm256_storeu_ps(p, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes)));
        _mm256_storeu_ps(p + 8, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_srli_si128(bytes, 8))));
    }
};

}  // namespace

constinit const PixelLoops kAvx2PixelLoops = kernels::loop_table<Avx2Ops>("avx2");

}  // namespace velmora
