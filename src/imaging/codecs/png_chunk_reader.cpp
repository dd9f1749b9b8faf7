#include "imaging/codecs/png_chunk_reader.hpp"

#include <zlib.h>

#include <algorithm>

#include "base/error.hpp"
#include "imaging/codecs/png_format.hpp"

namespace velmora::png {

namespace {

constexpr std::size_t kLengthBytes = 4;
constexpr std::size_t kTypeBytes = 4;
constexpr std::size_t kCrcBytes = 4;

// CRC-32 over the type and data, fed to zlib in pieces that fit its 32-bit length.
std::uint32_t chunk_crc(std::span<const std::uint8_t> type_and_data) {
    uLong crc = crc32(0L, Z_NULL, 0);
    while (!type_and_data.empty()) {
        const std::size_t piece = std::min<std::size_t>(type_and_data.size(), 1u << 30);
        crc = crc32(crc, type_and_data.data(), static_cast<uInt>(piece));
        type_and_data = type_and_data.subspan(piece);
    }
    return static_cast<std::uint32_t>(crc);
}

}  // namespace

std::span<const std::uint8_t> ChunkReader::take(std::size_t count) {
    const std::span<const std::uint8_t> bytes = file_.subspan(position_, count);
    position_ += count;
    return bytes;
}

void ChunkReader::read_signature() {
    if (remaining() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), file_.begin())) {
        throw Error(message::kBadSignature);
    }
    take(kSignature.size());
}

Chunk ChunkReader::read_chunk() {
    if (remaining() < kLengthBytes) throw Error(message::kUnexpectedEnd);
    const std::uint32_t length = read_be32(take(kLengthBytes), 0);
    // A chunk cut off by the end of the file cannot have a matching CRC.
    if (remaining() < std::uint64_t{kTypeBytes} + length + kCrcBytes) throw Error(message::kCrcError);
    const std::span<const std::uint8_t> type_and_data = take(kTypeBytes + length);
    const std::uint32_t stored_crc = read_be32(take(kCrcBytes), 0);
    if (chunk_crc(type_and_data) != stored_crc) throw Error(message::kCrcError);
    return Chunk{read_be32(type_and_data, 0), type_and_data.subspan(kTypeBytes)};
}

}  // namespace velmora::png
