#include "settings/file_hive.hpp"
#include "settings/user_registry.hpp"

namespace velmora {

std::unique_ptr<RegistryRoot> current_user_registry() {
    return std::make_unique<FileHive>(FileHive::current_user_file());
}

}  // namespace velmora
