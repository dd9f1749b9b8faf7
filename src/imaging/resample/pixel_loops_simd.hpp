// The fast pixel loops written once over a vector type `Ops` of kLanes floats (8 or 16), instantiated
// by the file of each instruction set with its own `Ops` in an unnamed namespace (so no instantiation
// is shared). Include it only from those files. Ops gives: kLanes, Vec, zero(), broadcast(float),
// load(p) (kLanes floats), load_bytes(p) (kLanes bytes to floats), fma(a, b, c) = a * b + c rounded
// once, store_bytes(v, p) (kLanes bytes, clamped to 0..255, rounded half to even),
// tiny(v, limit) (a bit for each lane where 0 < |v| < limit), and for the block's rows, which take
// kBlockRows / kLanes vectors in an order of lanes of its own: lane_of_row(r) (where row r lies among
// the kBlockRows lanes), gather_block(rows, n, columns) (16 bytes of each row from byte n on, widened:
// byte n + j of row r at columns[j * kBlockRows + lane_of_row(r)]), and store_pixel(blue, green, red, p)
// (the vectors of a pixel's three channels as kBlockPixelValues bytes in row order, each as
// store_bytes gives it).
// Every function here is a template over Ops, even where it does not use it: a plain inline function
// would be one function for both instruction sets, and the linker could keep the wider one for both.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "imaging/resample/pixel_loops.hpp"

namespace velmora::kernels {

// A block's rows are transposed as 16 x 16 bytes, one row per byte of a 128-bit register.
static_assert(kBlockRows == 16, "the loops transpose blocks of 16 rows by 16 bytes");

// The rows of a block are read a cache line at a time, this far ahead of the line being gathered.
inline constexpr std::size_t kCacheLineBytes = 64;
inline constexpr std::size_t kPrefetchAheadBytes = 512;

// Floats that a row of the vertical pass sums side by side: enough independent sums to hide the
// latency of the fused multiply-add.
inline constexpr int kRowSpanFloats = 64;

// Transposes a 16 x 16 block of bytes in place: four perfect shuffles, each rotating the 8 bits of a
// byte's (row, column) position left by one.
// Fully unrolled and inlined, so that the block lives in registers: a loop over a block in memory
// stores narrow vectors and reloads them wide, which stalls on every stage. Its callers unroll their
// loops over the block for the same reason.
template <class Ops>
[[gnu::always_inline]] inline void transpose_block(__m128i (&block)[kBlockRows]) {
#pragma GCC unroll 4
    for (int stage = 0; stage < 4; ++stage) {
        __m128i shuffled[kBlockRows];
#pragma GCC unroll 8
        for (int i = 0; i < kBlockRows / 2; ++i) {
            shuffled[2 * i] = _mm_unpacklo_epi8(block[i], block[i + kBlockRows / 2]);
            shuffled[2 * i + 1] = _mm_unpackhi_epi8(block[i], block[i + kBlockRows / 2]);
        }
#pragma GCC unroll 16
        for (int i = 0; i < kBlockRows; ++i) block[i] = shuffled[i];
    }
}

// The byte shuffle that widens column k of four columns of four rows (16 bytes: a column's four rows
// together) into four 32-bit lanes, the rows in order; the gatherings apply it to every 128-bit lane.
template <class Ops>
[[gnu::always_inline]] inline __m128i column_widening(int k) {
    const char z = -128, b = static_cast<char>(4 * k);  // -128 makes a byte zero
    return _mm_setr_epi8(b, z, z, z, static_cast<char>(b + 1), z, z, z, static_cast<char>(b + 2), z, z, z,
                         static_cast<char>(b + 3), z, z, z);
}

template <class Ops>
void gather_columns(const std::uint8_t* const* rows, std::size_t bytes, float* columns) {
    std::size_t n = 0;
    for (; n + kBlockRows <= bytes; n += kBlockRows) {
        // The rows are read left to right a block at a time; ask for their next lines early.
        if (n % kCacheLineBytes == 0) {
            for (int r = 0; r < kBlockRows; ++r)
                _mm_prefetch(reinterpret_cast<const char*>(rows[r] + n + kPrefetchAheadBytes), _MM_HINT_T0);
        }
        Ops::gather_block(rows, n, columns + n * kBlockRows);
    }
    for (; n < bytes; ++n) {
        for (int r = 0; r < kBlockRows; ++r)
            columns[n * kBlockRows + static_cast<std::size_t>(Ops::lane_of_row(r))] = rows[r][n];
    }
}

template <class Ops>
void scatter_rows(const std::uint8_t* results, std::size_t bytes, std::uint8_t* const* rows, int row_count) {
    std::size_t m = 0;
    for (; m + kBlockRows <= bytes; m += kBlockRows) {
        __m128i block[kBlockRows];
#pragma GCC unroll 16
        for (int j = 0; j < kBlockRows; ++j) {
            block[j] = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(results + (m + static_cast<std::size_t>(j)) * kBlockRows));
        }
        transpose_block<Ops>(block);
        for (int r = 0; r < row_count; ++r)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[r] + m), block[r]);
    }
    for (; m < bytes; ++m) {
        for (int r = 0; r < row_count; ++r)
            rows[r][m] = results[m * kBlockRows + static_cast<std::size_t>(r)];
    }
}

