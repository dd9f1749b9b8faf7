#include "imaging/codecs/jpeg_source.hpp"

#include <jerror.h>

namespace velmora {

namespace {

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

JpegSource& source_of(j_decompress_ptr info) {
    return *reinterpret_cast<JpegSource*>(info->src);
}

void init_source(j_decompress_ptr) {}

// Everything left in one block: the library decodes its fastest way only while enough bytes are in
// its buffer for a worst-case MCU, which small blocks would deny it near every block's end.
boolean fill_input_buffer(j_decompress_ptr info) {
    JpegSource& source = source_of(info);
    if (source.position < source.data.size()) {
        const std::size_t count = source.data.size() - source.position;
        source.pub.next_input_byte = source.data.data() + source.position;
        source.pub.bytes_in_buffer = count;
        source.position += count;
        return TRUE;
    }
    if (source.data.empty()) ERREXIT(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);
    source.pub.next_input_byte = kEndOfImage;
    source.pub.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void skip_input_data(j_decompress_ptr info, long count) {
    JpegSource& source = source_of(info);
    if (count <= 0) return;
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > source.pub.bytes_in_buffer) {
        remaining -= source.pub.bytes_in_buffer;
        fill_input_buffer(info);  // never fails here: the data was not empty when the skip began
    }
    source.pub.next_input_byte += remaining;
    source.pub.bytes_in_buffer -= remaining;
}

void term_source(j_decompress_ptr) {}

}  // namespace

void attach_source(jpeg_decompress_struct& info, JpegSource& source, std::span<const std::uint8_t> data) {
    source.pub.init_source = init_source;
    source.pub.fill_input_buffer = fill_input_buffer;
    source.pub.skip_input_data = skip_input_data;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = term_source;
    source.pub.next_input_byte = nullptr;
    source.pub.bytes_in_buffer = 0;
    source.data = data;
    source.position = 0;
    info.src = &source.pub;
}

}  // namespace velmora
