#include "settings/user_registry.hpp"
#include "settings/windows_registry.hpp"

namespace velmora {

std::unique_ptr<RegistryRoot> current_user_registry() {
    return std::make_unique<WindowsRegistry>(HKEY_CURRENT_USER);
}

}  // namespace velmora
