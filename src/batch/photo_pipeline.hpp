// The objects of one batch run and the work done with them: the logo, loaded once before the first
// picture, and the per-image pipeline that turns one source JPEG into one output JPEG. The run creates one
// PhotoPipeline when it starts and releases it when it ends, however it ends.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "batch/batch_window.hpp"

namespace velmora {

class PhotoPipeline {
  public:
    virtual ~PhotoPipeline() = default;

    // Loads the PNG logo and marks it transparent; every picture of the run gets it from now on.
    virtual void load_logo(const std::filesystem::path& logo_path) = 0;

    // Loads `source`, scales it down to `target_width` when it is wider, draws the logo when one was loaded
    // (at the position and insets the window shows now), encodes it at the window's quality and writes it
    // to `output`. Runs the window's message pump between its stages. Failures leave it as exceptions.
    virtual void process_photo(BatchWindow& window, const std::filesystem::path& source,
                               const std::filesystem::path& output, int target_width) = 0;
};

using PhotoPipelineFactory = std::function<std::unique_ptr<PhotoPipeline>()>;

// The pipeline over the JPEG codec, the resampler and the PNG logo.
std::unique_ptr<PhotoPipeline> make_photo_pipeline();

// The click handler of "Run process" over that pipeline, as the windows and the driver start a run.
void Button_start_photo_processingClick(BatchWindow& window);

}  // namespace velmora
