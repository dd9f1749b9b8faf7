// The fit-to-width rule: a picture wider than the target width is scaled down to exactly that width,
// keeping its aspect ratio; one at or below it keeps its size. The height plays no part in the decision.
#pragma once

namespace velmora {

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

bool needs_scaling(int source_width, int target_width);

// s = T / W, the quotient formed at extended precision and stored as a double.
double scale_factor(int target_width, int source_width);

// The size a source of width W and height H is scaled to for target width T (W > T > 0): each side is the
// product of the integer and the stored s, formed at extended precision and rounded half to even. The
// stored s is not exactly T / W in general, and its error decides a product that would otherwise be an
// exact half (6 x 3 at T = 5 gives 5 x 3).
PictureSize scaled_size(int source_width, int source_height, int target_width);

}  // namespace velmora