// The limit below which a non-zero sum, met by a tap of this weight, may make the fused step round
// otherwise than the extended one (see fused_sum_is_exact). Exact for every weight where the case can
// arise at all; a builtin, so that nothing here becomes a function of its own.
inline float watch_limit(float weight) {
    return __builtin_fabsf(weight) * 0x1p-56f;
}

// The three channel sums of one pixel for every row of a block: kBlockRows / kLanes vectors a
// channel, so that one walk over a list's taps serves the whole block and the sums of every vector
// hide the latency of the fused multiply-add together. A watched sum notes the lanes where a step met
// the case the fused step could round otherwise.
template <class Ops>
struct PixelSums {
    using Vec = typename Ops::Vec;
    static constexpr int kVectors = kBlockRows / Ops::kLanes;
    Vec blue[kVectors], green[kVectors], red[kVectors];
    unsigned doubtful = 0;

    PixelSums() {
#pragma GCC unroll 2
        for (int v = 0; v < kVectors; ++v) blue[v] = green[v] = red[v] = Ops::zero();
    }

    void watch(float weight) {
        const Vec limit = Ops::broadcast(watch_limit(weight));
#pragma GCC unroll 2
        for (int v = 0; v < kVectors; ++v)
            doubtful |= Ops::tiny(blue[v], limit) | Ops::tiny(green[v], limit) | Ops::tiny(red[v], limit);
    }

    static const float* pixel_at(const float* columns, std::int32_t index, std::int32_t first_column) {
        return columns + static_cast<std::size_t>(index - first_column) * kBlockPixelValues;
    }
    [[gnu::always_inline]] void add(const float* pixel, Vec w) {
#pragma GCC unroll 2
        for (int v = 0; v < kVectors; ++v) {
            const float* lane = pixel + v * Ops::kLanes;
            blue[v] = Ops::fma(Ops::load(lane), w, blue[v]);
            green[v] = Ops::fma(Ops::load(lane + kBlockRows), w, green[v]);
            red[v] = Ops::fma(Ops::load(lane + 2 * kBlockRows), w, red[v]);
        }
    }
    [[gnu::always_inline]] void add(const SourceTap& tap, const float* columns, std::int32_t first_column) {
        add(pixel_at(columns, tap.Index, first_column), Ops::broadcast(tap.Weight));
    }
    // out: the pixel's results.
    void store(std::uint8_t* out) const {
        Ops::store_pixel(blue, green, red, out);
    }
};

// How far into the first of two lists the second starts, where both are runs of source positions and
// the second starts within the first, so that the positions they share can be read once for both;
// else -1.
template <class Ops>
std::int32_t shared_run_shift(const TapList& one, const TapList& two) {
    if (!one.contiguous || !two.contiguous || one.Count == 0 || two.Count == 0) return -1;
    const std::int32_t shift = two.Taps[0].Index - one.Taps[0].Index;
    return shift >= 0 && shift <= one.Count ? shift : -1;
}

// Two such lists tap by tap, each in its own order: the first's own leading taps, then the taps the
// two share (the first's and the second's for the same position), then what is left of each.
template <class Ops, class First, class Both, class Second>
[[gnu::always_inline]] inline void walk_shifted_pair(const TapList& one, const TapList& two,
                                                     std::int32_t shift, First first, Both both,
                                                     Second second) {
    for (std::int32_t t = 0; t < shift; ++t) first(one.Taps[t]);
    const std::int32_t rest = one.Count - shift;
    const std::int32_t shared = rest < two.Count ? rest : two.Count;
    for (std::int32_t t = 0; t < shared; ++t) both(one.Taps[shift + t], two.Taps[t]);
    for (std::int32_t t = shift + shared; t < one.Count; ++t) first(one.Taps[t]);
    for (std::int32_t t = shared; t < two.Count; ++t) second(two.Taps[t]);
}

