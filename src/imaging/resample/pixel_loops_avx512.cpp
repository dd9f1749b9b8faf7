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

    // Four rows share a register, rows 4L to 4L + 3 spread over the registers' 128-bit lanes L: two
    // rounds of interleaving bring each lane's four rows of four columns together, and one byte
    // shuffle then widens a column's four bytes in every lane at once, which leaves its 16 rows in
    // order. Eight interleavings and sixteen shuffles for the block, where a transposition takes 64.
    [[gnu::always_inline]] static void gather_block(const std::uint8_t* const* rows, std::size_t n,
                                                    float* columns) {
        __m512i quads[4];  // quads[i], lane L: row 4L + i
#pragma GCC unroll 4
        for (int i = 0; i < 4; ++i) {
            const auto row = [&](int r) { return reinterpret_cast<const __m128i*>(rows[r] + n); };
            const __m256i low = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(row(i))),
                                                        _mm_loadu_si128(row(4 + i)), 1);
            const __m256i high = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(row(8 + i))),
                                                         _mm_loadu_si128(row(12 + i)), 1);
            quads[i] = _mm512_inserti64x4(_mm512_castsi256_si512(low), high, 1);
        }
        // twos[0], [1]: rows 4L, 4L + 1 of columns 0-7 and 8-15; twos[2], [3]: rows 4L + 2, 4L + 3.
        const __m512i twos[4] = {
            _mm512_unpacklo_epi8(quads[0], quads[1]), _mm512_unpackhi_epi8(quads[0], quads[1]),
            _mm512_unpacklo_epi8(quads[2], quads[3]), _mm512_unpackhi_epi8(quads[2], quads[3])};
        // fours[q]: rows 4L to 4L + 3 of columns 4q to 4q + 3, a column's four bytes together.
        const __m512i fours[4] = {
            _mm512_unpacklo_epi16(twos[0], twos[2]), _mm512_unpackhi_epi16(twos[0], twos[2]),
            _mm512_unpacklo_epi16(twos[1], twos[3]), _mm512_unpackhi_epi16(twos[1], twos[3])};
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
            const __m512i widen = _mm512_broadcast_i32x4(kernels::column_widening<Avx512Ops>(k));
#pragma GCC unroll 4
            for (int q = 0; q < 4; ++q) {
                _mm512_storeu_ps(columns + (4 * q + k) * kBlockRows,
                                 _mm512_cvtepi32_ps(_mm512_shuffle_epi8(fours[q], widen)));
            }
        }
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
