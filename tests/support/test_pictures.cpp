#include "test_pictures.hpp"

#include <algorithm>
#include <cmath>
#include <random>

#include "netpbm.hpp"
#include "whole_file.hpp"

namespace velmora::test {
namespace {

// A well-mixed hash of the sample's place, so that the grain needs no state and is the same at every call.
std::uint32_t grain_hash(int x, int y, int channel) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x9E3779B1u ^
                      static_cast<std::uint32_t>(y) * 0x85EBCA77u ^
                      static_cast<std::uint32_t>(channel) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    return h ^ (h >> 16);
}

// A 24-bit picture whose pixel (x, y) gets its blue, green and red bytes from set(x, y, pixel).
template <class SetPixel>
Picture picture_with(int width, int height, SetPixel set) {
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width; ++x) set(x, y, row + 3 * x);
    }
    return picture;
}

}  // namespace

Picture photograph() {
    return picture_of(read_netpbm(jpeg_data("testorig.ppm")));
}

std::uint8_t photograph_sample(int x, int y, int width, int height, int channel, PhotographStyle style) {
    const double u = static_cast<double>(x) / width;
    const double v = static_cast<double>(y) / height;
    double value = 128 + 100 * std::sin(6.0 * u + 2.0 * channel) * std::cos(4.0 * v - channel);
    if (((x / (7 * style.patch_scale)) + (y / (5 * style.patch_scale))) % 9 == 0) value = 255 - value;
    if (style.grain > 0)
        value += (static_cast<double>(grain_hash(x, y, channel) >> 24) / 255 * 2 - 1) * style.grain;
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

std::vector<std::uint8_t> photograph_samples(int width, int height, int channels, PhotographStyle style) {
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * height * channels);
    auto at = samples.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) *at++ = photograph_sample(x, y, width, height, c, style);
    return samples;
}

Picture synthetic_photograph(int width, int height, PhotographStyle style) {
    return picture_with(width, height, [&](int x, int y, std::uint8_t* pixel) {
        for (int c = 0; c < 3; ++c) pixel[2 - c] = photograph_sample(x, y, width, height, c, style);
    });
}

Picture flat_picture(int width, int height) {
    return picture_with(width, height, [](int, int, std::uint8_t* pixel) {
        pixel[0] = 40;
        pixel[1] = 160;
        pixel[2] = 220;
    });
}

Picture hard_edges(int width, int height) {
    return picture_with(width, height, [](int x, int y, std::uint8_t* pixel) {
        const bool on = ((x / 3) + (y / 5)) % 2 == 0;
        pixel[0] = on ? 255 : 0;
        pixel[1] = on ? 0 : 255;
        pixel[2] = (x * 7 + y) % 2 ? 255 : 0;
    });
}

Picture noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width * 3; ++x) row[x] = static_cast<std::uint8_t>(random());
    }
    return picture;
}

}  // namespace velmora::test
