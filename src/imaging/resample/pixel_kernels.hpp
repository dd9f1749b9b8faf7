// The fast pixel kernels, one set per instruction set. They are plain functions over raw bytes and tap
// arrays, and the files built for an instruction set include nothing else: an inline function of a
// shared header compiled there could be picked by the linker for code that runs on any processor.
// Every kernel sums in single precision with fused multiply-add, tap by tap in list order, which is
// the reference arithmetic exactly for the lists whose `exact` flag is set (see fused_sum_is_exact).
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/resample/tap_list.hpp"

namespace velmora {

// The horizontal pass works on blocks of this many rows, one row per vector lane.
inline constexpr int kBlockRows = 16;

struct ListView {
    const SourceTap* taps;
    std::int32_t count;
    bool exact;       // the fused sum gives the reference bytes
    bool contiguous;  // the taps' indices run up by one from the first
};

struct PixelKernels {
    // columns[n * kBlockRows + r] = rows[r][n] for n < bytes and every r < kBlockRows, as floats: each
    // byte is converted once, not once for every list that reads it.
    void (*gather_columns)(const std::uint8_t* const* rows, std::size_t bytes, float* columns);
    // For every exact list i and channel c: results[(3 i + c) * kBlockRows + r] is the filtered byte of
    // row r, from columns gathered from pixel first_column on (tap Index x is the pixel at
    // columns + 3 (x - first_column) * kBlockRows). The results of the other lists are left alone.
    void (*filter_columns)(const ListView* lists, std::size_t list_count, const float* columns,
                           std::int32_t first_column, std::uint8_t* results);
    // rows[r][m] = results[m * kBlockRows + r] for m < bytes and r < row_count.
    void (*scatter_rows)(const std::uint8_t* results, std::size_t bytes, std::uint8_t* const* rows,
                         int row_count);
    // One destination row of an exact list: out[n] for n < bytes from the work rows at
    // work + Index * work_step.
    void (*filter_row)(const ListView* list, const std::uint8_t* work, std::ptrdiff_t work_step,
                       std::size_t bytes, std::uint8_t* out);
};

// Constant tables, usable only when the processor has the instruction set (see pixel_loops.hpp).
extern const PixelKernels kAvx2PixelKernels;    // AVX2 and FMA
extern const PixelKernels kAvx512PixelKernels;  // AVX-512 F, BW and VL

}  // namespace velmora
