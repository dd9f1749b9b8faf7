#include "imaging/codecs/jpeg_image.hpp"

#include <algorithm>
#include <utility>

#include "base/file_io.hpp"
#include "imaging/codecs/jpeg_decoder.hpp"
#include "imaging/codecs/jpeg_encoder.hpp"

namespace velmora {

void JpegImage::load(const std::filesystem::path& path) {
    load_from_memory(read_whole_file(path));
}

void JpegImage::load_from_memory(std::vector<std::uint8_t> data) {
    data_ = std::move(data);
    picture_.reset();
    width_ = 0;
    height_ = 0;
    if (data_->empty()) return;
    const JpegHeader header = read_jpeg_header(*data_);
    width_ = header.width;
    height_ = header.height;
    progressive_ = header.progressive;
}

int JpegImage::width() const {
    return picture_ ? picture_->width() : width_;
}

int JpegImage::height() const {
    return picture_ ? picture_->height() : height_;
}

void JpegImage::decode_into(Picture& picture) {
    if (!picture_) picture_ = decode_jpeg(compressed_data());
    picture = *picture_;
}

namespace {

// Rows first to first + count - 1 of `picture` to `take_rows`, converted to 24 bits when in another form.
void hand_rows(const Picture& picture, int first, int count, std::vector<std::uint8_t>& converted,
               const JpegImage::RowsTaker& take_rows) {
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(count));
    const std::size_t row_size = 3 * static_cast<std::size_t>(picture.width());
    if (picture.pixel_format() != PixelFormat::k24Bit) converted.resize(row_size * rows.size());
    for (int r = 0; r < count; ++r) {
        const std::uint8_t* row = picture.scanline(first + r);
        if (picture.pixel_format() != PixelFormat::k24Bit) {
            std::uint8_t* bgr = converted.data() + row_size * static_cast<std::size_t>(r);
            row_to_bgr(picture, row, bgr, 3);
            row = bgr;
        }
        rows[static_cast<std::size_t>(r)] = row;
    }
    take_rows(rows.data(), count);
}

}  // namespace

void JpegImage::decode_rows(int rows_per_call, const RowsTaker& take_rows) {
    rows_per_call = std::max(rows_per_call, 1);
    std::vector<std::uint8_t> converted;
    if (picture_) {
        for (int top = 0; top < picture_->height(); top += rows_per_call) {
            hand_rows(*picture_, top, std::min(rows_per_call, picture_->height() - top), converted,
                      take_rows);
        }
        return;
    }
    JpegRowDecoder decoder(compressed_data());
    Picture strip = decoder.make_picture(std::min(rows_per_call, decoder.height()));
    for (int top = 0; top < decoder.height(); top += rows_per_call) {
        const int count = std::min(rows_per_call, decoder.height() - top);
        decoder.read_rows(strip, 0, count);
        hand_rows(strip, 0, count, converted, take_rows);
    }
    decoder.finish();
}

void JpegImage::take(const Picture& picture) {
    data_.reset();
    picture_ = picture;
    width_ = picture.width();
    height_ = picture.height();
}

void JpegImage::compress() {
    // Until the new data exists none is held, so a save after a failed compress tries again rather
    // than writing an empty file.
    data_.reset();
    if (!picture_ || picture_->width() == 0 || picture_->height() == 0) {
        data_.emplace();
        return;
    }
    width_ = picture_->width();
    height_ = picture_->height();
    data_ = encode_jpeg(*picture_, quality_, progressive_);
}

void JpegImage::save(const std::filesystem::path& path) {
    if (!data_) compress();
    write_file_atomically(path, *data_);
}

const std::vector<std::uint8_t>& JpegImage::compressed_data() const {
    static const std::vector<std::uint8_t> kNone;
    return data_ ? *data_ : kNone;
}

}  // namespace velmora
