// A run's pictures worked on several at once, on threads of their own, for the headless driver; the
// window's run takes them one at a time (batch_run.cpp). Both leave the same files: each output is written
// whole and moved into place by the calling thread, in the order of the selection, and a failure stops the
// run at the first picture in that order that fails, before any later one is written.
#pragma once

#include <filesystem>
#include <vector>

#include "batch/batch_window.hpp"
#include "batch/output_place.hpp"
#include "batch/photo_pipeline.hpp"

namespace velmora {

struct RunPictures {
    const std::vector<std::filesystem::path>& files;
    const OutputFolder& folder;
    int target_width = 0;
    int first_number = 1;  // the running number of files[0]
};

// Pumps, shows the running number and pumps again, as the run does before each picture.
void show_running_number(BatchWindow& window, int running_number);

// Works on up to `jobs` pictures at once, each thread with a sibling of `pipeline`. Every window call
// happens on the calling thread: the running numbers in order, each as its picture's turn to be written
// comes, and the pump while it waits, so a closed window stops the threads within a stage of a picture.
// The position, the insets and the quality are read once before the first picture, since pictures of
// different places in the selection are worked on at the same time; a window whose controls do not
// change during the run (the driver's) gets the bytes of the run one picture at a time.
// At most 2 x `jobs` pictures are taken ahead of the next to be written: `jobs` being worked on, the
// others finished and held as their encoded bytes only.
void process_in_parallel(BatchWindow& window, PhotoPipeline& pipeline, const RunPictures& pictures, int jobs);

}  // namespace velmora
