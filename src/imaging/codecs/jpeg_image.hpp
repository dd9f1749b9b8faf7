// The JPEG codec object: holds one file's bytes, measures its picture from the header alone, decodes it
// at most once, and encodes a picture it was given into JFIF bytes that it can write to a file.
// A batch reuses one object for every file, so the progressive flag that a load sets is the one the
// following compress uses.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "imaging/picture.hpp"

namespace velmora {

class JpegImage {
  public:
    // Reads the whole file (failing with "Cannot open file ..."), then as load_from_memory.
    void load(const std::filesystem::path& path);
    // Drops the data and picture held and keeps `data`; unless it is empty, parses its header for the
    // size and the progressive flag. Empty data measures 0 x 0 and leaves the flag as it was.
    void load_from_memory(std::vector<std::uint8_t> data);

    // The picture's size when one is held, otherwise the header's. Never decodes.
    int width() const;
    int height() const;
    bool progressive() const { return progressive_; }
    std::uint8_t quality() const { return quality_; }

    // Makes `picture` a copy of the decoded picture, decoding first if that has not happened since the
    // last load.
    void decode_into(Picture& picture);

    // Hands the picture to `take_rows` as 24-bit rows (blue, green, red), `rows_per_call` at a time, top
    // to bottom, without keeping it: the pixels of decode_into followed by a change to the 24-bit form,
    // for a caller that needs each row once. Decodes as it goes unless a decoded picture is held.
    using RowsTaker = std::function<void(const std::uint8_t* const* rows, int count)>;
    void decode_rows(int rows_per_call, const RowsTaker& take_rows);

    // Drops the data held and keeps a copy of `picture` to encode.
    void take(const Picture& picture);
    void set_quality(std::uint8_t quality) { quality_ = quality; }

    // Encodes the picture held into new data; no picture, or an empty one, gives empty data.
    void compress();
    // Compresses first when no data is held, then writes the data as the whole file.
    void save(const std::filesystem::path& path);

    // The data held: the loaded file or the compressed output (empty when there is none).
    const std::vector<std::uint8_t>& compressed_data() const;

  private:
    std::optional<std::vector<std::uint8_t>> data_;
    int width_ = 0;
    int height_ = 0;
    std::optional<Picture> picture_;  // decoded, or taken to be encoded
    std::uint8_t quality_ = 90;
    bool progressive_ = false;
};

}  // namespace velmora
