#include "batch/system_batch_window.hpp"

#include "base/local_time_text.hpp"
#include "base/program_folder.hpp"
#include "base/user_folders.hpp"

namespace velmora {

std::filesystem::path SystemBatchWindow::program_folder() {
    return velmora::program_folder();
}

std::filesystem::path SystemBatchWindow::pictures_folder() {
    return user_pictures_folder();
}

std::string SystemBatchWindow::short_date_text() {
    return local_short_date_text();
}

std::string SystemBatchWindow::long_time_text() {
    return local_long_time_text();
}

}  // namespace velmora
