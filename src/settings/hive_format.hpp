// The hive as text in the registry editor's export format, UTF-8:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\software\kt_velmora_v2_en]
//   "photo_width"="800"
//   "note"=hex(1):41,00,0a,00,00,00
//   "count"=dword:0000002a
//
// Strings are quoted with \\ and \" escapes; a string a quoted line cannot carry (a line break, a null,
// an unpaired surrogate, no terminating null) is written as hex(1): bytes instead. REG_EXPAND_SZ is
// hex(2):, REG_DWORD dword:, REG_BINARY hex:, any other type hex(N): with N in hexadecimal; long byte
// lists continue on the next line after ",\". Reading and printing are pure functions of the text, so
// any bytes can be fed to the parser.
//
// The file holds the text as UTF-16LE after a byte order mark, as the registry editor exports it: that
// is the one form it imports letters beyond ASCII from, since it reads a file without the mark in the
// system's code page. Files of UTF-8 text, as older versions wrote them and hand edits keep them, are
// read as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/error.hpp"
#include "settings/registry_value.hpp"

namespace velmora {

inline constexpr std::string_view kHiveHeader = "Windows Registry Editor Version 5.00";

// The text could not be read as a hive; the message names the line and the fault.
class HiveFormatError : public Error {
  public:
    using Error::Error;
};

// Key and value names compare without regard to the case of ASCII letters.
bool names_equal(std::string_view a, std::string_view b);

struct NamedValue {
    std::string name;  // empty for the key's default value, "@" in the file
    RegistryValue value;
};

class HiveKey {
  public:
    explicit HiveKey(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    const std::vector<NamedValue>& values() const { return values_; }
    const RegistryValue* find_value(std::string_view name) const;
    // Replaces the value of that name (keeping its place and its stored spelling) or appends it.
    void set_value(std::string_view name, RegistryValue value);

  private:
    std::string path_;
    std::vector<NamedValue> values_;
    std::unordered_map<std::string, std::size_t> index_;  // folded name -> place in values_
};

class Hive {
  public:
    const std::vector<HiveKey>& keys() const { return keys_; }
    HiveKey* find_key(std::string_view path);
    const HiveKey* find_key(std::string_view path) const;
    // The key of that full path, added (alone) when it is not there yet.
    HiveKey& add_key(std::string_view path);
    // The same, adding every missing parent key before it, as the registry creates a key.
    HiveKey& create_key(std::string_view path);

  private:
    std::vector<HiveKey> keys_;
    std::unordered_map<std::string, std::size_t> index_;  // folded path -> place in keys_
};

// The registry's own bounds on key names, which also keep the work per key line bounded.
inline constexpr std::size_t kMaxKeyNameCharacters = 255;
inline constexpr std::size_t kMaxKeyDepth = 512;

// True when `path` can name a key: at most kMaxKeyDepth backslash-separated names, each non-empty and
// at most kMaxKeyNameCharacters long, of valid UTF-8 without control characters.
bool is_valid_key_path(std::string_view path);
// True when `name` can name a value: valid UTF-8 without control characters.
bool is_valid_value_name(std::string_view name);

// The bytes of a hive file holding `text`: the byte order mark FF FE, then the text in UTF-16LE.
std::vector<std::uint8_t> hive_file_bytes(std::string_view text);
// The text of a hive file: UTF-16LE after a byte order mark FF FE, otherwise the bytes themselves
// (UTF-8). Raises HiveFormatError for UTF-16 with an unpaired surrogate or an odd byte.
std::string hive_file_text(const std::vector<std::uint8_t>& bytes);

// Raises HiveFormatError for text that is not a hive.
Hive parse_hive(std::string_view text);
std::string print_hive(const Hive& hive);
// The section of one key, and the text of the hive before and after the section of its key at `index`:
// before + print_key(hive.keys()[index]) + after is print_hive(hive). A writer that changes one key
// prints the rest once.
std::string print_key(const HiveKey& key);
std::pair<std::string, std::string> print_hive_around(const Hive& hive, std::size_t index);

}  // namespace velmora
