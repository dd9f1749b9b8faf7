// Loads a JPEG file and decodes it, as the batch does for each source: for timing side by side with
// `djpeg -dct float`.
#include <cstdio>
#include <exception>

#include "imaging/codecs/jpeg_image.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.jpg\n", argv[0]);
        return 2;
    }
    try {
        velmora::JpegImage image;
        image.load(argv[1]);
        velmora::Picture picture;
        image.decode_into(picture);
        return picture.width() == image.width() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
