#include "batch/photo_pipeline.hpp"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#include "base/whole_number.hpp"
#include "batch/batch_run.hpp"
#include "batch/fit_to_width.hpp"
#include "imaging/codecs/jpeg_image.hpp"
#include "imaging/codecs/png_logo.hpp"
#include "imaging/drawing/draw_logo.hpp"
#include "imaging/picture.hpp"
#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loop_choice.hpp"
#include "imaging/resample/resampler.hpp"
#include "imaging/resample/row_resampler.hpp"
#include "imaging/resample/tap_list_cache.hpp"

namespace velmora {
namespace {

constexpr const FilterRecord& kLanczos3 = filter_named("Lanczos3");

// The track bar holds 1 to 100; a window that answers anything else gets the nearest of the two.
std::uint8_t quality_byte(int position) {
    return static_cast<std::uint8_t>(std::clamp(position, 1, 100));
}

class JpegPhotoPipeline final : public PhotoPipeline {
  public:
    void load_logo(const std::filesystem::path& logo_path) override {
        auto logo = std::make_shared<PngLogo>();
        logo->load(logo_path);
        logo->mark_transparent();
        logo_ = std::move(logo);
    }

    // The output file is created only here, after the whole picture has been encoded, and it is written
    // under a temporary name that replaces the final one only once complete.
    void process_photo(PictureControls& controls, const std::filesystem::path& source,
                       const std::filesystem::path& output, int target_width) override {
        encode(controls, source, target_width);
        jpeg_.save(output);
    }

    std::vector<std::uint8_t> encode_photo(PictureControls& controls, const std::filesystem::path& source,
                                           int target_width) override {
        encode(controls, source, target_width);
        return jpeg_.compressed_data();
    }

    std::unique_ptr<PhotoPipeline> sibling() const override {
        auto other = std::make_unique<JpegPhotoPipeline>();
        other->logo_ = logo_;
        other->tap_lists_ = tap_lists_;
        return other;
    }

  private:
    void encode(PictureControls& controls, const std::filesystem::path& source, int target_width) {
        jpeg_.load(source);
        if (needs_scaling(jpeg_.width(), target_width)) {
            scale_into_output(target_width);
        } else {
            jpeg_.decode_into(output_);
        }
        controls.pump_messages();
        if (logo_) draw_logo_on_output(controls);
        controls.pump_messages();
        jpeg_.take(output_);
        jpeg_.set_quality(quality_byte(controls.quality()));
        jpeg_.compress();
    }

    // The picture is scaled as it is decoded, a block of rows at a time, so the full-size source is never
    // held; the bytes are those of ResamplePicture over the decoded picture. The resampler refuses some
    // sizes (a width or a new height of 1, say) before its first row, but that must not come before the
    // decoder has had its say about the file: such sizes take the whole decoded picture instead.
    void scale_into_output(int target_width) {
        const PictureSize size = scaled_size(jpeg_.width(), jpeg_.height(), target_width);
        if (size.width < 2 || size.height < 2) {
            scale_decoded_picture(size);
            return;
        }
        if (output_.pixel_format() != PixelFormat::k24Bit) output_ = Picture();
        output_.set_size(size.width, size.height);
        RowResampler resampler(chosen_pixel_loops(), jpeg_.width(), jpeg_.height(), output_, kLanczos3.Filter,
                               kLanczos3.Width, tap_lists_.get());
        jpeg_.decode_rows(kResampleRowBlock, [&](const std::uint8_t* const* rows, int count) {
            resampler.add_rows(rows, count);
        });
    }

    void scale_decoded_picture(PictureSize size) {
        jpeg_.decode_into(source_);
        output_.set_size(size.width, size.height);
        ResamplePicture(source_, output_, kLanczos3.Filter, kLanczos3.Width);
        // The codec keeps its own decoded copy until the output is taken; letting go of ours now means the
        // next source is decoded while only one full-size picture is held, not two.
        source_ = Picture();
    }

    // The position and insets are read for every picture, so a change in the window during a run applies from
    // the next picture on.
    void draw_logo_on_output(PictureControls& controls) {
        logo_->convert_into(logo_picture_);
        const int position = controls.logo_position_index();
        const int inset_horizontal = whole_number_from_text(controls.inset_horizontal_text(), 0);
        const int inset_vertical = whole_number_from_text(controls.inset_vertical_text(), 0);
        const auto origin = logo_origin(position, output_.width(), output_.height(), logo_picture_.width(),
                                        logo_picture_.height(), inset_horizontal, inset_vertical);
        if (origin) draw_logo(logo_picture_, output_, *origin);
    }

    Picture source_;
    Picture output_;
    Picture logo_picture_;
    JpegImage jpeg_;
    // Pictures of one size share their lists, and a pipeline shares its cache with its siblings.
    std::shared_ptr<TapListCache> tap_lists_ = std::make_shared<TapListCache>();
    // Loaded once for the run; every picture gets it once it is there.
    std::shared_ptr<const PngLogo> logo_;
};

}  // namespace

std::unique_ptr<PhotoPipeline> make_photo_pipeline() {
    return std::make_unique<JpegPhotoPipeline>();
}

void Button_start_photo_processingClick(BatchWindow& window) {
    Button_start_photo_processingClick(window, make_photo_pipeline);
}

}  // namespace velmora