// Keeps a value loaded in a register: the compiler would rather fold the load into each multiply-add
// that uses it, loading it twice, and the loads would then bound the loop rather than the
// multiply-adds.
template <class Vec>
[[gnu::always_inline]] inline void in_register(Vec& value) {
    __asm__("" : "+x"(value));
}

// Two neighbouring lists whose taps are runs of columns, the second starting `shift` columns after
// the first, summed and stored: the first's own leading taps, then the taps the two share, each value
// loaded once for both, then what is left of each. Each list takes its taps in order, and tap t of a
// list reads the pixel t pixels after its first. A function of its own, with the sums its locals:
// inside the caller the compiler kept one of AVX2's twelve sums on the stack, a store and a load on
// every step of its chain.
template <class Ops>
[[gnu::noinline]] void filter_shifted_pair(const TapList& one, const TapList& two, std::int32_t shift,
                                           const float* columns, std::int32_t first_column,
                                           std::uint8_t* out_one, std::uint8_t* out_two) {
    using Vec = typename Ops::Vec;
    PixelSums<Ops> first, second;
    const float* pixel = PixelSums<Ops>::pixel_at(columns, one.Taps[0].Index, first_column);
    for (std::int32_t t = 0; t < shift; ++t, pixel += kBlockPixelValues)
        first.add(pixel, Ops::broadcast(one.Taps[t].Weight));
    const std::int32_t rest = one.Count - shift;
    const std::int32_t shared = rest < two.Count ? rest : two.Count;
    for (std::int32_t t = 0; t < shared; ++t, pixel += kBlockPixelValues) {
        const Vec w1 = Ops::broadcast(one.Taps[shift + t].Weight);
        const Vec w2 = Ops::broadcast(two.Taps[t].Weight);
#pragma GCC unroll 2
        for (int v = 0; v < PixelSums<Ops>::kVectors; ++v) {
            const float* lane = pixel + v * Ops::kLanes;
            Vec blue = Ops::load(lane);
            in_register(blue);
            first.blue[v] = Ops::fma(blue, w1, first.blue[v]);
            second.blue[v] = Ops::fma(blue, w2, second.blue[v]);
            Vec green = Ops::load(lane + kBlockRows);
            in_register(green);
            first.green[v] = Ops::fma(green, w1, first.green[v]);
            second.green[v] = Ops::fma(green, w2, second.green[v]);
            Vec red = Ops::load(lane + 2 * kBlockRows);
            in_register(red);
            first.red[v] = Ops::fma(red, w1, first.red[v]);
            second.red[v] = Ops::fma(red, w2, second.red[v]);
        }
    }
    for (std::int32_t t = shift + shared; t < one.Count; ++t, pixel += kBlockPixelValues)
        first.add(pixel, Ops::broadcast(one.Taps[t].Weight));
    pixel = PixelSums<Ops>::pixel_at(columns, two.Taps[0].Index, first_column) + shared * kBlockPixelValues;
    for (std::int32_t t = shared; t < two.Count; ++t, pixel += kBlockPixelValues)
        second.add(pixel, Ops::broadcast(two.Taps[t].Weight));
    first.store(out_one);
    second.store(out_two);
}

// One list on its own, fused or watched.
template <class Ops, bool kWatch>
bool filter_list(const TapList& list, const float* columns, std::int32_t first_column, std::uint8_t* results,
                 std::uint8_t& handed_back) {
    PixelSums<Ops> sums;
    for (std::int32_t t = 0; t < list.Count; ++t) {
        if constexpr (kWatch) sums.watch(list.Taps[t].Weight);
        sums.add(list.Taps[t], columns, first_column);
    }
    if (sums.doubtful != 0) {
        handed_back = 1;
        return true;
    }
    sums.store(results);
    return false;
}

