// zlib's inflate behind RAII: compressed pieces go in as they are met, decompressed bytes come out
// into the caller's buffer, so nothing is held twice.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace velmora::png {

// The message for one of zlib's error codes.
std::string inflate_error_message(int code);

class Inflater {
  public:
    Inflater();  // raises the compressed-data message when zlib cannot start
    ~Inflater();
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // The next piece of compressed input; the previous one must be used up.
    void set_input(std::span<const std::uint8_t> input);
    bool input_used_up() const { return stream_.avail_in == 0; }
    bool stream_ended() const { return ended_; }

    // Fills `output` as far as the input given so far allows (zlib may still hold output when the input
    // is used up) and returns the bytes written. Raises the compressed-data message with zlib's code.
    std::size_t inflate_into(std::span<std::uint8_t> output);

  private:
    z_stream stream_{};
    bool ended_ = false;
};

}  // namespace velmora::png
