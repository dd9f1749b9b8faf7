#include "batch/output_place.hpp"

#include <string>

#include "base/file_io.hpp"
#include "base/folder_access.hpp"
#include "batch/output_location.hpp"

namespace velmora {

OutputFolder make_output_folder(BatchWindow& window) {
    // The time is read after the date, so a run started just before midnight names the folder with the
    // date it started on and a time of that day or of the next.
    const std::string date_text = window.short_date_text();
    const std::string time_text = window.long_time_text();
    return make_output_folder(window, output_folder_name(date_text, time_text));
}

OutputFolder make_output_folder(BatchWindow& window, std::string_view name) {
    std::filesystem::path parent = window.program_folder();
    if (!may_create_in(parent)) {
        const std::filesystem::path pictures = window.pictures_folder();
        if (!pictures.empty()) parent = pictures / path_from_utf8(kPicturesSubfolder);
    }
    OutputFolder folder{output_folder_path(parent, name), {}};
    folder.unmade = create_output_folder(folder.path);
    return folder;
}

void save_into(const OutputFolder& folder, const std::filesystem::path& file,
               const std::function<void()>& work) {
    try {
        work();
    } catch (const CannotCreateFile& failure) {
        if (!folder.unmade || failure.path() != file) throw;
        throw CannotCreateFile(file, folder.unmade.message());
    }
}

}  // namespace velmora
