// The batch run: "Run process" checks the width and guards its button, and the run writes a re-encoded
// copy of every selected file into a new folder named from the date and time, numbered 1.jpg, 2.jpg, ...
// in the order of the selection. Nothing is caught here: a failure stops the run where it happens, the
// Run button is restored, and the failure goes on unchanged to the caller (the top-level error report).
#pragma once

#include <string>

#include "batch/batch_window.hpp"
#include "batch/photo_pipeline.hpp"

namespace velmora {

// How a run goes beyond what its window shows; the window's run keeps the defaults. A headless run uses
// the others: whatever they are, a run leaves the files, numbers and messages of the run one picture at
// a time that starts at the same number in the same folder.
struct RunOptions {
    int jobs = 1;             // pictures worked on at once (parallel_run.hpp)
    int first_number = 1;     // the running number of the first picture
    std::string folder_name;  // the output folder's name (UTF-8); empty: named from the date and time
};

// The click handler of "Run process", with the run's objects made by `make_pipeline`
// (photo_pipeline.hpp has the one over the real pipeline).
void Button_start_photo_processingClick(BatchWindow& window, const PhotoPipelineFactory& make_pipeline,
                                        const RunOptions& options = {});

// The run itself; called only by the click handler.
void run_photo_processing(BatchWindow& window, const PhotoPipelineFactory& make_pipeline,
                          const RunOptions& options = {});

}  // namespace velmora
