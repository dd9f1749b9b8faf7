// The seven adjustable values of the main window, kept as string values of one registry key of the
// current user: read into the window once at start, written on request.
#pragma once

#include <string_view>

#include "settings/registry_key.hpp"
#include "settings/settings_window.hpp"

namespace velmora {

inline constexpr std::string_view kSettingsKeyPath = "software\\kt_velmora_v2_en";

// Reads the key into the window. A key that is missing or cannot be opened leaves the window as it is;
// a value of a type other than a string raises "Invalid data type for '<name>'" and one that cannot be
// read "Failed to get data for '<name>'", the values before it applied and the inset controls not
// refreshed.
void load_settings(SettingsWindow& window, RegistryRoot& root);
// Writes the window into the key, creating it when needed. A value that cannot be written raises
// "Failed to set data for '<name>'", followed by "\r\n" and the registry's reason when the key was open;
// the values before it stay written.
void save_settings(SettingsWindow& window, RegistryRoot& root);

// The same, over the current user's hive.
void load_settings(SettingsWindow& window);
void save_settings(SettingsWindow& window);

}  // namespace velmora
