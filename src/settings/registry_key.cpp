#include "settings/registry_key.hpp"

#include "base/error.hpp"
#include "base/utf16.hpp"

namespace velmora {

bool RegistryKey::open(RegistryRoot& root, std::string_view path) {
    close();
    key_ = root.open_existing(path);
    return is_open();
}

bool RegistryKey::create(RegistryRoot& root, std::string_view path) {
    close();
    key_ = root.open_or_create(path);
    return is_open();
}

ValueQuery RegistryKey::query_value(std::string_view name) {
    if (!is_open()) return {};
    return key_->query(name);
}

void RegistryKey::set_string(std::string_view name, std::string_view text) {
    if (!is_open()) throw Error("The registry key is not open");
    key_->set(name, {REG_SZ, utf16le_string_data(text)});
}

}  // namespace velmora
