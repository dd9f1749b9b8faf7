// Reading JPEG data through libjpeg: the header alone, the whole picture, or its rows in order.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/picture.hpp"

namespace velmora {

struct JpegHeader {
    int width = 0;
    int height = 0;
    bool progressive = false;  // more than one scan: progressive, or sequential with separate scans
};

// Parses the markers up to the first scan. Library errors raise "JPEG error #<code>".
JpegHeader read_jpeg_header(std::span<const std::uint8_t> data);

// Decodes the whole picture: colour sources to 24 bits (blue, green, red), gray ones to 8-bit indexed
// with 236 dithered gray levels, CMYK and YCCK ones to 32 bits (blue, green, red, 255). A picture above
// the memory bound raises "Out of memory" before any pixel memory is taken.
Picture decode_jpeg(std::span<const std::uint8_t> data);

// The same decoding a few rows at a time, top to bottom, for callers that need each row once and not
// the whole picture. The constructor reads the header, sets every parameter and checks the whole
// picture against the memory bound, as decode_jpeg does, before the library sizes anything.
class JpegRowDecoder {
  public:
    explicit JpegRowDecoder(std::span<const std::uint8_t> data);  // `data` must outlive the decoder
    ~JpegRowDecoder();
    JpegRowDecoder(const JpegRowDecoder&) = delete;
    JpegRowDecoder& operator=(const JpegRowDecoder&) = delete;

    int width() const;
    int height() const;
    // A picture of the decoded width, form and palette, `height` rows high, to read rows into.
    Picture make_picture(int height) const;
    // Decodes the next `count` rows into rows first to first + count - 1 of `picture` (made by
    // make_picture, with at least that many rows).
    void read_rows(Picture& picture, int first, int count);
    // After the last row: reads the rest of the data up to its end.
    void finish();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace velmora
