// Pictures for tests and benchmarks, 24 bits: the corpus photograph, synthetic photographs of any size,
// and flat, hard-edged and noisy pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/picture.hpp"

namespace velmora::test {

// The photograph of the JPEG corpus (tests/data/jpeg/testorig.ppm).
Picture photograph();

// What a synthetic photograph looks like beyond its size. The default is the tests' picture; benchmarks,
// whose cost depends on the content, take a camera's (kCameraPhotograph).
struct PhotographStyle {
    int grain = 0;        // sensor-like noise of up to that many levels either way, the same at every call
    int patch_scale = 1;  // the hard-edged patches are 7 x 5 pixels times this
};
inline constexpr PhotographStyle kCameraPhotograph{12, 40};

// One sample of a synthetic photograph, `width` x `height`: smooth gradients like sky and skin with
// hard-edged patches for the resampler to ring on, channel 0, 1, 2 being red, green, blue (a gray
// picture takes channel 0).
std::uint8_t photograph_sample(int x, int y, int width, int height, int channel, PhotographStyle style = {});

// Those samples as rows without padding, `channels` 1 (gray) or 3 (red first), as libjpeg takes them.
std::vector<std::uint8_t> photograph_samples(int width, int height, int channels, PhotographStyle style = {});

// The same synthetic photograph as a Picture (blue, green, red).
Picture synthetic_photograph(int width, int height, PhotographStyle style = {});

Picture flat_picture(int width, int height);
Picture hard_edges(int width, int height);
Picture noise(int width, int height, unsigned seed);

}  // namespace velmora::test
