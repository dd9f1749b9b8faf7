// The fast kernels written once over a 16-lane vector type `Ops`, instantiated by the file of each
// instruction set with its own `Ops` in an unnamed namespace (so no instantiation is shared). Include it
// only from those files. Ops gives: Vec, zero(), broadcast(float), load_bytes(p) (16 bytes to floats),
// fma(a, b, c) = a * b + c rounded once, store_bytes(v, p) (clamped to 0..255, rounded half to even).
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "imaging/resample/pixel_kernels.hpp"

namespace velmora::kernels {

static_assert(kBlockRows == 16, "the kernels hold one row per lane of a 16-lane vector");

// Transposes a 16 x 16 block of bytes in place: four perfect shuffles, each rotating the 8 bits of a
// byte's (row, column) position left by one.
template <class Ops>
void transpose_16x16(__m128i (&block)[16]) {
    for (int stage = 0; stage < 4; ++stage) {
        __m128i shuffled[16];
        for (int i = 0; i < 8; ++i) {
            shuffled[2 * i] = _mm_unpacklo_epi8(block[i], block[i + 8]);
            shuffled[2 * i + 1] = _mm_unpackhi_epi8(block[i], block[i + 8]);
        }
        for (int i = 0; i < 16; ++i) block[i] = shuffled[i];
    }
}

template <class Ops>
void gather_columns(const std::uint8_t* const* rows, std::size_t bytes, std::uint8_t* columns) {
    std::size_t n = 0;
    for (; n + 16 <= bytes; n += 16) {
        __m128i block[16];
        for (int r = 0; r < 16; ++r)
            block[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r] + n));
        transpose_16x16<Ops>(block);
        for (int j = 0; j < 16; ++j) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(columns + (n + j) * 16), block[j]);
        }
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

template <class Ops>
void filter_columns(const ListView* lists, std::size_t list_count, const std::uint8_t* columns,
                    std::uint8_t* results) {
    using Vec = typename Ops::Vec;
    for (std::size_t i = 0; i < list_count; ++i) {
        const ListView& list = lists[i];
        if (!list.exact) continue;
        Vec blue = Ops::zero(), green = Ops::zero(), red = Ops::zero();
        for (std::int32_t t = 0; t < list.count; ++t) {
            const std::uint8_t* pixel = columns + static_cast<std::size_t>(list.taps[t].Index) * 48;
            const Vec weight = Ops::broadcast(list.taps[t].Weight);
            blue = Ops::fma(Ops::load_bytes(pixel), weight, blue);
            green = Ops::fma(Ops::load_bytes(pixel + 16), weight, green);
            red = Ops::fma(Ops::load_bytes(pixel + 32), weight, red);
        }
        std::uint8_t* out = results + i * 48;
        Ops::store_bytes(blue, out);
        Ops::store_bytes(green, out + 16);
        Ops::store_bytes(red, out + 32);
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

template <class Ops, int kVectors>
void filter_row_span(const ListView* list, const std::uint8_t* work, std::ptrdiff_t work_step,
                     std::uint8_t* out) {
    using Vec = typename Ops::Vec;
    Vec acc[kVectors];
    for (int v = 0; v < kVectors; ++v) acc[v] = Ops::zero();
    for (std::int32_t t = 0; t < list->count; ++t) {
        const std::uint8_t* row = work + list->taps[t].Index * work_step;
        const Vec weight = Ops::broadcast(list->taps[t].Weight);
        for (int v = 0; v < kVectors; ++v) acc[v] = Ops::fma(Ops::load_bytes(row + 16 * v), weight, acc[v]);
    }
    for (int v = 0; v < kVectors; ++v) Ops::store_bytes(acc[v], out + 16 * v);
}

template <class Ops>
void filter_row(const ListView* list, const std::uint8_t* work, std::ptrdiff_t work_step, std::size_t bytes,
                std::uint8_t* out) {
    constexpr int kWide = 4;
    std::size_t n = 0;
    for (; n + 16 * kWide <= bytes; n += 16 * kWide)
        filter_row_span<Ops, kWide>(list, work + n, work_step, out + n);
    for (; n + 16 <= bytes; n += 16) filter_row_span<Ops, 1>(list, work + n, work_step, out + n);
    for (; n < bytes; ++n) out[n] = filter_byte<Ops>(list, work + n, work_step);
}

template <class Ops>
constexpr PixelKernels kernel_table() {
    return {gather_columns<Ops>, filter_columns<Ops>, scatter_rows<Ops>, filter_row<Ops>};
}

}  // namespace velmora::kernels
