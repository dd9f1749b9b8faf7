// Small PNG files built in memory for tests, independently of the program's reader: chunks with their
// CRC, a header, image data compressed from rows given with their filter bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace velmora::test {

using Bytes = std::vector<std::uint8_t>;

void append_be32(Bytes& out, std::uint32_t value);
Bytes be32(std::uint32_t value);

Bytes chunk(const std::string& type, const Bytes& data);
Bytes ihdr_data(std::uint32_t width, std::uint32_t height, int depth, int color_type, int interlace = 0);
// A zlib stream of `raw` at `level` (zlib's 0 to 9, or -1 for its default).
Bytes zlib_compress(const Bytes& raw, int level = 9);

inline const Bytes kSignature{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

Bytes png_file(std::initializer_list<Bytes> chunks);

// A whole file: header, the given extra chunks before the image data, one IDAT of `raw` (rows with their
// filter bytes) compressed at `level`, IEND.
Bytes simple_png(std::uint32_t width, std::uint32_t height, int depth, int color_type, const Bytes& raw,
                 std::initializer_list<Bytes> before_data = {}, int interlace = 0, int level = 9);

// A logo file of one opaque colour, 8-bit truecolour without transparency, at zlib's default level.
void write_png_logo(const std::filesystem::path& path, int width, int height, std::uint8_t red,
                    std::uint8_t green, std::uint8_t blue);

}  // namespace velmora::test
