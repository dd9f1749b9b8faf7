#include "imaging/resample/resampler.hpp"

#include <utility>

#include "base/error.hpp"
#include "imaging/resample/pixel_loops.hpp"
#include "imaging/resample/tap_list.hpp"

namespace velmora {

void resample_picture_with(const PixelLoops& loops, Picture& source, Picture& destination, TFilterProc filter,
                           float width) {
    const int destination_width = destination.width();
    const int destination_height = destination.height();
    const int source_width = source.width();
    const int source_height = source.height();
    if (source_width < 1 || source_height < 1) throw Error("Source bitmap too small");

    Picture work;
    work.set_size(destination_width, source_height);
    const float horizontal_scale = resample_scale(source_width, destination_width);
    const float vertical_scale = resample_scale(source_height, destination_height);

    source.set_pixel_format(PixelFormat::pf24bit);
    destination.set_pixel_format(PixelFormat::pf24bit);
    work.set_pixel_format(PixelFormat::pf24bit);

    {  // only one direction's lists exist at a time
        const TapLists columns =
            build_tap_lists(filter, width, source_width, destination_width, horizontal_scale);
        horizontal_pass(loops, std::as_const(source), work, columns);
    }
    const TapLists rows = build_tap_lists(filter, width, source_height, destination_height, vertical_scale);

    // Rows are reached from row 0 by the distance to row 1: a picture of a single row fails here.
    const Picture& finished_work = work;
    const std::uint8_t* work_row0 = finished_work.scanline(0);
    const std::ptrdiff_t work_step = finished_work.scanline(1) - work_row0;
    std::uint8_t* destination_row0 = destination.scanline(0);
    const std::ptrdiff_t destination_step = destination.scanline(1) - destination_row0;

    vertical_pass(loops, {work_row0, work_step, destination_row0, destination_step, destination_width}, rows);
}

void ResamplePicture(Picture& source, Picture& destination, TFilterProc filter, float width) {
    resample_picture_with(chosen_pixel_loops(), source, destination, filter, width);
}

}  // namespace velmora
