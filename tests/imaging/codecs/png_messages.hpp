// The PNG reader's messages as the user reads them, written out here rather than taken from the reader,
// so that a changed word in any of them fails the tests. \r\n separates a message from its reason.
#pragma once

namespace velmora::test::png_message {
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
}  // namespace velmora::test::png_message
