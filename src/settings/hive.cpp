#include <algorithm>

#include "base/utf16.hpp"
#include "settings/hive_format.hpp"

namespace velmora {

namespace {

char fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string folded(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), fold);
    return out;
}

bool has_control_character(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

bool names_equal(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return fold(x) == fold(y); });
}

bool is_valid_value_name(std::string_view name) {
    return is_valid_utf8(name) && !has_control_character(name);
}

bool is_valid_key_path(std::string_view path) {
    if (!is_valid_value_name(path)) return false;
    std::size_t depth = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        const std::string_view name = path.substr(start, end - start);
        const auto characters = std::count_if(
            name.begin(), name.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        if (name.empty() || characters > static_cast<long>(kMaxKeyNameCharacters)) return false;
        if (++depth > kMaxKeyDepth) return false;
        if (end == path.size()) return true;
        start = end + 1;
    }
}

const RegistryValue* HiveKey::find_value(std::string_view name) const {
    const auto found = index_.find(folded(name));
    return found == index_.end() ? nullptr : &values_[found->second].value;
}

void HiveKey::set_value(std::string_view name, RegistryValue value) {
    const auto [place, added] = index_.try_emplace(folded(name), values_.size());
    if (added) {
        values_.push_back({std::string(name), std::move(value)});
    } else {
        values_[place->second].value = std::move(value);
    }
}

HiveKey* Hive::find_key(std::string_view path) {
    const auto found = index_.find(folded(path));
    return found == index_.end() ? nullptr : &keys_[found->second];
}

const HiveKey* Hive::find_key(std::string_view path) const {
    const auto found = index_.find(folded(path));
    return found == index_.end() ? nullptr : &keys_[found->second];
}

HiveKey& Hive::add_key(std::string_view path) {
    const auto [place, added] = index_.try_emplace(folded(path), keys_.size());
    if (added) keys_.emplace_back(std::string(path));
    return keys_[place->second];
}

HiveKey& Hive::create_key(std::string_view path) {
    if (HiveKey* existing = find_key(path)) return *existing;
    // Parents first, so that the file lists them before their children, as an export does.
    for (std::size_t separator = path.find('\\'); separator != std::string_view::npos;
         separator = path.find('\\', separator + 1)) {
        add_key(path.substr(0, separator));
    }
    return add_key(path);
}

}  // namespace velmora
