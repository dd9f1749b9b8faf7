#include "png_writer.hpp"

#include <zlib.h>

#include "whole_file.hpp"

namespace velmora::test {

void append_be32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

Bytes be32(std::uint32_t value) {
    Bytes out;
    append_be32(out, value);
    return out;
}

Bytes chunk(const std::string& type, const Bytes& data) {
    Bytes out;
    append_be32(out, static_cast<std::uint32_t>(data.size()));
    Bytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    append_be32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
    return out;
}

Bytes ihdr_data(std::uint32_t width, std::uint32_t height, int depth, int color_type, int interlace) {
    Bytes data = be32(width);
    append_be32(data, height);
    for (int b : {depth, color_type, 0, 0, interlace}) data.push_back(static_cast<std::uint8_t>(b));
    return data;
}

Bytes zlib_compress(const Bytes& raw, int level) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level);
    out.resize(size);
    return out;
}

Bytes png_file(std::initializer_list<Bytes> chunks) {
    Bytes out = kSignature;
    for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
    return out;
}

Bytes simple_png(std::uint32_t width, std::uint32_t height, int depth, int color_type, const Bytes& raw,
                 std::initializer_list<Bytes> before_data, int interlace, int level) {
    Bytes out = kSignature;
    const Bytes header = chunk("IHDR", ihdr_data(width, height, depth, color_type, interlace));
    out.insert(out.end(), header.begin(), header.end());
    for (const Bytes& c : before_data) out.insert(out.end(), c.begin(), c.end());
    const Bytes data = chunk("IDAT", zlib_compress(raw, level));
    out.insert(out.end(), data.begin(), data.end());
    const Bytes end = chunk("IEND", {});
    out.insert(out.end(), end.begin(), end.end());
    return out;
}

void write_png_logo(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                    std::uint8_t green, std::uint8_t blue) {
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) raw.insert(raw.end(), {red, green, blue});
    }
    write_bytes(path, simple_png(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 8, 2,
                                 raw, {}, 0, Z_DEFAULT_COMPRESSION));
}

}  // namespace velmora::test
