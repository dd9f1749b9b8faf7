#include "imaging/codecs/png_format.hpp"

#include "base/error.hpp"

namespace velmora::png {

std::uint32_t read_be32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
}

std::uint16_t read_be16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void raise_not_supported(const std::string& reason) {
    throw Error(std::string(message::kNotSupported) + "\r\n(" + reason + ")");
}

}  // namespace velmora::png
