// Writing the export format: the header, then each key as a section closed by an empty line. Lines end
// in CR LF, as the registry editor writes and imports them.
#include <algorithm>

#include "base/utf16.hpp"
#include "settings/hive_format.hpp"

namespace velmora {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLineWidth = 80;  // byte lists wrap before this column, as an export's do

void append_quoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

// The text of REG_SZ data when a quoted string can carry it exactly: one terminating null and no other,
// no unpaired surrogate, no control character.
std::optional<std::string> quotable_text(const std::vector<std::uint8_t>& data) {
    if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 2] != 0 || data.back() != 0) {
        return std::nullopt;
    }
    auto text = exact_utf8_of_utf16le(data.data(), data.size() - 2);
    if (!text || std::any_of(text->begin(), text->end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        return std::nullopt;
    }
    return text;
}

void append_hex_digits(std::string& out, std::uint32_t number, int digits) {
    constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(number >> shift) & 0xF];
}

// The bytes as "xx,xx,...", breaking the line with ",\" and a two-blank indent before kLineWidth.
void append_byte_list(std::string& out, const std::vector<std::uint8_t>& bytes, std::size_t column) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && column + 3 >= kLineWidth) {
            out += '\\';
            out += kLineEnd;
            out += "  ";
            column = 2;
        }
        append_hex_digits(out, bytes[i], 2);
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++column;
        }
    }
}

void append_value(std::string& out, const NamedValue& entry) {
    const std::size_t line_start = out.size();
    if (entry.name.empty()) {
        out += '@';
    } else {
        append_quoted(out, entry.name);
    }
    out += '=';
    const RegistryValue& value = entry.value;
    std::optional<std::string> text;
    if (value.type == REG_SZ && (text = quotable_text(value.data))) {
        append_quoted(out, *text);
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        out += "dword:";
        append_hex_digits(out,
                          std::uint32_t{value.data[0]} | std::uint32_t{value.data[1]} << 8 |
                              std::uint32_t{value.data[2]} << 16 | std::uint32_t{value.data[3]} << 24,
                          8);
    } else {
        if (value.type == REG_BINARY) {
            out += "hex:";
        } else {
            out += "hex(";
            int digits = 1;
            while (digits < 8 && (value.type >> (4 * digits)) != 0) ++digits;
            append_hex_digits(out, value.type, digits);
            out += "):";
        }
        append_byte_list(out, value.data, out.size() - line_start);
    }
    out += kLineEnd;
}

}  // namespace

std::string print_key(const HiveKey& key) {
    std::string out(kLineEnd);
    out += '[';
    out += key.path();
    out += ']';
    out += kLineEnd;
    for (const NamedValue& entry : key.values()) append_value(out, entry);
    return out;
}

std::pair<std::string, std::string> print_hive_around(const Hive& hive, std::size_t index) {
    std::pair<std::string, std::string> out{std::string(kHiveHeader), std::string()};
    out.first += kLineEnd;
    for (std::size_t i = 0; i < hive.keys().size(); ++i) {
        if (i != index) (i < index ? out.first : out.second) += print_key(hive.keys()[i]);
    }
    out.second += kLineEnd;
    return out;
}

std::vector<std::uint8_t> hive_file_bytes(std::string_view text) {
    std::vector<std::uint8_t> bytes = utf16le_string_data(text);
    bytes.resize(bytes.size() - 2);  // a file has no terminating null
    bytes.insert(bytes.begin(), {0xFF, 0xFE});
    return bytes;
}

std::string print_hive(const Hive& hive) {
    auto [before, after] = print_hive_around(hive, hive.keys().size());
    return before + after;
}

}  // namespace velmora
