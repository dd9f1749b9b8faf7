// JPEG files read with libjpeg directly, independently of the program's own codec: the facts and colours
// of the batch's outputs, and the decode the benchmarks set beside the program's work.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace velmora::test {

struct JpegFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    bool jfif = false;
};
JpegFacts read_jpeg_facts(const std::filesystem::path& path);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
// Decodes the file and gives the mean colour of the rectangle [x, x + w) x [y, y + h).
Rgb mean_color(const std::filesystem::path& path, int x, int y, int w, int h);

// Where a decode puts its rows: told the output's size once, then asked for the place of each row.
class RowDestination {
  public:
    virtual ~RowDestination() = default;
    virtual void begin(int width, int height, int components) = 0;
    virtual std::uint8_t* row(int y) = 0;
};

// Decodes `file` as the program's codec asks libjpeg to, one row at a time: the floating-point inverse
// DCT, fancy upsampling and block smoothing; colour as blue, green, red, gray through the one-pass
// quantizer with 236 levels, CMYK as CMYK.
void decode_like_the_codec(const std::vector<std::uint8_t>& file, RowDestination& destination);
// The same into `pixels`, rows without padding.
void decode_like_the_codec(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& pixels);

}  // namespace velmora::test
