// Reads a binary PPM, then takes, compresses and saves it as the batch does for each output: for
// timing side by side with `cjpeg -dct float` on the same file.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "base/error.hpp"
#include "imaging/codecs/jpeg_image.hpp"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads the PPM row by row straight into the picture, as cjpeg reads its input, so that neither
// side pays for a whole-file buffer.
velmora::Picture read_ppm(const char* path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    int width = 0, height = 0, maximum = 0;
    if (!file || std::fscanf(file.get(), "P6 %d %d %d", &width, &height, &maximum) != 3 || maximum != 255 ||
        std::fgetc(file.get()) == EOF) {
        throw velmora::Error("not a binary 8-bit PPM");
    }
    velmora::Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        if (std::fread(row, 3, static_cast<std::size_t>(width), file.get()) !=
            static_cast<std::size_t>(width)) {
            throw velmora::Error("PPM file too short");
        }
        for (int x = 0; x < width; ++x) std::swap(row[3 * x], row[3 * x + 2]);
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
