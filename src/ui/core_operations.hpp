// The core's operations that the main window's handlers start: the batch run and the settings store.
#pragma once

#include "batch/batch_window.hpp"
#include "settings/settings_window.hpp"

namespace velmora {

void start_batch(BatchWindow& window);
void load_stored_settings(SettingsWindow& window);
void save_stored_settings(SettingsWindow& window);

}  // namespace velmora
