// Arbitrary bytes as a hive file: parsing either succeeds or raises HiveFormatError, and whatever
// parses prints to text that parses back to the same hive and prints the same again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/utf16.hpp"
#include "settings/hive_format.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Hive hive;
    try {
        hive = parse_hive(text);
    } catch (const HiveFormatError&) {
        return 0;
    }
    const std::string printed = print_hive(hive);
    const Hive again = parse_hive(printed);
    if (print_hive(again) != printed || again.keys().size() != hive.keys().size()) std::abort();
    for (const HiveKey& key : hive.keys()) {
        const HiveKey* other = again.find_key(key.path());
        if (other == nullptr || other->values().size() != key.values().size()) std::abort();
        for (const NamedValue& entry : key.values()) {
            const RegistryValue* value = other->find_value(entry.name);
            if (value == nullptr || !(*value == entry.value)) std::abort();
            // The store's reading of string data must not fail on any bytes.
            if (!is_valid_utf8(text_of_string_data(entry.value.data))) std::abort();
        }
    }
    return 0;
}
