// Text between UTF-8, the program's form, and UTF-16: the registry's string data (UTF-16LE bytes) and
// the wide-character text of the Windows API.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The UTF-16LE code units of `text` followed by one terminating null, as a REG_SZ value holds it.
// A byte that is not part of a valid UTF-8 sequence becomes U+FFFD.
std::vector<std::uint8_t> utf16le_string_data(std::string_view text);

// The UTF-16 code units of `text`, without a terminating null. Invalid UTF-8 bytes become U+FFFD.
std::u16string utf16_of_utf8(std::string_view text);
// The UTF-8 form of UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string utf8_of_utf16(std::u16string_view units);

// The text of REG_SZ data: the code units up to the first null (or the end), as UTF-8. A trailing odd
// byte is ignored; an unpaired surrogate becomes U+FFFD.
std::string text_of_string_data(const std::vector<std::uint8_t>& data);

// The UTF-8 form of UTF-16LE code units, or nothing when they hold an unpaired surrogate or the byte
// count is odd. Nulls are kept.
std::optional<std::string> exact_utf8_of_utf16le(const std::uint8_t* data, std::size_t size);

// True when `text` is valid UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool is_valid_utf8(std::string_view text);

}  // namespace velmora
