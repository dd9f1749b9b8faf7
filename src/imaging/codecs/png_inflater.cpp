#include "imaging/codecs/png_inflater.hpp"

#include <algorithm>
#include <limits>
#include <string>

#include "base/error.hpp"
#include "imaging/codecs/png_format.hpp"

namespace velmora::png {

std::string inflate_error_message(int code) {
    const char* description = "data error (-3)";
    switch (code) {
        case Z_VERSION_ERROR:
            description = "incompatible version (-6)";
            break;
        case Z_BUF_ERROR:
            description = "buffer error (-5)";
            break;
        case Z_MEM_ERROR:
            description = "insufficient memory (-4)";
            break;
        case Z_STREAM_ERROR:
            description = "stream error (-2)";
            break;
        case Z_ERRNO:
            description = "file error (-1)";
            break;
        default:
            break;  // a data error, or a stream asking for a preset dictionary, which PNG has none of
    }
    return std::string(message::kBadCompressedData) + description;
}

namespace {

[[noreturn]] void raise_inflate_error(int code) {
    throw Error(inflate_error_message(code));
}

constexpr std::size_t kMaxPiece = std::numeric_limits<uInt>::max();

}  // namespace

Inflater::Inflater() {
    const int code = inflateInit(&stream_);
    if (code != Z_OK) raise_inflate_error(code);
}

Inflater::~Inflater() {
    inflateEnd(&stream_);
}

void Inflater::set_input(std::span<const std::uint8_t> input) {
    // zlib takes a 32-bit length; chunk data never exceeds 2^32 - 1 bytes.
    stream_.next_in = const_cast<Bytef*>(input.data());
    stream_.avail_in = static_cast<uInt>(std::min(input.size(), kMaxPiece));
}

std::size_t Inflater::inflate_into(std::span<std::uint8_t> output) {
    if (ended_ || output.empty()) return 0;
    stream_.next_out = output.data();
    stream_.avail_out = static_cast<uInt>(std::min(output.size(), kMaxPiece));
    const uInt before = stream_.avail_out;
    const int code = inflate(&stream_, Z_NO_FLUSH);
    const std::size_t written = before - stream_.avail_out;
    if (code == Z_STREAM_END) {
        ended_ = true;
    } else if (code == Z_BUF_ERROR && stream_.avail_in != 0) {
        raise_inflate_error(code);  // no progress with input and room both there: never loop on it
    } else if (code != Z_OK && code != Z_BUF_ERROR) {
        raise_inflate_error(code);
    }
    return written;
}

}  // namespace velmora::png
