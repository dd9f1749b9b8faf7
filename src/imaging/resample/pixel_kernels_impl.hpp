// The fast kernels written once over a vector type `Ops` of kLanes floats (8 or 16), instantiated by the
// file of each instruction set with its own `Ops` in an unnamed namespace (so no instantiation is
// shared). Include it only from those files. Ops gives: kLanes, Vec, zero(), broadcast(float),
// load(p) (kLanes floats), load_bytes(p) (kLanes bytes to floats), fma(a, b, c) = a * b + c rounded
// once, store_bytes(v, p) (kLanes bytes, clamped to 0..255, rounded half to even), and
// store_widened(bytes, p) (16 bytes as 16 floats). A block's 16 rows take 16 / kLanes vectors.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "imaging/resample/pixel_kernels.hpp"

namespace velmora::kernels {

static_assert(kBlockRows == 16, "the kernels transpose blocks of 16 rows by 16 bytes");

// Transposes a 16 x 16 block of bytes in place: four perfect shuffles, each rotating the 8 bits of a
// byte's (row, column) position left by one.
// Fully unrolled and inlined, so that the block lives in registers: a loop over a block in memory
// stores narrow vectors and reloads them wide, which stalls on every stage. Its callers unroll their
// loops over the block for the same reason.
template <class Ops>
[[gnu::always_inline]] inline void transpose_16x16(__m128i (&block)[16]) {
#pragma GCC unroll 4
    for (int stage = 0; stage < 4; ++stage) {
        __m128i shuffled[16];
#pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) {
            shuffled[2 * i] = _mm_unpacklo_epi8(block[i], block[i + 8]);
            shuffled[2 * i + 1] = _mm_unpackhi_epi8(block[i], block[i + 8]);
        }
#pragma GCC unroll 16
        for (int i = 0; i < 16; ++i) block[i] = shuffled[i];
    }
}

template <class Ops>
void gather_columns(const std::uint8_t* const* rows, std::size_t bytes, float* columns) {
    std::size_t n = 0;
    for (; n + 16 <= bytes; n += 16) {
        // The rows are read left to right a block at a time; ask for their next lines early.
        if (n % 64 == 0) {
            for (int r = 0; r < 16; ++r)
                _mm_prefetch(reinterpret_cast<const char*>(rows[r] + n + 512), _MM_HINT_T0);
        }
        __m128i block[16];
#pragma GCC unroll 16
        for (int r = 0; r < 16; ++r)
            block[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r] + n));
        transpose_16x16<Ops>(block);
#pragma GCC unroll 16
        for (std::size_t j = 0; j < 16; ++j) Ops::store_widened(block[j], columns + (n + j) * 16);
    }
    for (; n < bytes; ++n) {
        for (int r = 0; r < 16; ++r) columns[n * 16 + static_cast<std::size_t>(r)] = rows[r][n];
    }
}

template <class Ops>
void scatter_rows(const std::uint8_t* results, std::size_t bytes, std::uint8_t* const* rows, int row_count) {
    std::size_t m = 0;
    for (; m + 16 <= bytes; m += 16) {
        __m128i block[16];
#pragma GCC unroll 16
        for (int j = 0; j < 16; ++j) {
            block[j] = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(results + (m + static_cast<std::size_t>(j)) * 16));
        }
        transpose_16x16<Ops>(block);
        for (int r = 0; r < row_count; ++r)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[r] + m), block[r]);
    }
    for (; m < bytes; ++m) {
        for (int r = 0; r < row_count; ++r) rows[r][m] = results[m * 16 + static_cast<std::size_t>(r)];
    }
}

// The three channel sums of one pixel for kLanes rows of a block, and one tap added to them.
template <class Ops>
struct PixelSums {
    using Vec = typename Ops::Vec;
    Vec blue = Ops::zero(), green = Ops::zero(), red = Ops::zero();

    static const float* pixel_at(const float* columns, std::int32_t index, std::int32_t first_column) {
        return columns + static_cast<std::size_t>(index - first_column) * 48;
    }
    void add(const float* pixel, float weight) {
        const Vec w = Ops::broadcast(weight);
        blue = Ops::fma(Ops::load(pixel), w, blue);
        green = Ops::fma(Ops::load(pixel + 16), w, green);
        red = Ops::fma(Ops::load(pixel + 32), w, red);
    }
    void add(const SourceTap& tap, const float* columns, std::int32_t first_column) {
        add(pixel_at(columns, tap.Index, first_column), tap.Weight);
    }
    void store(std::uint8_t* out) const {  // out: the pixel's results, offset to the first lane
        Ops::store_bytes(blue, out);
        Ops::store_bytes(green, out + 16);
        Ops::store_bytes(red, out + 32);
    }
};

// Two neighbouring lists whose taps are runs of columns, the second starting `shift` columns after
// the first: the columns they share are loaded once for both. Each list still takes its taps in order:
// the first its own leading taps, then the shared ones, then the rest.
template <class Ops>
void filter_shifted_pair(const ListView& one, const ListView& two, std::int32_t shift, const float* columns,
                         std::int32_t first_column, PixelSums<Ops>& first, PixelSums<Ops>& second) {
    for (std::int32_t t = 0; t < shift; ++t) first.add(one.taps[t], columns, first_column);
    const std::int32_t rest = one.count - shift;
    const std::int32_t shared = rest < two.count ? rest : two.count;
    for (std::int32_t t = 0; t < shared; ++t) {
        const float* pixel = PixelSums<Ops>::pixel_at(columns, two.taps[t].Index, first_column);
        const typename Ops::Vec blue = Ops::load(pixel), green = Ops::load(pixel + 16),
                                red = Ops::load(pixel + 32);
        const typename Ops::Vec w1 = Ops::broadcast(one.taps[shift + t].Weight);
        const typename Ops::Vec w2 = Ops::broadcast(two.taps[t].Weight);
        first.blue = Ops::fma(blue, w1, first.blue);
        second.blue = Ops::fma(blue, w2, second.blue);
        first.green = Ops::fma(green, w1, first.green);
        second.green = Ops::fma(green, w2, second.green);
        first.red = Ops::fma(red, w1, first.red);
        second.red = Ops::fma(red, w2, second.red);
    }
    for (std::int32_t t = shift + shared; t < one.count; ++t) first.add(one.taps[t], columns, first_column);
    for (std::int32_t t = shared; t < two.count; ++t) second.add(two.taps[t], columns, first_column);
}

