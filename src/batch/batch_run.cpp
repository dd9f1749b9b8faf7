#include "batch/batch_run.hpp"

#include <exception>
#include <string>
#include <vector>

#include "base/file_io.hpp"
#include "base/numeric.hpp"
#include "base/whole_number.hpp"
#include "batch/batch_texts.hpp"
#include "batch/output_location.hpp"
#include "batch/output_place.hpp"
#include "batch/parallel_run.hpp"

namespace velmora {
namespace {

// Gives the Run button back its caption and enables it when the run ends, however it ends. While a
// failure of the run is on its way out, that failure goes on unchanged even if the restoring fails too.
class RunButtonRestorer {
  public:
    explicit RunButtonRestorer(BatchWindow& window) : window_(window) {}
    RunButtonRestorer(const RunButtonRestorer&) = delete;
    RunButtonRestorer& operator=(const RunButtonRestorer&) = delete;
    ~RunButtonRestorer() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_at_start_) {
            restore();
            return;
        }
        try {
            restore();
        } catch (...) {
            // The run's own failure is the one that goes on.
        }
    }

  private:
    void restore() {
        window_.set_run_button_caption(std::string(kRunCaption));
        window_.set_run_button_enabled(true);
    }

    BatchWindow& window_;
    const int exceptions_at_start_ = std::uncaught_exceptions();
};

void process_one_at_a_time(BatchWindow& window, PhotoPipeline& pipeline, const RunPictures& pictures) {
    int running_number = pictures.first_number;
    for (const std::filesystem::path& source : pictures.files) {
        show_running_number(window, running_number);
        // The pump may have run code that changed this thread's floating-point precision (a library that
        // a dialog loads, say); the picture's arithmetic needs the extended one.
        use_extended_precision();
        const std::filesystem::path output = output_file_path(pictures.folder.path, running_number);
        save_into(pictures.folder, output,
                  [&] { pipeline.process_photo(window, source, output, pictures.target_width); });
        ++running_number;
    }
}

}  // namespace

void Button_start_photo_processingClick(BatchWindow& window, const PhotoPipelineFactory& make_pipeline,
                                        const RunOptions& options) {
    if (whole_number_from_text(window.width_text(), 0) <= 0) {
        window.show_error_box(std::string(kWidthNotSetMessage));
        return;
    }
    window.pump_messages();
    window.set_run_button_enabled(false);
    window.set_run_button_caption(std::string(kProcessingCaption));
    {
        const RunButtonRestorer restorer(window);
        run_photo_processing(window, make_pipeline, options);
    }
    window.pump_messages();
}

void run_photo_processing(BatchWindow& window, const PhotoPipelineFactory& make_pipeline,
                          const RunOptions& options) {
    const int target_width = whole_number_from_text(window.width_text(), kDefaultTargetWidth);
    const std::vector<std::filesystem::path> files = window.selection();
    if (files.empty()) {
        window.show_error_box(std::string(kNothingSelectedMessage));
        return;
    }
    window.set_status(std::string(kStatusProcessing), kStatusGreen);
    window.pump_messages();

    std::unique_ptr<PhotoPipeline> pipeline = make_pipeline();
    const OutputFolder folder = options.folder_name.empty() ? make_output_folder(window)
                                                            : make_output_folder(window, options.folder_name);

    // The logo is decided once: a position chosen later in the run does not bring one in.
    const std::string logo_path = window.logo_path_text();
    if (!logo_path.empty() && window.logo_position_index() > 0)
        pipeline->load_logo(path_from_utf8(logo_path));
    window.pump_messages();

    const RunPictures pictures{files, folder, target_width, options.first_number};
    if (options.jobs > 1 && files.size() > 1) {
        process_in_parallel(window, *pipeline, pictures, options.jobs);
    } else {
        process_one_at_a_time(window, *pipeline, pictures);
    }
    pipeline.reset();

    window.set_status(std::string(kStatusCompleted), kStatusGreen);
    window.show_information_box(std::string(kCompletedMessagePrefix) + path_to_utf8(folder.path));
    window.pump_messages();
}

}  // namespace velmora
