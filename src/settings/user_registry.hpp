// The current user's registry as the settings store uses it: HKEY_CURRENT_USER on Windows, the
// file-backed hive (file_hive.hpp) elsewhere.
#pragma once

#include <memory>

#include "settings/registry_key.hpp"

namespace velmora {

std::unique_ptr<RegistryRoot> current_user_registry();

}  // namespace velmora
