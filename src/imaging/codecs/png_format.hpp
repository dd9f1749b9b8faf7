// The fixed vocabulary of the PNG format as the logo reader uses it: the signature, chunk type codes,
// colour types, limits, and the messages the reader raises.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace velmora::png {

inline constexpr std::array<std::uint8_t, 8> kSignature{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// A chunk type as its four bytes read big-endian, so that a switch can key on it.
constexpr std::uint32_t chunk_type(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[3]));
}

inline constexpr std::uint32_t kChunkIhdr = chunk_type("IHDR");
inline constexpr std::uint32_t kChunkPlte = chunk_type("PLTE");
inline constexpr std::uint32_t kChunkIdat = chunk_type("IDAT");
inline constexpr std::uint32_t kChunkIend = chunk_type("IEND");
inline constexpr std::uint32_t kChunkTrns = chunk_type("tRNS");
inline constexpr std::uint32_t kChunkGama = chunk_type("gAMA");
inline constexpr std::uint32_t kChunkChrm = chunk_type("cHRM");
inline constexpr std::uint32_t kChunkTime = chunk_type("tIME");
inline constexpr std::uint32_t kChunkText = chunk_type("tEXt");
inline constexpr std::uint32_t kChunkZtxt = chunk_type("zTXt");
inline constexpr std::uint32_t kChunkPhys = chunk_type("pHYs");

// A chunk whose type begins with an upper-case letter is critical: a reader that does not know it must
// not show the image.
constexpr bool is_critical(std::uint32_t type) {
    const std::uint32_t first = type >> 24;
    return first >= 'A' && first <= 'Z';
}

enum class ColorType : std::uint8_t {
    kGray = 0,
    kTruecolor = 2,
    kPalette = 3,
    kGrayAlpha = 4,
    kTruecolorAlpha = 6
};

inline constexpr std::uint32_t kMaxDimension = 65535;
inline constexpr std::size_t kIhdrBytes = 13;
inline constexpr std::size_t kMaxPaletteBytes = 768;
inline constexpr std::size_t kMaxTransparencyBytes = 256;
inline constexpr std::size_t kGamaBytes = 4;

std::uint32_t read_be32(std::span<const std::uint8_t> bytes, std::size_t at);
std::uint16_t read_be16(std::span<const std::uint8_t> bytes, std::size_t at);

// The messages the reader raises, exactly as the user reads them. \r\n separates a message from its
// reason in parentheses.
namespace message {
inline constexpr const char* kBadSignature =
    "The file being read is not a valid \"Portable Network Graphics\" image because it contains an invalid "
    "header. This file may be corrupted, try obtaining it again";
inline constexpr const char* kUnexpectedEnd =
    "This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected end of the "
    "file.";
inline constexpr const char* kNotSupported =
    "This \"Portable Network Graphics\" image is not supported or it might be invalid.";
inline constexpr const char* kCrcError =
    "This \"Portable Network Graphics\" image is not valid because it contains invalid pieces of data (crc "
    "error)";
inline constexpr const char* kBadIhdr =
    "The \"Portable Network Graphics\" image could not be loaded because one of its main piece of data "
    "(ihdr) might be corrupted";
inline constexpr const char* kTooLarge =
    "This \"Portable Network Graphics\" image is not supported because either its width or height exceeds "
    "the maximum size of 65535 pixels.";
inline constexpr const char* kUnknownCompression =
    "This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which could not "
    "be decoded.";
inline constexpr const char* kUnknownInterlace =
    "This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be decoded.";
inline constexpr const char* kUnknownCritical =
    "This \"Portable Network Graphics\" image contains an unknown critical part which could not be decoded.";
inline constexpr const char* kInvalidPalette =
    "The \"Portable Network Graphics\" image contains an invalid palette.";
inline constexpr const char* kNoData = "This \"Portable Network Graphics\" image contains no data.";
inline constexpr const char* kMissingParts =
    "This \"Portable Network Graphics\" image is invalid because it has missing image parts.";
inline constexpr const char* kBadCompressedData =
    "Could not decompress the image because it contains invalid compressed data.\r\n Description: ";
inline constexpr const char* kNoSuchPaletteEntry = "There is no such palette entry.";
}  // namespace message

// Raises kNotSupported followed by \r\n and the reason in parentheses.
[[noreturn]] void raise_not_supported(const std::string& reason);

}  // namespace velmora::png
