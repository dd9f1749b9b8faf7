#include "jpeg_test_support.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <jpeglib.h>

namespace velmora::testing {

std::filesystem::path jpeg_data(const std::string& name) {
    return std::filesystem::path(VELMORA_TEST_DATA_DIR) / "jpeg" / name;
}

std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(file), {}};
}

void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

namespace {

Picture from_rgb(const Netpbm& image) {
    Picture picture;
    picture.set_size(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        const std::uint8_t* from = image.samples.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = 0; x < image.width; ++x) {
            row[3 * x + 0] = from[3 * x + 2];
            row[3 * x + 1] = from[3 * x + 1];
            row[3 * x + 2] = from[3 * x + 0];
        }
    }
    return picture;
}

}  // namespace

Picture photograph() {
    return from_rgb(read_netpbm(jpeg_data("testorig.ppm")));
}

Picture flat_picture(int width, int height) {
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = 40;
            row[3 * x + 1] = 160;
            row[3 * x + 2] = 220;
        }
    }
    return picture;
}

Picture hard_edges(int width, int height) {
    Picture picture;
    picture.set_size(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < width; ++x) {
            const bool on = ((x / 3) + (y / 5)) % 2 == 0;
            row[3 * x + 0] = on ? 255 : 0;
            row[3 * x + 1] = on ? 0 : 255;
            row[3 * x + 2] = (x * 7 + y) % 2 ? 255 : 0;
        }
    }
    return picture;
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

void write_ppm(const std::filesystem::path& path, const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    const std::string header =
        "P6\n" + std::to_string(picture.width()) + " " + std::to_string(picture.height()) + "\n255\n";
    bytes.assign(header.begin(), header.end());
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* row = picture.scanline(y);
        for (int x = 0; x < picture.width(); ++x) {
            bytes.push_back(row[3 * x + 2]);
            bytes.push_back(row[3 * x + 1]);
            bytes.push_back(row[3 * x + 0]);
        }
    }
    write_bytes(path, bytes);
}

Netpbm read_netpbm(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = read_bytes(path);
    std::size_t at = 0;
    auto next_token = [&]() {
        while (at < bytes.size() && std::isspace(bytes[at])) ++at;
        std::string token;
        while (at < bytes.size() && !std::isspace(bytes[at])) token.push_back(static_cast<char>(bytes[at++]));
        return token;
    };
    Netpbm image;
    const std::string magic = next_token();
    if (magic != "P6" && magic != "P5") throw std::runtime_error("not a binary PPM or PGM: " + path.string());
    image.channels = magic == "P6" ? 3 : 1;
    image.width = std::stoi(next_token());
    image.height = std::stoi(next_token());
    if (next_token() != "255") throw std::runtime_error("not 8-bit: " + path.string());
    ++at;  // the one whitespace byte before the samples
    image.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    if (image.samples.size() != static_cast<std::size_t>(image.width) * image.height * image.channels) {
        throw std::runtime_error("wrong sample count: " + path.string());
    }
    return image;
}

std::vector<std::uint8_t> write_crafted_jpeg(const CraftedJpeg& crafted) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
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
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

std::vector<Segment> segments_of(const std::vector<std::uint8_t>& jpeg) {
    std::vector<Segment> segments;
    std::size_t at = 0;
    auto fail = [] { throw std::runtime_error("malformed JPEG in a test"); };
    while (at + 1 < jpeg.size()) {
        if (jpeg[at] != 0xFF) fail();
        const int marker = jpeg[at + 1];
        at += 2;
        Segment segment{marker, {}};
        const bool standalone = marker == 0xD8 || marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7);
        if (!standalone) {
            if (at + 2 > jpeg.size()) fail();
            const std::size_t length = jpeg[at] << 8 | jpeg[at + 1];
            if (length < 2 || at + length > jpeg.size()) fail();
            segment.contents.assign(jpeg.begin() + static_cast<std::ptrdiff_t>(at + 2),
                                    jpeg.begin() + static_cast<std::ptrdiff_t>(at + length));
            at += length;
        }
        segments.push_back(std::move(segment));
        if (marker == 0xD9) break;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is neither a stuffed zero nor a restart.
            while (at + 1 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] != 0 &&
                                             !(jpeg[at + 1] >= 0xD0 && jpeg[at + 1] <= 0xD7))) {
                ++at;
            }
        }
    }
    return segments;
}

}  // namespace velmora::testing