// Two lists at a time, so that six independent sums hide the latency of the fused multiply-add; each
// sum takes its own list's taps in order. `columns` and `results` are offset to the first lane.
template <class Ops>
void filter_lanes(const ListView* lists, std::size_t list_count, const float* columns,
                  std::int32_t first_column, std::uint8_t* results) {
    std::size_t i = 0;
    for (; i + 1 < list_count; i += 2) {
        const ListView& one = lists[i];
        const ListView& two = lists[i + 1];
        if (!one.exact || !two.exact) break;
        PixelSums<Ops> first, second;
        const std::int32_t shift =
            one.count > 0 && two.count > 0 ? two.taps[0].Index - one.taps[0].Index : -1;
        if (one.contiguous && two.contiguous && shift >= 0 && shift <= one.count) {
            filter_shifted_pair<Ops>(one, two, shift, columns, first_column, first, second);
        } else {
            const std::int32_t both = one.count < two.count ? one.count : two.count;
            std::int32_t t = 0;
            for (; t < both; ++t) {
                first.add(one.taps[t], columns, first_column);
                second.add(two.taps[t], columns, first_column);
            }
            for (std::int32_t u = t; u < one.count; ++u) first.add(one.taps[u], columns, first_column);
            for (std::int32_t u = t; u < two.count; ++u) second.add(two.taps[u], columns, first_column);
        }
        first.store(results + i * 48);
        second.store(results + (i + 1) * 48);
    }
    for (; i < list_count; ++i) {
        if (!lists[i].exact) continue;
        PixelSums<Ops> sums;
        for (std::int32_t t = 0; t < lists[i].count; ++t) sums.add(lists[i].taps[t], columns, first_column);
        sums.store(results + i * 48);
    }
}

template <class Ops>
void filter_columns(const ListView* lists, std::size_t list_count, const float* columns,
                    std::int32_t first_column, std::uint8_t* results) {
    for (int lane = 0; lane < 16; lane += Ops::kLanes) {
        filter_lanes<Ops>(lists, list_count, columns + lane, first_column, results + lane);
    }
}

// One byte the fused way, for the ends of rows that fill no vector.
template <class Ops>
std::uint8_t filter_byte(const ListView* list, const std::uint8_t* work, std::ptrdiff_t work_step) {
    __m128 acc = _mm_setzero_ps();
    for (std::int32_t t = 0; t < list->count; ++t) {
        const float b = work[list->taps[t].Index * work_step];
        acc = _mm_fmadd_ss(_mm_set_ss(b), _mm_set_ss(list->taps[t].Weight), acc);
    }
    acc = _mm_min_ss(_mm_max_ss(acc, _mm_setzero_ps()), _mm_set_ss(255.0f));
    return static_cast<std::uint8_t>(_mm_cvtss_si32(acc));  // rounds to nearest, ties to even
}

// The loops over the vectors are unrolled so that the sums stay in registers; kept in memory, every
// fused multiply-add would wait for the store of the one before.
template <class Ops, int kVectors>
void filter_row_span(const ListView* list, const std::uint8_t* work, std::ptrdiff_t work_step,
                     std::uint8_t* out) {
    using Vec = typename Ops::Vec;
    Vec acc[kVectors];
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) acc[v] = Ops::zero();
    for (std::int32_t t = 0; t < list->count; ++t) {
        const std::uint8_t* row = work + list->taps[t].Index * work_step;
        const Vec weight = Ops::broadcast(list->taps[t].Weight);
#pragma GCC unroll 16
        for (int v = 0; v < kVectors; ++v)
            acc[v] = Ops::fma(Ops::load_bytes(row + Ops::kLanes * v), weight, acc[v]);
    }
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) Ops::store_bytes(acc[v], out + Ops::kLanes * v);
}

template <class Ops>
void filter_row(const ListView* list, const std::uint8_t* work, std::ptrdiff_t work_step, std::size_t bytes,
                std::uint8_t* out) {
    constexpr std::size_t kLanes = Ops::kLanes;
    constexpr int kWide = 64 / Ops::kLanes;  // enough independent sums to hide the latency
    std::size_t n = 0;
    for (; n + kLanes * kWide <= bytes; n += kLanes * kWide)
        filter_row_span<Ops, kWide>(list, work + n, work_step, out + n);
    for (; n + kLanes <= bytes; n += kLanes) filter_row_span<Ops, 1>(list, work + n, work_step, out + n);
    for (; n < bytes; ++n) out[n] = filter_byte<Ops>(list, work + n, work_step);
}

template <class Ops>
constexpr PixelKernels kernel_table() {
    return {gather_columns<Ops>, filter_columns<Ops>, scatter_rows<Ops>, filter_row<Ops>};
}

}  // namespace velmora::kernels
