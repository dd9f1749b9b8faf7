#include "batch/fit_to_width.hpp"

#include "base/numeric.hpp"

namespace velmora {

bool needs_scaling(int source_width, int target_width) {
    return source_width > target_width;
}

double scale_factor(int target_width, int source_width) {
    return static_cast<double>(
        divide(static_cast<Extended>(target_width), static_cast<Extended>(source_width)));
}

PictureSize scaled_size(int source_width, int source_height, int target_width) {
    const Extended s = scale_factor(target_width, source_width);
    return {round_half_even(static_cast<Extended>(source_width) * s),
            round_half_even(static_cast<Extended>(source_height) * s)};
}

}  // namespace velmora
