// The decode floor of a batch: one process that decodes every file given exactly as the codec does
// (float inverse DCT, fancy upsampling, block smoothing; blue, green, red; gray sources through the
// one-pass quantizer with 236 levels; CMYK as CMYK) and keeps nothing. A batch cannot take less time
// than this on one core, so bench/batch.sh times velmora-batch against it over the same files.
// Usage: jpeg_decode_floor FILE.jpg...
#include <cstdio>
#include <exception>
#include <vector>

#include "support/jpeg_reader.hpp"
#include "support/whole_file.hpp"

namespace {

// One row, written over and over: the floor keeps nothing of a picture.
class DiscardedRows : public velmora::test::RowDestination {
  public:
    void begin(int width, int, int components) override {
        row_.resize(static_cast<std::size_t>(width) * components);
    }
    std::uint8_t* row(int) override { return row_.data(); }

  private:
    std::vector<std::uint8_t> row_;
};

}  // namespace

// The library's own error manager ends the process on a bad file, which is all a benchmark needs.
int main(int argc, char** argv) {
    DiscardedRows rows;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::uint8_t> bytes;
        try {
            bytes = velmora::test::read_bytes(argv[i]);
        } catch (const std::exception&) {
            std::fprintf(stderr, "jpeg_decode_floor: cannot read %s\n", argv[i]);
            return 1;
        }
        velmora::test::decode_like_the_codec(bytes, rows);
    }
    return 0;
}
