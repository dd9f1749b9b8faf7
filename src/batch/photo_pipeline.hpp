// The objects of one batch run and the work done with them: the logo, loaded once before the first
// picture, and the per-image pipeline that turns one source JPEG into one output JPEG. The run creates one
// PhotoPipeline when it starts and releases it when it ends, however it ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "batch/batch_window.hpp"
#include "batch/picture_controls.hpp"

namespace velmora {

class PhotoPipeline {
  public:
    virtual ~PhotoPipeline() = default;

    // Loads the PNG logo and marks it transparent; every picture of the run gets it from now on.
    virtual void load_logo(const std::filesystem::path& logo_path) = 0;

    // Loads `source`, scales it down to `target_width` when it is wider, draws the logo when one was loaded
    // (at the position and insets the controls show now), encodes it at their quality and writes it to
    // `output`. Runs the message pump between its stages. Failures leave it as exceptions.
    virtual void process_photo(PictureControls& controls, const std::filesystem::path& source,
                               const std::filesystem::path& output, int target_width) = 0;

    // process_photo without the write: the bytes it would write.
    virtual std::vector<std::uint8_t> encode_photo(PictureControls& controls,
                                                   const std::filesystem::path& source, int target_width) = 0;

    // Another pipeline with a codec and pictures of its own, for another thread, that draws the logo this
    // one has loaded. The logo is only read from then on, so both may draw it at the same time.
    virtual std::unique_ptr<PhotoPipeline> sibling() const = 0;
};

using PhotoPipelineFactory = std::function<std::unique_ptr<PhotoPipeline>()>;

// The pipeline over the JPEG codec, the resampler and the PNG logo.
std::unique_ptr<PhotoPipeline> make_photo_pipeline();

// The click handler of "Run process" over that pipeline, as the windows and the driver start a run.
void Button_start_photo_processingClick(BatchWindow& window);

}  // namespace velmora