// Two fused lists at a time, so that their independent sums hide the latency of the fused
// multiply-add; each sum takes its own list's taps in order.
template <class Ops>
bool filter_columns(const TapList* lists, std::size_t list_count, const float* columns,
                    std::int32_t first_column, std::uint8_t* results, std::uint8_t* handed_back) {
    bool any_handed_back = false;
    std::size_t i = 0;
    while (i < list_count) {
        const TapList& one = lists[i];
        if (one.kernel != TapKernel::kFused || i + 1 == list_count ||
            lists[i + 1].kernel != TapKernel::kFused) {
            if (one.kernel == TapKernel::kFused) {
                filter_list<Ops, false>(one, columns, first_column, results + i * kBlockPixelValues,
                                        handed_back[i]);
            } else if (one.kernel == TapKernel::kWatched) {
                any_handed_back |= filter_list<Ops, true>(one, columns, first_column,
                                                          results + i * kBlockPixelValues, handed_back[i]);
            }
            ++i;
            continue;
        }
        const TapList& two = lists[i + 1];
        const std::int32_t shift = shared_run_shift<Ops>(one, two);
        if (shift >= 0) {
            filter_shifted_pair<Ops>(one, two, shift, columns, first_column, results + i * kBlockPixelValues,
                                     results + (i + 1) * kBlockPixelValues);
            i += 2;
            continue;
        }
        PixelSums<Ops> first, second;
        const std::int32_t both = one.Count < two.Count ? one.Count : two.Count;
        std::int32_t t = 0;
        for (; t < both; ++t) {
            first.add(one.Taps[t], columns, first_column);
            second.add(two.Taps[t], columns, first_column);
        }
        for (std::int32_t u = t; u < one.Count; ++u) first.add(one.Taps[u], columns, first_column);
        for (std::int32_t u = t; u < two.Count; ++u) second.add(two.Taps[u], columns, first_column);
        first.store(results + i * kBlockPixelValues);
        second.store(results + (i + 1) * kBlockPixelValues);
        i += 2;
    }
    return any_handed_back;
}

// One byte the fused way, for the ends of rows that fill no vector. False where a watched step met
// the doubtful case.
template <class Ops, bool kWatch>
bool filter_byte(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step, std::uint8_t& out) {
    __m128 acc = _mm_setzero_ps();
    for (std::int32_t t = 0; t < list.Count; ++t) {
        const float weight = list.Taps[t].Weight;
        if constexpr (kWatch) {
            const float sum = _mm_cvtss_f32(acc);
            if (sum != 0.0f && __builtin_fabsf(sum) < watch_limit(weight)) return false;
        }
        const float b = work[list.Taps[t].Index * work_step];
        acc = _mm_fmadd_ss(_mm_set_ss(b), _mm_set_ss(weight), acc);
    }
    acc = _mm_min_ss(_mm_max_ss(acc, _mm_setzero_ps()), _mm_set_ss(255.0f));
    out = static_cast<std::uint8_t>(_mm_cvtss_si32(acc));  // rounds to nearest, ties to even
    return true;
}

// The loops over the vectors are unrolled so that the sums stay in registers; kept in memory, every
// fused multiply-add would wait for the store of the one before. Returns the lanes where a watched
// step met the doubtful case.
template <class Ops, int kVectors, bool kWatch>
unsigned filter_row_span(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step,
                         std::uint8_t* out) {
    using Vec = typename Ops::Vec;
    Vec acc[kVectors];
    unsigned doubtful = 0;
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) acc[v] = Ops::zero();
    for (std::int32_t t = 0; t < list.Count; ++t) {
        const std::uint8_t* row = work + list.Taps[t].Index * work_step;
        const Vec weight = Ops::broadcast(list.Taps[t].Weight);
        if constexpr (kWatch) {
            const Vec limit = Ops::broadcast(watch_limit(list.Taps[t].Weight));
#pragma GCC unroll 16
            for (int v = 0; v < kVectors; ++v) doubtful |= Ops::tiny(acc[v], limit);
        }
#pragma GCC unroll 16
        for (int v = 0; v < kVectors; ++v)
            acc[v] = Ops::fma(Ops::load_bytes(row + Ops::kLanes * v), weight, acc[v]);
    }
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) Ops::store_bytes(acc[v], out + Ops::kLanes * v);
    return doubtful;
}

