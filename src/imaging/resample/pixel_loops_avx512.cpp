// The fast pixel loops for AVX-512: a 16-lane vector is one register.
// GCC 12 takes the deliberately undefined pass-through operand inside its AVX-512 intrinsics for an
// uninitialised variable; the warnings say nothing about this code.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>

#include "imaging/resample/pixel_loops_avx512.hpp"
#include "imaging/resample/pixel_loops_simd.hpp"

namespace velmora {

namespace {

struct Avx512Ops {
    static constexpr int kLanes = 16;
    using Vec = __m512;
    static Vec zero() { return _mm512_setzero_ps(); }
    static Vec broadcast(float value) { return _mm512_set1_ps(value); }
    static Vec load_bytes(const std::uint8_t* p) {
        return _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
    }
    static Vec load(const float* p) { return _mm512_loadu_ps(p); }
    static void store_widened(__m128i bytes, float* p) {
        _mm512_storeu_ps(p, _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(bytes)));
    }
    static Vec fma(Vec a, Vec b, Vec c) { return _mm512_fmadd_ps(a, b, c); }
    static unsigned tiny(Vec v, Vec limit) {
        return _mm512_cmp_ps_mask(_mm512_abs_ps(v), limit, _CMP_LT_OQ) &
               _mm512_cmp_ps_mask(v, _mm512_setzero_ps(), _CMP_NEQ_OQ);
    }
    static void store_bytes(Vec v, std::uint8_t* p) {
        const __m512 clamped = _mm512_min_ps(_mm512_max_ps(v, _mm512_setzero_ps()), _mm512_set1_ps(255.0f));
        const __m512i whole = _mm512_cvtps_epi32(clamped);  // rounds to nearest, ties to even
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm512_cvtepi32_epi8(whole));
    }
    static constexpr int lane_of_row(int r) { return r; }
    static void gather_block(const std::uint8_t* const* rows, std::size_t n, float* columns) {
        kernels::gather_block_in_order<Avx512Ops>(rows, n, columns);
    }
    static void store_pixel(const Vec (&blue)[1], const Vec (&green)[1], const Vec (&red)[1],
                            std::uint8_t* p) {
        store_bytes(blue[0], p);
        store_bytes(green[0], p + 16);
        store_bytes(red[0], p + 32);
    }
};

}  // namespace

constinit const PixelLoops kAvx512PixelLoops = kernels::loop_table<Avx512Ops>("avx512");

}  // namespace velmora
