// The decode floor of a batch: one process that decodes every file given exactly as the codec does
// (float inverse DCT, fancy upsampling, block smoothing; blue, green, red; gray sources through the
// one-pass quantizer with 236 levels; CMYK as CMYK) and keeps nothing. A batch cannot take less time
// than this on one core, so bench/batch.sh times velmora-batch against it over the same files.
// Usage: jpeg_decode_floor FILE.jpg...
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

std::vector<unsigned char> read_file(const char* path) {
    std::vector<unsigned char> bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return bytes;
    unsigned char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    return bytes;
}

// The library's own error manager ends the process on a bad file, which is all a benchmark needs.
void decode(const std::vector<unsigned char>& bytes, std::vector<JSAMPLE>& row) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    switch (info.jpeg_color_space) {
        case JCS_GRAYSCALE:
            info.out_color_space = JCS_GRAYSCALE;
            info.quantize_colors = TRUE;
            info.desired_number_of_colors = 236;
            info.dither_mode = JDITHER_FS;
            info.two_pass_quantize = FALSE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            info.out_color_space = JCS_CMYK;
            break;
        default:
            info.out_color_space = JCS_EXT_BGR;
    }
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    info.do_fancy_upsampling = TRUE;
    jpeg_start_decompress(&info);
    row.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<JSAMPLE> row;
    for (int i = 1; i < argc; ++i) {
        const std::vector<unsigned char> bytes = read_file(argv[i]);
        if (bytes.empty()) {
            std::fprintf(stderr, "jpeg_decode_floor: cannot read %s\n", argv[i]);
            return 1;
        }
        decode(bytes, row);
    }
    return 0;
}
