// The outer layer of the PNG reader: the signature, then one chunk at a time (length, type, data, CRC),
// each chunk handed out only once its CRC-32 has been checked. The data stays in the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace velmora::png {

struct Chunk {
    std::uint32_t type = 0;
    std::span<const std::uint8_t> data;
};

class ChunkReader {
  public:
    explicit ChunkReader(std::span<const std::uint8_t> file) : file_(file) {}

    // Consumes the 8 signature bytes; anything else raises the invalid-header message.
    void read_signature();

    // The next chunk. A file that ends where a length is expected raises the unexpected-end message;
    // one cut off inside a chunk, or a chunk whose CRC does not match, raises the CRC message.
    Chunk read_chunk();

  private:
    std::span<const std::uint8_t> take(std::size_t count);
    std::size_t remaining() const { return file_.size() - position_; }

    std::span<const std::uint8_t> file_;
    std::size_t position_ = 0;
};

}  // namespace velmora::png
