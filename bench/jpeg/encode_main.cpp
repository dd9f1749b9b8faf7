// Reads a binary PPM, then takes, compresses and saves it as the batch does for each output: for
// timing side by side with `cjpeg -dct float` on the same file.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "imaging/codecs/jpeg_image.hpp"

namespace {

velmora::Picture read_ppm(const char* path) {
    const std::vector<std::uint8_t> bytes = velmora::read_whole_file(path);
    int width = 0, height = 0, maximum = 0, offset = 0;
    const std::string head(
        bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(64, bytes.size())));
    if (std::sscanf(head.c_str(), "P6 %d %d %d%n", &width, &height, &maximum, &offset) != 3 ||
        maximum != 255 ||
        bytes.size() < static_cast<std::size_t>(offset) + 1 + static_cast<std::size_t>(width) * height * 3) {
        throw velmora::Error("not a binary 8-bit PPM");
    }
    const std::uint8_t* from = bytes.data() + offset + 1;
    velmora::Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width; ++x, from += 3) {
            row[3 * x + 0] = from[2];
            row[3 * x + 1] = from[1];
            row[3 * x + 2] = from[0];
        }
    }
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s IN.ppm OUT.jpg QUALITY\n", argv[0]);
        return 2;
    }
    try {
        const velmora::Picture picture = read_ppm(argv[1]);
        velmora::JpegImage image;
        image.take(picture);
        image.set_quality(static_cast<std::uint8_t>(std::atoi(argv[3])));
        image.save(argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
