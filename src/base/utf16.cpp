#include "base/utf16.hpp"

namespace velmora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `text[at]`; answers the code point and advances `at`, or answers
// nothing (advancing by one byte) when the bytes there are not a valid sequence.
std::optional<char32_t> decode_utf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    ++at;
    if (lead < 0x80) return lead;
    int count = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 1, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 2, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < static_cast<std::size_t>(count)) return std::nullopt;
    for (int i = 0; i < count; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    at += count;
    return code;
}

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void append_unit(std::vector<std::uint8_t>& out, char16_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

char16_t unit_at(const std::uint8_t* data, std::size_t index) {
    return static_cast<char16_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

// Decodes `count` UTF-16 code units, the i-th being unit(i), into UTF-8; `strict` answers nothing for an
// unpaired surrogate instead of writing U+FFFD.
template <class UnitAt>
std::optional<std::string> decode_utf16(UnitAt unit, std::size_t count, bool strict) {
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t first = unit(i);
        char32_t code = first;
        if (first >= 0xD800 && first <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            code = 0x10000 + ((char32_t{first} - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (first >= 0xD800 && first <= 0xDFFF) {
            if (strict) return std::nullopt;
            code = kReplacement;
        }
        append_utf8(out, code);
    }
    return out;
}

std::optional<std::string> decode_utf16le(const std::uint8_t* data, std::size_t units, bool strict) {
    return decode_utf16([data](std::size_t i) { return unit_at(data, i); }, units, strict);
}

// Encodes `text` as UTF-16, handing each code unit to put(unit); a byte that is not part of a valid
// UTF-8 sequence becomes U+FFFD.
template <class PutUnit>
void encode_utf16(std::string_view text, PutUnit put) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {  // the common case, without decoding
            put(char16_t{byte});
            ++at;
            continue;
        }
        const char32_t code = decode_utf8(text, at).value_or(kReplacement);
        if (code < 0x10000) {
            put(static_cast<char16_t>(code));
        } else {
            put(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
}

}  // namespace

std::vector<std::uint8_t> utf16le_string_data(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2 + 2);
    encode_utf16(text, [&out](char16_t unit) { append_unit(out, unit); });
    append_unit(out, 0);
    return out;
}

std::u16string utf16_of_utf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    encode_utf16(text, [&out](char16_t unit) { out += unit; });
    return out;
}

std::string utf8_of_utf16(std::u16string_view units) {
    return *decode_utf16([units](std::size_t i) { return units[i]; }, units.size(), false);
}

std::string text_of_string_data(const std::vector<std::uint8_t>& data) {
    std::size_t units = 0;
    while (units < data.size() / 2 && unit_at(data.data(), units) != 0) ++units;
    return *decode_utf16le(data.data(), units, false);
}

std::optional<std::string> exact_utf8_of_utf16le(const std::uint8_t* data, std::size_t size) {
    if (size % 2 != 0) return std::nullopt;
    return decode_utf16le(data, size / 2, true);
}

bool is_valid_utf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
        } else if (!decode_utf8(text, at)) {
            return false;
        }
    }
    return true;
}

}  // namespace velmora
