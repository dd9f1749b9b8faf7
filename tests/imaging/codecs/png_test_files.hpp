// Builds small PNG files in memory for tests: chunks with their CRC, a header, image data compressed
// from rows given with their filter bytes.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace velmora::test {

using Bytes = std::vector<std::uint8_t>;

inline void append_be32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline Bytes be32(std::uint32_t value) {
    Bytes out;
    append_be32(out, value);
    return out;
}

inline Bytes chunk(const std::string& type, const Bytes& data) {
    Bytes out;
    append_be32(out, static_cast<std::uint32_t>(data.size()));
    Bytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    append_be32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
    return out;
}

inline Bytes ihdr_data(std::uint32_t width, std::uint32_t height, int depth, int color_type,
                       int interlace = 0) {
    Bytes data = be32(width);
    append_be32(data, height);
    for (int b : {depth, color_type, 0, 0, interlace}) data.push_back(static_cast<std::uint8_t>(b));
    return data;
}

inline Bytes zlib_compress(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(size);
    return out;
}

inline const Bytes kSignature{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

inline Bytes png_file(std::initializer_list<Bytes> chunks) {
    Bytes out = kSignature;
    for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
    return out;
}

// A whole file: header, the given extra chunks before the image data, one IDAT of `raw` (rows with their
// filter bytes), IEND.
inline Bytes simple_png(std::uint32_t width, std::uint32_t height, int depth, int color_type,
                        const Bytes& raw, std::initializer_list<Bytes> before_data = {}, int interlace = 0) {
    Bytes out = kSignature;
    const Bytes header = chunk("IHDR", ihdr_data(width, height, depth, color_type, interlace));
    out.insert(out.end(), header.begin(), header.end());
    for (const Bytes& c : before_data) out.insert(out.end(), c.begin(), c.end());
    const Bytes data = chunk("IDAT", zlib_compress(raw));
    out.insert(out.end(), data.begin(), data.end());
    const Bytes end = chunk("IEND", {});
    out.insert(out.end(), end.begin(), end.end());
    return out;
}

}  // namespace velmora::test
