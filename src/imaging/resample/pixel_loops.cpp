#include "imaging/resample/pixel_loops.hpp"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "base/memory_limit.hpp"
#include "base/numeric.hpp"

namespace velmora {

namespace {

std::uint8_t to_byte(float accumulator) {
    if (accumulator > 255.0f) return 255;
    if (accumulator < 0.0f) return 0;
    return static_cast<std::uint8_t>(round_half_even(accumulator));
}

const SourceTap* taps_of(const TapList& list) {
    return list.Taps.data();
}

// The fast horizontal pass keeps one block of rows as columns, and its results, in scratch memory;
// pictures wider than this take the reference loop instead.
constexpr std::uint64_t kMaxBlockScratch = std::uint64_t{64} << 20;

template <class T>
std::vector<T> scratch(std::size_t count) {
    check_allocation(count * sizeof(T));
    try {
        return std::vector<T>(count);
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
}

std::vector<ListView> views_of(const TapLists& lists) {
    std::vector<ListView> views = scratch<ListView>(lists.size());
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const SourceTap* taps = taps_of(lists[i]);
        bool contiguous = true;
        for (std::int32_t t = 1; t < lists[i].Count; ++t)
            contiguous = contiguous && taps[t].Index == taps[0].Index + t;
        views[i] = {taps, lists[i].Count, fused_sum_is_exact(lists[i]), contiguous};
    }
    return views;
}

void horizontal_reference(const Picture& source, Picture& work, const TapLists& columns) {
    for (int k = 0; k < source.height(); ++k) {
        const std::uint8_t* in = source.scanline(k);
        std::uint8_t* out = work.scanline(k);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            filter_pixel_exact(taps_of(columns[i]), columns[i].Count, in, 3, out + 3 * i);
        }
    }
}

// Consecutive lists whose taps lie within a few hundred source pixels: their columns are gathered
// together and stay in the cache while the lists are filtered.
struct ListRun {
    std::size_t first_list;
    std::size_t end_list;
    std::int32_t first_column;
    std::int32_t end_column;
};

std::vector<ListRun> runs_of(const std::vector<ListView>& lists) {
    constexpr std::int32_t kRunColumns = 256;
    std::vector<ListRun> runs;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = -1;
        for (std::int32_t t = 0; t < lists[i].count; ++t) {
            low = std::min(low, lists[i].taps[t].Index);
            high = std::max(high, lists[i].taps[t].Index + 1);
        }
        if (high < 0) low = high = 0;  // an empty list reads nothing
        ListRun* run = runs.empty() ? nullptr : &runs.back();
        if (run != nullptr &&
            std::max(run->end_column, high) - std::min(run->first_column, low) <= kRunColumns) {
            run->end_list = i + 1;
            run->first_column = std::min(run->first_column, low);
            run->end_column = std::max(run->end_column, high);
        } else {
            runs.push_back({i, i + 1, low, high});
        }
    }
    return runs;
}

// Rows in blocks of kBlockRows: each block is turned into columns (one row per vector lane), filtered
// list by list, and turned back into rows of the work picture. Lists the fused sum cannot do exactly
// are filled in between by the reference arithmetic.
void horizontal_fast(const PixelKernels& kernels, const Picture& source, Picture& work,
                     const TapLists& columns) {
    const std::size_t out_bytes = 3 * columns.size();
    const std::vector<ListView> lists = views_of(columns);
    const std::vector<ListRun> runs = runs_of(lists);
    std::size_t widest = 0;
    for (const ListRun& run : runs) {
        widest = std::max(widest, static_cast<std::size_t>(run.end_column - run.first_column));
    }
    std::vector<float> column_values = scratch<float>(3 * widest * kBlockRows);
    std::vector<std::uint8_t> results = scratch<std::uint8_t>(out_bytes * kBlockRows);

    const int height = source.height();
    for (int top = 0; top < height; top += kBlockRows) {
        const int rows = std::min(kBlockRows, height - top);
        const std::uint8_t* in[kBlockRows];
        std::uint8_t* out[kBlockRows];
        for (int r = 0; r < kBlockRows; ++r) in[r] = source.scanline(top + std::min(r, rows - 1));
        for (const ListRun& run : runs) {
            const std::uint8_t* from[kBlockRows];
            for (int r = 0; r < kBlockRows; ++r)
                from[r] = in[r] + 3 * static_cast<std::ptrdiff_t>(run.first_column);
            kernels.gather_columns(from, 3 * static_cast<std::size_t>(run.end_column - run.first_column),
                                   column_values.data());
            kernels.filter_columns(lists.data() + run.first_list, run.end_list - run.first_list,
                                   column_values.data(), run.first_column,
                                   results.data() + 3 * kBlockRows * run.first_list);
        }
        for (std::size_t i = 0; i < lists.size(); ++i) {
            if (lists[i].exact) continue;
            for (int r = 0; r < rows; ++r) {
                std::uint8_t pixel[3];
                filter_pixel_exact(lists[i].taps, lists[i].count, in[r], 3, pixel);
                for (std::size_t c = 0; c < 3; ++c) {
                    results[(3 * i + c) * kBlockRows + static_cast<std::size_t>(r)] = pixel[c];
                }
            }
        }
        for (int r = 0; r < rows; ++r) out[r] = work.scanline(top + r);
        kernels.scatter_rows(results.data(), out_bytes, out, rows);
    }
}

