#include "imaging/codecs/jpeg_encoder.hpp"

#include <utility>

#include "imaging/codecs/jpeg_destination.hpp"
#include "imaging/codecs/jpeg_error.hpp"

namespace velmora {

namespace {

// The library's state, destroyed however the work ends (also when creating it failed half-way).
struct CompressState {
    CompressState() = default;
    CompressState(const CompressState&) = delete;
    CompressState& operator=(const CompressState&) = delete;
    ~CompressState() { jpeg_destroy_compress(&info); }
    jpeg_compress_struct info{};
};

void set_component(jpeg_component_info& component, int id, int sampling, int table) {
    component.component_id = id;
    component.h_samp_factor = sampling;
    component.v_samp_factor = sampling;
    component.quant_tbl_no = table;
    component.dc_tbl_no = table;
    component.ac_tbl_no = table;
}

// Everything that shapes the output, set whatever the library's defaults are. Call after
// jpeg_set_defaults, which would undo it, and before jpeg_set_quality and the progression script,
// which build on it.
void set_encoding_parameters(jpeg_compress_struct& info) {
    jpeg_set_colorspace(&info, JCS_YCbCr);
    set_component(info.comp_info[0], 1, 2, 0);
    set_component(info.comp_info[1], 2, 1, 1);
    set_component(info.comp_info[2], 3, 1, 1);
    info.data_precision = 8;
    info.optimize_coding = FALSE;
    info.arith_code = FALSE;
    info.restart_interval = 0;
    info.restart_in_rows = 0;
    info.smoothing_factor = 0;
    info.CCIR601_sampling = FALSE;
    info.dct_method = JDCT_FLOAT;
    info.write_JFIF_header = TRUE;
    info.JFIF_major_version = 1;
    info.JFIF_minor_version = 1;
    info.density_unit = 0;
    info.X_density = 1;
    info.Y_density = 1;
    info.write_Adobe_marker = FALSE;
}

}  // namespace

std::vector<std::uint8_t> encode_jpeg(const Picture& picture, std::uint8_t quality, bool progressive) {
    // The encoder reads blue, green, red rows; other forms are converted on a copy first.
    Picture working = picture;
    working.set_pixel_format(PixelFormat::k24Bit);
    const Picture& rows = std::as_const(working);
    // The library only reads its input rows, though its interface takes them writable.
    auto* const first_row = const_cast<JSAMPLE*>(rows.scanline(0));
    const std::ptrdiff_t stride = rows.stride();

    std::vector<std::uint8_t> bytes;
    JpegErrorManager errors{};
    JpegDestination destination{};
    CompressState state;
    jpeg_compress_struct& info = state.info;
    attach_error_manager(*reinterpret_cast<jpeg_common_struct*>(&info), errors);
    call_library(errors, [&]() noexcept {
        jpeg_CreateCompress(&info, JPEG_LIB_VERSION, sizeof info);
        attach_destination(info, destination, bytes);
        // The input colour space comes before the defaults, which are chosen from it.
        info.image_width = static_cast<JDIMENSION>(rows.width());
        info.image_height = static_cast<JDIMENSION>(rows.height());
        info.input_components = 3;
        info.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&info);
        set_encoding_parameters(info);
        jpeg_set_quality(&info, quality, TRUE);
        if (progressive) jpeg_simple_progression(&info);

        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = first_row + static_cast<std::ptrdiff_t>(info.next_scanline) * stride;
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
    });
    return bytes;
}

}  // namespace velmora