template <class Ops, bool kWatch>
bool filter_row_watching(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step,
                         std::size_t bytes, std::uint8_t* out) {
    constexpr std::size_t kLanes = Ops::kLanes;
    constexpr int kWide = kRowSpanFloats / Ops::kLanes;
    std::size_t n = 0;
    unsigned doubtful = 0;
    for (; n + kLanes * kWide <= bytes; n += kLanes * kWide)
        doubtful |= filter_row_span<Ops, kWide, kWatch>(list, work + n, work_step, out + n);
    for (; n + kLanes <= bytes; n += kLanes)
        doubtful |= filter_row_span<Ops, 1, kWatch>(list, work + n, work_step, out + n);
    if (doubtful != 0) return false;
    for (; n < bytes; ++n) {
        if (!filter_byte<Ops, kWatch>(list, work + n, work_step, out[n])) return false;
    }
    return true;
}

template <class Ops>
bool filter_row(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step, std::size_t bytes,
                std::uint8_t* out) {
    if (list.kernel == TapKernel::kWatched)
        return filter_row_watching<Ops, true>(list, work, work_step, bytes, out);
    return filter_row_watching<Ops, false>(list, work, work_step, bytes, out);
}

// Two destination rows whose fused lists are runs of work rows, the second starting `shift` rows after the
// first: each work row they share is loaded and widened once for both, and the two rows' sums, side
// by side, hide the latency of the fused multiply-add better than one row's. Each sum still takes its
// own list's taps in order.
template <class Ops, int kVectors>
void filter_row_pair_span(const TapList& one, const TapList& two, std::int32_t shift,
                          const std::uint8_t* work, std::ptrdiff_t work_step, std::uint8_t* out_one,
                          std::uint8_t* out_two) {
    using Vec = typename Ops::Vec;
    Vec first[kVectors], second[kVectors];
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) first[v] = second[v] = Ops::zero();
    const auto add = [&](Vec(&acc)[kVectors], const SourceTap& tap) {
        const std::uint8_t* row = work + tap.Index * work_step;
        const Vec weight = Ops::broadcast(tap.Weight);
#pragma GCC unroll 16
        for (int v = 0; v < kVectors; ++v)
            acc[v] = Ops::fma(Ops::load_bytes(row + Ops::kLanes * v), weight, acc[v]);
    };
    walk_shifted_pair<Ops>(
        one, two, shift, [&](const SourceTap& tap) { add(first, tap); },
        [&](const SourceTap& tap_one, const SourceTap& tap_two) {
            const std::uint8_t* row = work + tap_two.Index * work_step;
            const Vec w1 = Ops::broadcast(tap_one.Weight);
            const Vec w2 = Ops::broadcast(tap_two.Weight);
#pragma GCC unroll 16
            for (int v = 0; v < kVectors; ++v) {
                const Vec values = Ops::load_bytes(row + Ops::kLanes * v);
                first[v] = Ops::fma(values, w1, first[v]);
                second[v] = Ops::fma(values, w2, second[v]);
            }
        },
        [&](const SourceTap& tap) { add(second, tap); });
#pragma GCC unroll 16
    for (int v = 0; v < kVectors; ++v) {
        Ops::store_bytes(first[v], out_one + Ops::kLanes * v);
        Ops::store_bytes(second[v], out_two + Ops::kLanes * v);
    }
}

template <class Ops>
void filter_row_pair(const TapList& one, const TapList& two, const std::uint8_t* work,
                     std::ptrdiff_t work_step, std::size_t bytes, std::uint8_t* out_one,
                     std::uint8_t* out_two) {
    const std::int32_t shift = shared_run_shift<Ops>(one, two);
    if (shift < 0) {
        filter_row_watching<Ops, false>(one, work, work_step, bytes, out_one);
        filter_row_watching<Ops, false>(two, work, work_step, bytes, out_two);
        return;
    }
    // Four vectors a row: eight sums and what they read stay in the sixteen registers of AVX2.
    constexpr int kVectors = 4;
    constexpr std::size_t kSpan = static_cast<std::size_t>(Ops::kLanes) * kVectors;
    std::size_t n = 0;
    for (; n + kSpan <= bytes; n += kSpan)
        filter_row_pair_span<Ops, kVectors>(one, two, shift, work + n, work_step, out_one + n, out_two + n);
    filter_row_watching<Ops, false>(one, work + n, work_step, bytes - n, out_one + n);
    filter_row_watching<Ops, false>(two, work + n, work_step, bytes - n, out_two + n);
}

template <class Ops>
constexpr PixelLoops loop_table(const char* name) {
    return {name,
            gather_columns<Ops>,
            filter_columns<Ops>,
            scatter_rows<Ops>,
            filter_row<Ops>,
            filter_row_pair<Ops>};
}

}  // namespace velmora::kernels
