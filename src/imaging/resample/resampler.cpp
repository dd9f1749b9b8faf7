#include "imaging/resample/resampler.hpp"

#include <algorithm>

#include "base/error.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/row_resampler.hpp"

namespace velmora {

void resample_picture_with(const PixelLoops& loops, Picture& source, Picture& destination, TFilterProc filter,
                           float width) {
    const int source_width = source.width();
    const int source_height = source.height();
    if (source_width < 1 || source_height < 1) throw Error("Source bitmap too small");

    source.set_pixel_format(PixelFormat::k24Bit);
    destination.set_pixel_format(PixelFormat::k24Bit);
    // A copy of the source: should the caller pass one picture as both, writing the destination gives
    // it pixels of its own while the copy keeps the rows still to be read.
    const Picture from = source;
    RowResampler resampler(loops, source_width, source_height, destination, filter, width);
    for (int top = 0; top < source_height; top += kResampleRowBlock) {
        const int count = std::min(kResampleRowBlock, source_height - top);
        const std::uint8_t* rows[kResampleRowBlock];
        for (int r = 0; r < count; ++r) rows[r] = from.scanline(top + r);
        resampler.add_rows(rows, count);
    }
}

void ResamplePicture(Picture& source, Picture& destination, TFilterProc filter, float width) {
    resample_picture_with(chosen_pixel_loops(), source, destination, filter, width);
}

}  // namespace velmora
