// The last step of decoding: one unfiltered row of stored pixels becomes the logo's sample bytes (one byte
// per channel, 16 bits reduced to the most significant byte, gray levels widened to 0..255) and, for the
// colour types with alpha, its alpha bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/codecs/png_gamma.hpp"
#include "imaging/codecs/png_ihdr.hpp"

namespace velmora::png {

// Sample bytes per pixel the logo keeps: 3 (red, green, blue) for truecolour, 1 otherwise (gray level or
// palette index).
int sample_channels(ColorType type);
bool has_alpha_plane(ColorType type);

// Where the pixels of one row go: pixel i of the row lands at samples + i * step * sample_channels and
// alpha + i * step (alpha unused without an alpha plane). step is 1 but for interlaced passes.
struct RowTarget {
    std::uint8_t* samples = nullptr;
    std::uint8_t* alpha = nullptr;
    std::size_t step = 1;
};

// Colour samples pass through `gamma`; gray with alpha keeps its gray byte as stored, palette indices and
// alpha samples are never changed.
void expand_row(const Ihdr& ihdr, const GammaTable& gamma, const std::uint8_t* row, std::uint32_t count,
                const RowTarget& target);

}  // namespace velmora::png
