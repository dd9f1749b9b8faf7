// The pixel loops of one instruction set: a table of plain functions over raw bytes and tap lists. The
// files built for an instruction set include this header and nothing else of the project: an inline
// function of a shared header compiled there could be picked by the linker for code that runs on any
// processor. Which table runs, and why its bytes are the reference loop's, is in pixel_loop_choice.hpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/resample/tap_list.hpp"

namespace velmora {

// The horizontal pass works on blocks of this many rows, one row per vector lane.
inline constexpr int kBlockRows = 16;

// The values of one pixel across a block: its three channels, each as kBlockRows values, one per row
// (floats when the rows are gathered into columns, bytes when they are filtered).
inline constexpr std::size_t kBlockPixelValues = 3 * kBlockRows;

// The loops sum the lists whose kernel is TapKernel::kFused or TapKernel::kWatched; a watched list
// whose sums meet the case the fused step could round otherwise is handed back, to be summed the
// reference way. In the reference loops every function is null: every list built for them is summed
// by the reference arithmetic.
struct PixelLoops {
    const char* name;  // as VELMORA_SIMD names it
    // columns[n * kBlockRows + lane] = rows[r][n] for n < bytes and every r < kBlockRows, as floats,
    // with row r in a lane of the loops' own order: each byte is converted once, not once for every
    // list that reads it.
    void (*gather_columns)(const std::uint8_t* const* rows, std::size_t bytes, float* columns);
    // For every fused or watched list i and channel c: results[i * kBlockPixelValues + c * kBlockRows +
    // r] is the filtered byte of row r, from columns gathered from pixel first_column on (tap Index x is
    // the pixel at columns + (x - first_column) * kBlockPixelValues). A watched list handed back gets
    // handed_back[i] = 1; its results, and those of the reference lists, are left alone. True when
    // some list was handed back.
    bool (*filter_columns)(const TapList* lists, std::size_t list_count, const float* columns,
                           std::int32_t first_column, std::uint8_t* results, std::uint8_t* handed_back);
    // rows[r][m] = results[m * kBlockRows + r] for m < bytes and r < row_count.
    void (*scatter_rows)(const std::uint8_t* results, std::size_t bytes, std::uint8_t* const* rows,
                         int row_count);
    // One destination row of a fused or watched list: out[n] for n < bytes from the work rows at
    // work + Index * work_step. False when a watched list is handed back, out then being unfinished.
    bool (*filter_row)(const TapList& list, const std::uint8_t* work, std::ptrdiff_t work_step,
                       std::size_t bytes, std::uint8_t* out);
    // Two destination rows of fused lists at once, as filter_row gives them one by one.
    void (*filter_row_pair)(const TapList& one, const TapList& two, const std::uint8_t* work,
                            std::ptrdiff_t work_step, std::size_t bytes, std::uint8_t* out_one,
                            std::uint8_t* out_two);
};

}  // namespace velmora
