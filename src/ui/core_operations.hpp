// The batch run that "Run process" starts, reached through here while it is built apart from the windows.
#pragma once

#include "batch/batch_window.hpp"

namespace velmora {

void start_batch(BatchWindow& window);

}  // namespace velmora
