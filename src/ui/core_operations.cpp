#include "ui/core_operations.hpp"

#include "base/error.hpp"

#if __has_include("batch/batch_run.hpp")
#include "batch/batch_run.hpp"
#define VELMORA_HAVE_BATCH_RUN 1
#endif
#if __has_include("settings/settings_store.hpp")
#include "settings/settings_store.hpp"
#define VELMORA_HAVE_SETTINGS_STORE 1
#endif

namespace velmora {

void start_batch(BatchWindow& window) {
#ifdef VELMORA_HAVE_BATCH_RUN
    Button_start_photo_processingClick(window);
#else
    (void)window;
    throw Error("The batch run is not part of this build");
#endif
}

void load_stored_settings(SettingsWindow& window) {
#ifdef VELMORA_HAVE_SETTINGS_STORE
    load_settings(window);
#else
    (void)window;
#endif
}

void save_stored_settings(SettingsWindow& window) {
#ifdef VELMORA_HAVE_SETTINGS_STORE
    save_settings(window);
#else
    (void)window;
    throw Error("The settings store is not part of this build");
#endif
}

}  // namespace velmora
