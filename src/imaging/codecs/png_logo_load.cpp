// Loading: the chunk loop over a file held in memory, dispatching on the chunk type.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "base/memory_limit.hpp"
#include "imaging/codecs/png_chunk_reader.hpp"
#include "imaging/codecs/png_format.hpp"
#include "imaging/codecs/png_gamma.hpp"
#include "imaging/codecs/png_ihdr.hpp"
#include "imaging/codecs/png_image_data.hpp"
#include "imaging/codecs/png_logo.hpp"
#include "imaging/codecs/png_samples.hpp"

namespace velmora {

using namespace png;

void PngLogo::Plane::Free::operator()(std::uint8_t* bytes) const {
    std::free(bytes);
}

std::span<const std::uint8_t> PngLogo::samples() const {
    return {samples_.bytes.get(), samples_.size};
}
std::span<const std::uint8_t> PngLogo::alpha_plane() const {
    return {alpha_.bytes.get(), alpha_.size};
}

// The state of one load: which chunks have been met, and the image data decoder once IDAT begins.
class PngLogo::Decoding {
  public:
    Decoding(PngLogo& logo, std::span<const std::uint8_t> file) : logo_(logo), reader_(file) {}

    void run() {
        reader_.read_signature();
        read_header(reader_.read_chunk());
        for (;;) {
            const Chunk chunk = reader_.read_chunk();
            if (idat_ == IdatRun::kInside && chunk.type != kChunkIdat) end_idat_run();
            if (chunk.type == kChunkIend) break;
            handle(chunk);
        }
        if (idat_ == IdatRun::kBefore) throw Error(message::kNoData);
        derive_transparency();
    }

  private:
    enum class IdatRun { kBefore, kInside, kAfter };

    void read_header(const Chunk& chunk) {
        if (chunk.type != kChunkIhdr) raise_not_supported("IHDR chunk is not the first");
        ihdr_ = parse_ihdr(chunk.data);
        check_ihdr(ihdr_);
        logo_.width_ = ihdr_.width;
        logo_.height_ = ihdr_.height;
        logo_.color_type_ = png::color_type(ihdr_);
        logo_.bit_depth_ = ihdr_.bit_depth;
        logo_.interlaced_ = ihdr_.interlace == 1;
    }

    void handle(const Chunk& chunk) {
        switch (chunk.type) {
            case kChunkIdat:
                read_image_data(chunk.data);
                break;
            case kChunkPlte:
                read_palette(chunk.data);
                break;
            case kChunkTrns:
                read_transparency(chunk.data);
                break;
            case kChunkGama:
                if (chunk.data.size() >= kGamaBytes && read_be32(chunk.data, 0) != 0) {
                    logo_.gamma_ = png::gamma_table(read_be32(chunk.data, 0));
                }
                break;
            case kChunkIhdr:  // a repeated header cannot change the image already described
            case kChunkChrm:
            case kChunkTime:
            case kChunkText:
            case kChunkZtxt:
            case kChunkPhys:
                break;
            default:
                if (is_critical(chunk.type)) throw Error(message::kUnknownCritical);
                break;
        }
    }

    void read_image_data(std::span<const std::uint8_t> data) {
        if (idat_ == IdatRun::kAfter) return;  // only the first run of IDAT chunks is image data
        if (idat_ == IdatRun::kBefore) {
            allocate_planes();
            image_ = std::make_unique<ImageDataDecoder>(ihdr_, logo_.gamma_, logo_.samples_.bytes.get(),
                                                        logo_.alpha_.bytes.get());
            idat_ = IdatRun::kInside;
        }
        image_->consume(data);
    }

    void end_idat_run() {
        if (!image_->complete()) throw Error(message::kMissingParts);
        image_.reset();
        idat_ = IdatRun::kAfter;
    }

    // The decoded form is checked against the bound as a whole before any of it is allocated; calloc
    // gives untouched zero pages, so a file that stops early costs only the rows it reached.
    void allocate_planes() {
        const std::uint64_t pixels = std::uint64_t{ihdr_.width} * ihdr_.height;
        const std::uint64_t sample_bytes =
            pixels * static_cast<std::uint64_t>(sample_channels(png::color_type(ihdr_)));
        const std::uint64_t alpha_bytes = has_alpha_plane(png::color_type(ihdr_)) ? pixels : 0;
        check_allocation(sample_bytes + alpha_bytes);
        logo_.samples_ = allocate_plane(sample_bytes);
        if (alpha_bytes != 0) logo_.alpha_ = allocate_plane(alpha_bytes);
    }

