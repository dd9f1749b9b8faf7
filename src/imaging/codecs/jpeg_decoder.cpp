#include "imaging/codecs/jpeg_decoder.hpp"

#include <jerror.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "base/memory_limit.hpp"
#include "imaging/codecs/jpeg_error.hpp"
#include "imaging/codecs/jpeg_source.hpp"

namespace velmora {

namespace {

constexpr int kGrayLevels = 236;

// Every scan of a multi-scan file passes over the whole picture, so a small file with very many tiny
// scans would keep the decoder busy for hours. Real files have about ten, so this leaves ample room.
constexpr int kMaxScans = 500;

// Called by the library between rows of blocks while it reads the scans.
void check_scan_count(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        refuse(info, "JPEG file has too many scans");
    }
}

// The library's state, destroyed however the work ends (destroying a zeroed one is harmless, so this
// also holds when creating it failed half-way).
struct DecompressState {
    DecompressState() = default;
    DecompressState(const DecompressState&) = delete;
    DecompressState& operator=(const DecompressState&) = delete;
    ~DecompressState() { jpeg_destroy_decompress(&info); }
    jpeg_decompress_struct info{};
};

// One decompressor over in-memory data.
class Decompressor {
  public:
    explicit Decompressor(std::span<const std::uint8_t> data) : info_(state_.info) {
        attach_error_manager(*reinterpret_cast<jpeg_common_struct*>(&info_), errors_);
        call([this]() noexcept {
            jpeg_CreateDecompress(&info_, JPEG_LIB_VERSION, sizeof info_);
            // The library spills nothing to disk; past this it fails instead of taking more. Its field is a
            // long, which has 32 bits on Windows: there the bound is one byte less than 2 GiB.
            info_.mem->max_memory_to_use = static_cast<long>(
                std::min<std::uint64_t>(kMaxPictureBytes, std::numeric_limits<long>::max()));
        });
        attach_source(info_, source_, data);
        progress_.progress_monitor = check_scan_count;
        info_.progress = &progress_;
    }
    jpeg_decompress_struct& info() { return info_; }

    template <class Step>
    void call(Step&& step) {
        call_library(errors_, step);
    }

    void read_header() {
        call([this]() noexcept { jpeg_read_header(&info_, TRUE); });
    }

  private:
    JpegErrorManager errors_{};
    JpegSource source_{};
    jpeg_progress_mgr progress_{};
    DecompressState state_;
    jpeg_decompress_struct& info_;
};

// The picture form for the colour space the library assigned to the source, with the output colour
// space set to match. Sources without a known colour space (2 or 5 to 10 components) are refused.
PixelFormat choose_output(jpeg_decompress_struct& info) {
    switch (info.jpeg_color_space) {
        case JCS_YCbCr:
        case JCS_RGB:
            info.out_color_space = JCS_EXT_BGR;
            return PixelFormat::k24Bit;
        case JCS_GRAYSCALE:
            info.out_color_space = JCS_GRAYSCALE;
            return PixelFormat::k8Bit;
        case JCS_CMYK:
        case JCS_YCCK:
            info.out_color_space = JCS_CMYK;
            return PixelFormat::k32Bit;
        default:
            raise_jpeg_error(JERR_CONVERSION_NOTIMPL);
    }
}

void set_decoding_parameters(jpeg_decompress_struct& info) {
    info.scale_num = 1;
    info.scale_denom = 1;
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    info.do_fancy_upsampling = TRUE;
    info.buffered_image = FALSE;
    info.raw_data_out = FALSE;
    const bool gray = info.out_color_space == JCS_GRAYSCALE;
    info.quantize_colors = gray ? TRUE : FALSE;
    if (gray) {
        info.desired_number_of_colors = kGrayLevels;
        info.dither_mode = JDITHER_FS;
        info.two_pass_quantize = FALSE;
    }
}

// The library's gray levels as the palette.
std::vector<Color> gray_palette(const jpeg_decompress_struct& info) {
    std::vector<Color> palette;
    palette.reserve(static_cast<std::size_t>(info.actual_number_of_colors));
    for (int j = 0; j < info.actual_number_of_colors; ++j) {
        const std::uint8_t level = info.colormap[0][j];
        palette.push_back(Color{level, level, level});
    }
    return palette;
}

// C, M, Y, K as delivered become blue = Y * K / 255, green = M * K / 255, red = C * K / 255, then 255.
void cmyk_row_to_bgr(std::uint8_t* row, JDIMENSION width) noexcept {
    for (JDIMENSION x = 0; x < width; ++x, row += 4) {
        const unsigned c = row[0], m = row[1], y = row[2], k = row[3];
        row[0] = static_cast<std::uint8_t>(y * k / 255);
        row[1] = static_cast<std::uint8_t>(m * k / 255);
        row[2] = static_cast<std::uint8_t>(c * k / 255);
        row[3] = 255;
    }
}

}  // namespace

