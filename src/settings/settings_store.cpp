#include "settings/settings_store.hpp"

#include <algorithm>
#include <string>

#include "base/error.hpp"
#include "base/utf16.hpp"
#include "base/whole_number.hpp"
#include "settings/user_registry.hpp"

namespace velmora {

namespace {

constexpr int kDefaultQuality = 75;
constexpr int kMinQuality = 1;
constexpr int kMaxQuality = 100;

std::string quoted_name(std::string_view name) {
    return "'" + std::string(name) + "'";
}

// A missing value and one of size 0 read as empty text; string data is taken literally up to its first
// null; any other type is an error.
std::string read_text(RegistryKey& key, std::string_view name) {
    const ValueQuery query = key.query_value(name);
    if (query.status == ValueQuery::Status::kMissing) return {};
    if (query.status == ValueQuery::Status::kUnreadable) {
        throw Error("Failed to get data for " + quoted_name(name));
    }
    if (query.value.data.empty()) return {};
    if (query.value.type != REG_SZ && query.value.type != REG_EXPAND_SZ) {
        throw Error("Invalid data type for " + quoted_name(name));
    }
    return text_of_string_data(query.value.data);
}

std::string or_default(std::string text, std::string_view fallback) {
    return text.empty() ? std::string(fallback) : text;
}

// A key that was neither opened nor created fails at its first value with the value's name alone. A
// write that fails on an open key (a full disk, say) names the value too, and gives the registry's reason
// on a line of its own, so the user learns why.
void write_text(RegistryKey& key, std::string_view name, std::string_view text) {
    const std::string failure = "Failed to set data for " + quoted_name(name);
    if (!key.is_open()) throw Error(failure);
    try {
        key.set_string(name, text);
    } catch (const Error& reason) {
        throw Error(failure + "\r\n" + reason.what());
    }
}

void select_stored_position(SettingsWindow& window, const std::string& stored) {
    window.select_logo_position(0);
    const std::vector<std::string> items = window.logo_position_items();
    const auto found = std::find(items.begin(), items.end(), stored);
    if (found != items.end()) window.select_logo_position(static_cast<int>(found - items.begin()));
}

std::string selected_position_text(SettingsWindow& window) {
    const std::vector<std::string> items = window.logo_position_items();
    const int index = window.logo_position_index();
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return {};
    return items[static_cast<std::size_t>(index)];
}

}  // namespace

void load_settings(SettingsWindow& window, RegistryRoot& root) {
    RegistryKey key;
    if (!key.open(root, kSettingsKeyPath)) return;

    window.set_width_text(or_default(read_text(key, "photo_width"), "800"));
    window.set_delete_exif_checked(read_text(key, "delete_exif") == "y");
    const int quality = whole_number_from_text(read_text(key, "photo_quality"), kDefaultQuality);
    window.set_quality_position(std::clamp(quality, kMinQuality, kMaxQuality));
    select_stored_position(window, read_text(key, "logo_position"));
    window.set_inset_horizontal_text(or_default(read_text(key, "logo_padding_horizontal"), "0"));
    window.set_inset_vertical_text(or_default(read_text(key, "logo_padding_vertical"), "0"));
    window.set_logo_path_text(read_text(key, "logo_file_src"));
    window.update_status_elements_for_label_padding();
}

void save_settings(SettingsWindow& window, RegistryRoot& root) {
    RegistryKey key;
    // Whether the key opened is not checked here: when it did not, the first write fails.
    (void)key.create(root, kSettingsKeyPath);

    write_text(key, "photo_width", window.width_text());
    write_text(key, "delete_exif", window.delete_exif_checked() ? "y" : "n");
    write_text(key, "photo_quality", std::to_string(window.quality_position()));
    write_text(key, "logo_position", selected_position_text(window));
    write_text(key, "logo_padding_horizontal", window.inset_horizontal_text());
    write_text(key, "logo_padding_vertical", window.inset_vertical_text());
    write_text(key, "logo_file_src", window.logo_path_text());
}

void load_settings(SettingsWindow& window) {
    load_settings(window, *current_user_registry());
}

void save_settings(SettingsWindow& window) {
    save_settings(window, *current_user_registry());
}

}  // namespace velmora
