#include "imaging/picture.hpp"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/error.hpp"
#include "base/memory_limit.hpp"
#include "base/page_advice.hpp"

namespace velmora {

struct Picture::PixelBuffer {
    struct Free {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<std::uint8_t, Free> bytes;
    std::size_t size = 0;
};

int bits_per_pixel(PixelFormat format) {
    switch (format) {
        case PixelFormat::k1Bit:
            return 1;
        case PixelFormat::k4Bit:
            return 4;
        case PixelFormat::k8Bit:
            return 8;
        case PixelFormat::k24Bit:
            return 24;
        case PixelFormat::k32Bit:
            return 32;
    }
    return 24;
}

bool is_indexed(PixelFormat format) {
    return bits_per_pixel(format) <= 8;
}

std::uint64_t row_bytes(int width, PixelFormat format) {
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * bits_per_pixel(format);
    return (bits + 31) / 32 * 4;
}

std::shared_ptr<Picture::PixelBuffer> Picture::allocate(std::size_t bytes) {
    check_allocation(bytes);
    try {
        auto buffer = std::make_shared<PixelBuffer>();
        // calloc: large blocks come as fresh zero pages, so a new picture costs no clearing pass.
        buffer->bytes.reset(static_cast<std::uint8_t*>(std::calloc(bytes == 0 ? 1 : bytes, 1)));
        if (!buffer->bytes) raise_out_of_memory();
        // A new picture is written whole soon after: decoded into, resampled into, converted into.
        advise_huge_pages(buffer->bytes.get(), bytes);
        populate_for_writing(buffer->bytes.get(), bytes);
        buffer->size = bytes;
        return buffer;
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
}

void Picture::set_size(int width, int height) {
    if (width < 0 || height < 0) throw Error("Invalid picture size");
    if (width == width_ && height == height_) return;
    const std::uint64_t stride = row_bytes(width, format_);
    const std::uint64_t total = stride * static_cast<std::uint64_t>(height);
    check_allocation(total);
    pixels_ = height == 0 ? nullptr : allocate(static_cast<std::size_t>(total));
    width_ = width;
    height_ = height;
    stride_ = static_cast<std::ptrdiff_t>(stride);
}

Color Picture::palette_color(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= palette_.size()) return Color{};
    return palette_[static_cast<std::size_t>(index)];
}

int index_at(const std::uint8_t* row, int x, int bits) {
    switch (bits) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1;
        case 4:
            return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
        default:
            return row[x];
    }
}

void row_to_bgr(const Picture& picture, const std::uint8_t* row, std::uint8_t* out, int out_bytes) {
    const int bits = bits_per_pixel(picture.pixel_format());
    for (int x = 0; x < picture.width(); ++x, out += out_bytes) {
        if (bits <= 8) {
            const Color c = picture.palette_color(index_at(row, x, bits));
            out[0] = c.blue;
            out[1] = c.green;
            out[2] = c.red;
            continue;
        }
        const std::uint8_t* pixel = row + static_cast<std::ptrdiff_t>(x) * (bits / 8);
        out[0] = pixel[0];
        out[1] = pixel[1];
        out[2] = pixel[2];
    }
}

void Picture::set_pixel_format(PixelFormat format) {
    if (format == format_) return;
    const std::uint64_t stride = row_bytes(width_, format);
    const std::uint64_t total = stride * static_cast<std::uint64_t>(height_);
    std::shared_ptr<PixelBuffer> converted =
        height_ == 0 ? nullptr : allocate(static_cast<std::size_t>(total));
    if (converted && !is_indexed(format)) {
        const int out_bytes = bits_per_pixel(format) / 8;
        for (int y = 0; y < height_; ++y) {
            const std::uint8_t* from = pixels_->bytes.get() + static_cast<std::ptrdiff_t>(y) * stride_;
            row_to_bgr(*this, from, converted->bytes.get() + static_cast<std::ptrdiff_t>(y * stride),
                       out_bytes);
        }
    }
    pixels_ = std::move(converted);
    format_ = format;
    stride_ = static_cast<std::ptrdiff_t>(stride);
}

void Picture::check_row(int y) const {
    if (y < 0 || y >= height_) throw Error(std::string(kScanLineOutOfRange));
}

void Picture::detach() {
    if (pixels_.use_count() <= 1) return;
    std::shared_ptr<PixelBuffer> own = allocate(pixels_->size);
    std::memcpy(own->bytes.get(), pixels_->bytes.get(), pixels_->size);
    pixels_ = std::move(own);
}

std::uint8_t* Picture::scanline(int y) {
    check_row(y);
    detach();
    return pixels_->bytes.get() + static_cast<std::ptrdiff_t>(y) * stride_;
}

const std::uint8_t* Picture::scanline(int y) const {
    check_row(y);
    return pixels_->bytes.get() + static_cast<std::ptrdiff_t>(y) * stride_;
}

bool Picture::shares_pixels_with(const Picture& other) const {
    return pixels_ != nullptr && pixels_ == other.pixels_;
}

}  // namespace velmora
