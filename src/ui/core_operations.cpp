#include "ui/core_operations.hpp"

#include "base/error.hpp"

#if __has_include("batch/batch_run.hpp")
#include "batch/batch_run.hpp"
#define VELMORA_HAVE_BATCH_RUN 1
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

}  // namespace velmora
