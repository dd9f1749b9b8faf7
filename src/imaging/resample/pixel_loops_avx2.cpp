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
    // A block's rows take two vectors: the first holds rows 0-3 and 8-11, the second rows 4-7 and
    // 12-15, the order in which they come out of the gathering's shuffles.
    static constexpr int lane_of_row(int r) { return (r & 3) | ((r & 4) << 1) | ((r & 8) >> 1); }

    // Rows r and r + 8 share a register, one in each 128-bit half; two rounds of interleaving bring
    // four rows' bytes of four columns together in each half, and one byte shuffle then widens a
    // column's four bytes of each half at once.
    [[gnu::always_inline]] static void gather_block(const std::uint8_t* const* rows, std::size_t n,
                                                    float* columns) {
        __m256i pairs[8];
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            pairs[r] = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(rows[r + 8] + n),
                                           reinterpret_cast<const __m128i*>(rows[r] + n));
        }
        __m256i twos[8];  // two rows interleaved, for columns 0-7 and 8-15
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
            twos[2 * k] = _mm256_unpacklo_epi8(pairs[2 * k], pairs[2 * k + 1]);
            twos[2 * k + 1] = _mm256_unpackhi_epi8(pairs[2 * k], pairs[2 * k + 1]);
        }
        // fours[q]: rows 0-3 (and 8-11) of columns 4q to 4q + 3; fours[4 + q]: rows 4-7 (and 12-15).
        __m256i fours[8];
#pragma GCC unroll 2
        for (int half = 0; half < 2; ++half) {
            const __m256i* two = twos + 4 * half;
            fours[4 * half] = _mm256_unpacklo_epi16(two[0], two[2]);
            fours[4 * half + 1] = _mm256_unpackhi_epi16(two[0], two[2]);
            fours[4 * half + 2] = _mm256_unpacklo_epi16(two[1], two[3]);
            fours[4 * half + 3] = _mm256_unpackhi_epi16(two[1], two[3]);
        }
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
            const __m256i widen = _mm256_broadcastsi128_si256(kernels::column_widening<Avx2Ops>(k));
#pragma GCC unroll 4
            for (int q = 0; q < 4; ++q) {
                float* column = columns + (4 * q + k) * kBlockRows;
                _mm256_storeu_ps(column, _mm256_cvtepi32_ps(_mm256_shuffle_epi8(fours[q], widen)));
                _mm256_storeu_ps(column + 8, _mm256_cvtepi32_ps(_mm256_shuffle_epi8(fours[4 + q], widen)));
            }
        }
    }

    // A pixel's three channels for the 16 rows of a block as 48 bytes: the six vectors are rounded
    // and packed together, which puts each channel's rows 0-7 and 8-11 in order within a half, and
    // one permutation puts the halves in place.
    static void store_pixel(const Vec (&blue)[2], const Vec (&green)[2], const Vec (&red)[2],
                            std::uint8_t* p) {
        const auto whole = [](Vec v) {
            return _mm256_cvtps_epi32(
                _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()), _mm256_set1_ps(255.0f)));
        };
        const __m256i blue_words = _mm256_packs_epi32(whole(blue[0]), whole(blue[1]));
        const __m256i green_words = _mm256_packs_epi32(whole(green[0]), whole(green[1]));
        const __m256i red_words = _mm256_packs_epi32(whole(red[0]), whole(red[1]));
        constexpr int kInOrder = 0 | 2 << 2 | 1 << 4 | 3 << 6;  // 64-bit pieces 0, 2, 1, 3
        const __m256i blue_green =
            _mm256_permute4x64_epi64(_mm256_packus_epi16(blue_words, green_words), kInOrder);
        const __m256i reds = _mm256_permute4x64_epi64(_mm256_packus_epi16(red_words, red_words), kInOrder);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), blue_green);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), _mm256_castsi256_si128(reds));
    }
};

}  // namespace

constinit const PixelLoops kAvx2PixelLoops = kernels::loop_table<Avx2Ops>("avx2");

}  // namespace velmora