JpegHeader read_jpeg_header(std::span<const std::uint8_t> data) {
    Decompressor decompressor(data);
    decompressor.read_header();
    jpeg_decompress_struct& info = decompressor.info();
    JpegHeader header;
    header.width = static_cast<int>(info.image_width);
    header.height = static_cast<int>(info.image_height);
    boolean multiple_scans = FALSE;
    decompressor.call([&]() noexcept { multiple_scans = jpeg_has_multiple_scans(&info); });
    header.progressive = multiple_scans != FALSE;
    return header;
}

struct JpegRowDecoder::State {
    explicit State(std::span<const std::uint8_t> data) : decompressor(data) {}
    Decompressor decompressor;
    PixelFormat format = PixelFormat::k24Bit;
    std::vector<Color> palette;
};

JpegRowDecoder::JpegRowDecoder(std::span<const std::uint8_t> data) : state_(std::make_unique<State>(data)) {
    // 1. Header, then every parameter that matters, before the library sizes anything.
    Decompressor& decompressor = state_->decompressor;
    decompressor.read_header();
    jpeg_decompress_struct& info = decompressor.info();
    state_->format = choose_output(info);
    set_decoding_parameters(info);

    // 2. The picture must fit the bound before the library allocates its buffers for it.
    decompressor.call([&]() noexcept { jpeg_calc_output_dimensions(&info); });
    check_allocation(row_bytes(static_cast<int>(info.output_width), state_->format) * info.output_height);
    decompressor.call([&]() noexcept { jpeg_start_decompress(&info); });
    if (state_->format == PixelFormat::k8Bit) state_->palette = gray_palette(info);
}

JpegRowDecoder::~JpegRowDecoder() = default;

int JpegRowDecoder::width() const {
    return static_cast<int>(state_->decompressor.info().output_width);
}

int JpegRowDecoder::height() const {
    return static_cast<int>(state_->decompressor.info().output_height);
}

Picture JpegRowDecoder::make_picture(int height) const {
    Picture picture;
    picture.set_pixel_format(state_->format);
    picture.set_size(width(), height);
    if (state_->format == PixelFormat::k8Bit) picture.set_palette(state_->palette);
    return picture;
}

// 3. Rows straight into the picture, one per call.
void JpegRowDecoder::read_rows(Picture& picture, int first, int count) {
    if (count <= 0) return;
    jpeg_decompress_struct& info = state_->decompressor.info();
    std::uint8_t* const first_row = picture.scanline(first);
    picture.scanline(first + count - 1);  // the last row must be there too
    const std::ptrdiff_t stride = picture.stride();
    const bool cmyk = state_->format == PixelFormat::k32Bit;
    const JDIMENSION start = info.output_scanline;
    const JDIMENSION end = std::min<JDIMENSION>(start + static_cast<JDIMENSION>(count), info.output_height);
    state_->decompressor.call([&]() noexcept {
        while (info.output_scanline < end) {
            std::uint8_t* row =
                first_row + static_cast<std::ptrdiff_t>(info.output_scanline - start) * stride;
            jpeg_read_scanlines(&info, &row, 1);
            if (cmyk) cmyk_row_to_bgr(row, info.output_width);
        }
    });
}

void JpegRowDecoder::finish() {
    jpeg_decompress_struct& info = state_->decompressor.info();
    state_->decompressor.call([&]() noexcept { jpeg_finish_decompress(&info); });
}

Picture decode_jpeg(std::span<const std::uint8_t> data) {
    JpegRowDecoder decoder(data);
    Picture picture = decoder.make_picture(decoder.height());
    decoder.read_rows(picture, 0, decoder.height());
    decoder.finish();
    return picture;
}

}  // namespace velmora
