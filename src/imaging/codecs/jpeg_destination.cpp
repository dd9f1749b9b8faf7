#include "imaging/codecs/jpeg_destination.hpp"

#include <new>

#include <jerror.h>

#include "base/memory_limit.hpp"

namespace velmora {

namespace {

constexpr std::size_t kBlockBytes = 4096;

JpegDestination& destination_of(j_compress_ptr info) {
    return *reinterpret_cast<JpegDestination*>(info->dest);
}

// Adds one empty block at the end and points the library at it; false when it cannot be had. Kept
// apart from the callbacks so that no exception is pending when they leave through the error manager.
bool add_block(JpegDestination& destination) noexcept {
    std::vector<std::uint8_t>& bytes = *destination.bytes;
    const std::size_t used = bytes.size();
    if (used + kBlockBytes > kMaxPictureBytes) return false;
    try {
        bytes.resize(used + kBlockBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    destination.pub.next_output_byte = bytes.data() + used;
    destination.pub.free_in_buffer = kBlockBytes;
    return true;
}

void init_destination(j_compress_ptr info) {
    JpegDestination& destination = destination_of(info);
    destination.bytes->clear();
    if (!add_block(destination)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
}

// Called only when the whole block is full.
boolean empty_output_buffer(j_compress_ptr info) {
    if (!add_block(destination_of(info))) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    return TRUE;
}

void term_destination(j_compress_ptr info) {
    JpegDestination& destination = destination_of(info);
    // Shrinking never allocates.
    destination.bytes->resize(destination.bytes->size() - destination.pub.free_in_buffer);
}

}  // namespace

void attach_destination(jpeg_compress_struct& info, JpegDestination& destination,
                        std::vector<std::uint8_t>& bytes) {
    destination.pub.init_destination = init_destination;
    destination.pub.empty_output_buffer = empty_output_buffer;
    destination.pub.term_destination = term_destination;
    destination.pub.next_output_byte = nullptr;
    destination.pub.free_in_buffer = 0;
    destination.bytes = &bytes;
    bytes.clear();
    info.dest = &destination.pub;
}

}  // namespace velmora
