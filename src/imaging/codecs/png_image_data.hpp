// The image data stream: the compressed bytes of the IDAT chunks go in piece by piece; each piece is
// inflated straight into one row buffer, and every full row is unfiltered and spread into the sample
// and alpha planes at once, pass by pass for Adam7. Only two rows are ever buffered.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codecs/png_gamma.hpp"
#include "imaging/codecs/png_ihdr.hpp"
#include "imaging/codecs/png_inflater.hpp"

namespace velmora::png {

class ImageDataDecoder {
  public:
    // `samples` holds width x height x sample_channels bytes, `alpha` width x height bytes when the colour
    // type has alpha; both outlive the decoder.
    ImageDataDecoder(const Ihdr& ihdr, const GammaTable& gamma, std::uint8_t* samples, std::uint8_t* alpha);

    // Decodes as far as this piece of compressed data reaches. Data after the last row is not inflated.
    // A compressed stream that ends before the last row raises the missing-parts message.
    void consume(std::span<const std::uint8_t> compressed);

    bool complete() const { return complete_; }

  private:
    void start_pass(int pass);
    void finish_row();

    Ihdr ihdr_;
    GammaTable gamma_;
    std::uint8_t* samples_;
    std::uint8_t* alpha_;
    int channels_;
    int pixel_bytes_;
    Inflater inflater_;
    std::vector<std::uint8_t> row_;    // filter type byte, then the row
    std::vector<std::uint8_t> prior_;  // the previous row of the pass, unfiltered
    std::size_t filled_ = 0;
    int pass_ = 0;
    std::uint32_t pass_width_ = 0;
    std::uint32_t pass_height_ = 0;
    std::uint32_t pass_row_ = 0;
    bool complete_ = false;
};

}  // namespace velmora::png
