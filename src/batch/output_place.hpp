// Where a run's output folder goes: beside the program when this user may write there (a portable copy,
// the build folder), else in Velmora inside the user's pictures folder (an installed program). Also what
// the first save says when the folder could not be made.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

#include "batch/batch_window.hpp"

namespace velmora {

// The folder inside the pictures folder that holds the runs' folders.
inline constexpr std::string_view kPicturesSubfolder = "Velmora";

struct OutputFolder {
    std::filesystem::path path;
    std::error_code unmade;  // why the folder could not be made; empty when it exists
};

// Names the folder from the window's date text and then its time text, chooses its place and makes it.
OutputFolder make_output_folder(BatchWindow& window);
// The same with a name given instead of the date and time, which are then not read.
OutputFolder make_output_folder(BatchWindow& window, std::string_view name);

// Runs `work`, which creates `file` inside `folder`. When the folder could not be made, a failure to
// create the file carries the reason the folder could not be made, not that it is missing.
void save_into(const OutputFolder& folder, const std::filesystem::path& file,
               const std::function<void()>& work);

}  // namespace velmora
