#include "imaging/codecs/jpeg_image.hpp"

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
