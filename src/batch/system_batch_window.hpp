// A BatchWindow that answers the environment from the system: the running program's folder, the
// user's pictures folder and the local date and time texts. The windows and the headless driver derive
// from it; tests derive from BatchWindow itself and pin these answers.
#pragma once

#include "batch/batch_window.hpp"

namespace velmora {

class SystemBatchWindow : public BatchWindow {
  public:
    std::filesystem::path program_folder() override;
    std::filesystem::path pictures_folder() override;
    std::string short_date_text() override;
    std::string long_time_text() override;
};

}  // namespace velmora
