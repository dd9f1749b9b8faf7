#include "netpbm.hpp"

#include <cctype>
#include <stdexcept>
#include <string>

#include "whole_file.hpp"

namespace velmora::test {

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

Picture picture_of(const Netpbm& image) {
    if (image.channels != 3) throw std::runtime_error("not a colour image");
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

}  // namespace velmora::test
