#include "jpeg_reader.hpp"

#include <cstdio>

#include <jpeglib.h>

#include "whole_file.hpp"

namespace velmora::test {
namespace {

template <typename Body>
void decompress(const std::vector<std::uint8_t>& bytes, Body body) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_read_header(&info, TRUE);
    body(info);
    jpeg_destroy_decompress(&info);
}

}  // namespace

JpegFacts read_jpeg_facts(const std::filesystem::path& path) {
    JpegFacts facts;
    decompress(read_bytes(path), [&](jpeg_decompress_struct& info) {
        facts.width = static_cast<int>(info.image_width);
        facts.height = static_cast<int>(info.image_height);
        facts.components = info.num_components;
        facts.progressive = info.progressive_mode;
        facts.jfif = info.saw_JFIF_marker;
    });
    return facts;
}

Rgb mean_color(const std::filesystem::path& path, int x, int y, int w, int h) {
    long sums[3] = {0, 0, 0};
    decompress(read_bytes(path), [&](jpeg_decompress_struct& info) {
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(info.output_width) * 3);
        while (info.output_scanline < info.output_height) {
            const int line = static_cast<int>(info.output_scanline);
            JSAMPROW rows[1] = {row.data()};
            jpeg_read_scanlines(&info, rows, 1);
            if (line < y || line >= y + h) continue;
            for (int column = x; column < x + w; ++column)
                for (int c = 0; c < 3; ++c) sums[c] += row[static_cast<std::size_t>(column) * 3 + c];
        }
        jpeg_finish_decompress(&info);
    });
    const long count = static_cast<long>(w) * h;
    return {static_cast<int>(sums[0] / count), static_cast<int>(sums[1] / count),
            static_cast<int>(sums[2] / count)};
}

void decode_like_the_codec(const std::vector<std::uint8_t>& file, RowDestination& destination) {
    decompress(file, [&](jpeg_decompress_struct& info) {
        switch (info.jpeg_color_space) {
            case JCS_GRAYSCALE:
                info.out_color_space = JCS_GRAYSCALE;
                info.quantize_colors = TRUE;
                info.desired_number_of_colors = 236;
                info.dither_mode = JDITHER_FS;
                info.two_pass_quantize = FALSE;
                break;
            case JCS_CMYK:
            case JCS_YCCK:
                info.out_color_space = JCS_CMYK;
                break;
            default:
                info.out_color_space = JCS_EXT_BGR;
        }
        info.do_block_smoothing = TRUE;
        info.dct_method = JDCT_FLOAT;
        info.do_fancy_upsampling = TRUE;
        jpeg_start_decompress(&info);
        destination.begin(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                          info.output_components);
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[1] = {destination.row(static_cast<int>(info.output_scanline))};
            jpeg_read_scanlines(&info, rows, 1);
        }
        jpeg_finish_decompress(&info);
    });
}

void decode_like_the_codec(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& pixels) {
    class WholePicture : public RowDestination {
      public:
        explicit WholePicture(std::vector<std::uint8_t>& pixels) : pixels_(pixels) {}
        void begin(int width, int height, int components) override {
            stride_ = static_cast<std::size_t>(width) * components;
            pixels_.resize(stride_ * height);
        }
        std::uint8_t* row(int y) override { return pixels_.data() + stride_ * y; }

      private:
        std::vector<std::uint8_t>& pixels_;
        std::size_t stride_ = 0;
    };
    WholePicture whole(pixels);
    decode_like_the_codec(file, whole);
}

}  // namespace velmora::test
