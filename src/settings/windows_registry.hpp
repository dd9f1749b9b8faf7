// The registry of Windows (advapi32) as a RegistryRoot: keys opened and created under one root key with
// RegOpenKeyExW and RegCreateKeyExW, values queried with RegQueryValueExW (first the size and type,
// then the data) and written with RegSetValueExW, keys closed with RegCloseKey. Windows only.
#pragma once

#include <windows.h>

#include "settings/registry_key.hpp"

namespace velmora {

class WindowsRegistry : public RegistryRoot {
  public:
    // Paths are taken relative to `root`: HKEY_CURRENT_USER, or a key that the caller keeps open for
    // the life of this object.
    explicit WindowsRegistry(HKEY root) : root_(root) {}

    std::unique_ptr<OpenRegistryKey> open_existing(std::string_view path) override;
    std::unique_ptr<OpenRegistryKey> open_or_create(std::string_view path) override;

  private:
    HKEY root_;
};

}  // namespace velmora