void vertical_reference(const RowLayout& layout, const TapLists& rows) {
    for (int x = 0; x < layout.width; ++x) {
        const std::uint8_t* column = layout.work + 3 * static_cast<std::ptrdiff_t>(x);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::uint8_t* out =
                layout.destination + static_cast<std::ptrdiff_t>(i) * layout.destination_step + 3 * x;
            filter_pixel_exact(taps_of(rows[i]), rows[i].Count, column, layout.work_step, out);
        }
    }
}

// Row by row, over the whole width at once: every byte of a destination row is its own sum with the
// row's taps, so the order of the taps within each sum is kept.
void vertical_fast(const PixelKernels& kernels, const RowLayout& layout, const TapLists& rows) {
    const std::size_t bytes = 3 * static_cast<std::size_t>(layout.width);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ListView list{taps_of(rows[i]), rows[i].Count, fused_sum_is_exact(rows[i]), false};
        std::uint8_t* out = layout.destination + static_cast<std::ptrdiff_t>(i) * layout.destination_step;
        if (list.exact) {
            kernels.filter_row(&list, layout.work, layout.work_step, bytes, out);
            continue;
        }
        for (int x = 0; x < layout.width; ++x) {
            filter_pixel_exact(list.taps, list.count, layout.work + 3 * x, layout.work_step, out + 3 * x);
        }
    }
}

bool simd_switched_off() {
    const char* value = std::getenv("VELMORA_NO_SIMD");
    return value != nullptr && std::string_view(value) == "1";
}

const PixelLoops kReferenceLoops{"reference", nullptr};
const PixelLoops kAvx2Loops{"avx2", &kAvx2PixelKernels};
const PixelLoops kAvx512Loops{"avx512", &kAvx512PixelKernels};

}  // namespace

void filter_pixel_exact(const SourceTap* taps, std::int32_t count, const std::uint8_t* base,
                        std::ptrdiff_t step, std::uint8_t* out) {
    float accumulators[3] = {0.0f, 0.0f, 0.0f};
    for (std::int32_t t = 0; t < count; ++t) {
        const std::uint8_t* pixel = base + taps[t].Index * step;
        const Extended weight = taps[t].Weight;
        for (int c = 0; c < 3; ++c) accumulators[c] = to_single(pixel[c] * weight + accumulators[c]);
    }
    for (int c = 0; c < 3; ++c) out[c] = to_byte(accumulators[c]);
}

void horizontal_pass(const PixelLoops& loops, const Picture& source, Picture& work, const TapLists& columns) {
    const std::uint64_t block_bytes =
        3 * std::max<std::uint64_t>(static_cast<std::uint64_t>(source.width()), columns.size()) * kBlockRows;
    if (loops.kernels == nullptr || block_bytes > kMaxBlockScratch) {
        horizontal_reference(source, work, columns);
    } else {
        horizontal_fast(*loops.kernels, source, work, columns);
    }
}

void vertical_pass(const PixelLoops& loops, const RowLayout& layout, const TapLists& rows) {
    if (loops.kernels == nullptr) {
        vertical_reference(layout, rows);
    } else {
        vertical_fast(*loops.kernels, layout, rows);
    }
}

const PixelLoops& reference_pixel_loops() {
    return kReferenceLoops;
}

const PixelLoops* avx2_pixel_loops() {
    static const bool supported = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return supported ? &kAvx2Loops : nullptr;
}

const PixelLoops* avx512_pixel_loops() {
    static const bool supported = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                  __builtin_cpu_supports("avx512vl");
    return supported ? &kAvx512Loops : nullptr;
}

const PixelLoops& chosen_pixel_loops() {
    static const PixelLoops& fastest = [&]() -> const PixelLoops& {
        if (const PixelLoops* loops = avx512_pixel_loops()) return *loops;
        if (const PixelLoops* loops = avx2_pixel_loops()) return *loops;
        return kReferenceLoops;
    }();
    return simd_switched_off() ? kReferenceLoops : fastest;
}

}  // namespace velmora