    static Plane allocate_plane(std::uint64_t bytes) {
        Plane plane;
        plane.bytes.reset(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes), 1)));
        if (!plane.bytes) raise_out_of_memory();
        plane.size = static_cast<std::size_t>(bytes);
        return plane;
    }

    void read_palette(std::span<const std::uint8_t> data) {
        if (data.size() % 3 != 0 || data.size() > kMaxPaletteBytes) throw Error(message::kInvalidPalette);
        logo_.palette_.clear();
        for (std::size_t i = 0; i < data.size(); i += 3) {
            logo_.palette_.push_back(
                Color{logo_.gamma_[data[i]], logo_.gamma_[data[i + 1]], logo_.gamma_[data[i + 2]]});
        }
    }

    void read_transparency(std::span<const std::uint8_t> data) {
        if (data.size() > kMaxTransparencyBytes) throw Error(message::kInvalidPalette);
        logo_.transparency_.fill(255);
        std::copy(data.begin(), data.end(), logo_.transparency_.begin());
        transparency_bytes_ = data.size();
        key_ = gray_or_truecolor_key(data);
    }

    // The key colour of a gray or truecolour logo, compared with the samples as they are kept: 16-bit
    // values by their most significant byte, like the samples; smaller depths by the value itself. A chunk
    // too short for its samples, or a value beyond the bit depth, matches no pixel and is ignored.
    std::optional<Color> gray_or_truecolor_key(std::span<const std::uint8_t> data) const {
        const GammaTable& gamma = logo_.gamma_;
        const bool wide = ihdr_.bit_depth == 16;
        const unsigned top = wide ? 0xFFFF : (1u << ihdr_.bit_depth) - 1;
        const auto kept = [&](std::size_t at) { return wide ? data[at] : data[at + 1]; };
        if (png::color_type(ihdr_) == ColorType::kGray && data.size() >= 2) {
            if (read_be16(data, 0) > top) return std::nullopt;
            const std::uint8_t level = gamma[wide ? kept(0) : kept(0) * 255u / top];
            return Color{level, level, level};
        }
        if (png::color_type(ihdr_) == ColorType::kTruecolor && data.size() >= 6) {
            if (read_be16(data, 0) > top || read_be16(data, 2) > top || read_be16(data, 4) > top)
                return std::nullopt;
            return Color{gamma[kept(0)], gamma[kept(2)], gamma[kept(4)]};
        }
        return std::nullopt;
    }

    void derive_transparency() {
        switch (png::color_type(ihdr_)) {
            case ColorType::kGrayAlpha:
            case ColorType::kTruecolorAlpha:
                logo_.mode_ = TransparencyMode::kAlpha;
                break;
            case ColorType::kGray:
            case ColorType::kTruecolor:
                if (key_) {
                    logo_.mode_ = TransparencyMode::kSingleColor;
                    logo_.key_color_ = *key_;
                }
                break;
            case ColorType::kPalette:
                if (transparency_bytes_) derive_palette_transparency(*transparency_bytes_);
                break;
        }
    }

    void derive_palette_transparency(std::size_t covered) {
        const auto& values = logo_.transparency_;
        const auto end = values.begin() + static_cast<std::ptrdiff_t>(covered);
        const auto translucent = std::count_if(values.begin(), end, [](std::uint8_t v) { return v != 255; });
        if (translucent != 1) {
            logo_.mode_ = TransparencyMode::kAlpha;
            return;
        }
        logo_.mode_ = TransparencyMode::kSingleColor;
        const auto clear = std::find(values.begin(), end, std::uint8_t{0});
        if (clear == end) return;  // the key stays black
        const auto index = static_cast<std::size_t>(clear - values.begin());
        if (index < logo_.palette_.size()) logo_.key_color_ = logo_.palette_[index];
    }

    PngLogo& logo_;
    ChunkReader reader_;
    Ihdr ihdr_;
    IdatRun idat_ = IdatRun::kBefore;
    std::unique_ptr<ImageDataDecoder> image_;
    std::optional<std::size_t> transparency_bytes_;
    std::optional<Color> key_;
};

PngLogo::PngLogo() : gamma_(identity_gamma()) {
    transparency_.fill(255);
}

void PngLogo::load_from_memory(std::span<const std::uint8_t> bytes) {
    *this = PngLogo{};
    PngLogo fresh;
    Decoding(fresh, bytes).run();
    *this = std::move(fresh);
}

void PngLogo::load(const std::filesystem::path& path) {
    *this = PngLogo{};
    const std::vector<std::uint8_t> bytes = read_whole_file(path);
    load_from_memory(bytes);
}

}  // namespace velmora
