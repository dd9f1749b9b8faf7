#include "jpeg_writer.hpp"

#include <cstdlib>

#include <jpeglib.h>

#include "test_pictures.hpp"
#include "whole_file.hpp"

namespace velmora::test {
namespace {

// Compresses `crafted` into the destination that `set_destination` gives the compressor. The settings
// follow libjpeg's order: the colour space before the defaults, the defaults before everything else.
template <typename SetDestination>
void compress(const CraftedJpeg& crafted, SetDestination set_destination) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    set_destination(info);
    info.image_width = static_cast<JDIMENSION>(crafted.width);
    info.image_height = static_cast<JDIMENSION>(crafted.height);
    info.input_components = crafted.components;
    info.in_color_space = crafted.in_color_space >= 0 ? static_cast<J_COLOR_SPACE>(crafted.in_color_space)
                                                      : (crafted.components == 1 ? JCS_GRAYSCALE : JCS_RGB);
    jpeg_set_defaults(&info);
    if (crafted.jpeg_color_space >= 0)
        jpeg_set_colorspace(&info, static_cast<J_COLOR_SPACE>(crafted.jpeg_color_space));
    info.write_JFIF_header = crafted.jfif_marker ? TRUE : FALSE;
    info.write_Adobe_marker = crafted.adobe_marker ? TRUE : FALSE;
    jpeg_set_quality(&info, crafted.quality, TRUE);
    if (crafted.float_dct) info.dct_method = JDCT_FLOAT;
    info.density_unit = static_cast<UINT8>(crafted.density_unit);
    info.X_density = static_cast<UINT16>(crafted.density);
    info.Y_density = static_cast<UINT16>(crafted.density);
    if (crafted.progressive) jpeg_simple_progression(&info);
    std::vector<jpeg_scan_info> scans(static_cast<std::size_t>(crafted.components));
    if (crafted.separate_scans) {
        for (int c = 0; c < crafted.components; ++c) {
            scans[static_cast<std::size_t>(c)] = jpeg_scan_info{1, {c, 0, 0, 0}, 0, 63, 0, 0};
        }
        info.scan_info = scans.data();
        info.num_scans = crafted.components;
    }
    jpeg_start_compress(&info, TRUE);
    for (const auto& [marker, contents] : crafted.markers) {
        jpeg_write_marker(&info, marker, contents.data(), static_cast<unsigned>(contents.size()));
    }
    const std::size_t row_bytes = static_cast<std::size_t>(crafted.width) * crafted.components;
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(crafted.samples.data() + info.next_scanline * row_bytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

}  // namespace

std::vector<std::uint8_t> write_crafted_jpeg(const CraftedJpeg& crafted) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    compress(crafted, [&](jpeg_compress_struct& info) { jpeg_mem_dest(&info, &buffer, &size); });
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

void write_crafted_jpeg(const CraftedJpeg& crafted, std::FILE* file) {
    compress(crafted, [&](jpeg_compress_struct& info) { jpeg_stdio_dest(&info, file); });
}

void write_jpeg(const std::filesystem::path& path, int width, int height, JpegKind kind, int quality) {
    CraftedJpeg crafted;
    crafted.width = width;
    crafted.height = height;
    crafted.quality = quality;
    crafted.progressive = kind == JpegKind::kProgressive;
    if (kind == JpegKind::kCmyk) {
        // The photograph's colours as C, M, Y with K at 255, and the markers the library gives CMYK.
        crafted.components = 4;
        crafted.in_color_space = JCS_CMYK;
        crafted.jfif_marker = false;
        crafted.adobe_marker = true;
        const std::vector<std::uint8_t> colours = photograph_samples(width, height, 3);
        crafted.samples.reserve(colours.size() / 3 * 4);
        for (std::size_t i = 0; i < colours.size(); i += 3)
            crafted.samples.insert(crafted.samples.end(), {colours[i], colours[i + 1], colours[i + 2], 255});
    } else {
        crafted.components = kind == JpegKind::kGray ? 1 : 3;
        crafted.samples = photograph_samples(width, height, crafted.components);
    }
    write_bytes(path, write_crafted_jpeg(crafted));
}

void write_plain_jpeg(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                      std::uint8_t green, std::uint8_t blue) {
    CraftedJpeg crafted;
    crafted.width = width;
    crafted.height = height;
    crafted.quality = 95;
    crafted.samples.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int i = 0; i < width * height; ++i)
        crafted.samples.insert(crafted.samples.end(), {red, green, blue});
    write_bytes(path, write_crafted_jpeg(crafted));
}

}  // namespace velmora::test
