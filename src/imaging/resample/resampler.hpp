// The two-pass resampler: scales one Picture into another of the size the caller gave it.
#pragma once

#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loops.hpp"

namespace velmora {

// Fills every pixel of `destination` (its size set by the caller, kept) from `source`, filtering along
// rows to the destination's width, then along columns. Each direction shrinks or enlarges on its own;
// the first and last pixels of both pictures line up. Both pictures end in the 24-bit form. Failures,
// all before any pixel of the destination is written: "Source bitmap too small" for a source without
// pixels, before anything is changed; "Floating point division by zero" for a direction scaled to a
// single pixel (the horizontal one first); "Scan line index out of range" for a single-row source or a
// destination with fewer than two rows.
void ResamplePicture(Picture& source, Picture& destination, TFilterProc filter, float width);

// ResamplePicture with the given loops instead of the chosen ones (chosen_pixel_loops), for tests and
// benchmarks that run each of them.
void resample_picture_with(const PixelLoops& loops, Picture& source, Picture& destination, TFilterProc filter,
                           float width);

}  // namespace velmora
