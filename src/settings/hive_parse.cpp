// Reading the export format: one line at a time, a key line opening a section, value lines filling it,
// a byte list running on over lines that end with a backslash.
#include <charconv>
#include <optional>

#include "base/utf16.hpp"
#include "settings/hive_format.hpp"

namespace velmora {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (is_blank(text.front()))) text.remove_prefix(1);
    while (!text.empty() && (is_blank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool at_end() const { return at_ >= text_.size(); }
    std::size_t line_number() const { return line_number_; }

    // The next line without its line break and surrounding blanks.
    std::string_view next() {
        const std::size_t end = std::min(text_.find('\n', at_), text_.size());
        const std::string_view line = text_.substr(at_, end - at_);
        at_ = end + 1;
        ++line_number_;
        return trimmed(line);
    }

    [[noreturn]] void fail(std::string_view reason) const {
        throw HiveFormatError("line " + std::to_string(line_number_) + ": " + std::string(reason));
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_number_ = 0;
};

std::optional<std::uint32_t> hex_number(std::string_view digits, std::size_t max_digits) {
    if (digits.empty() || digits.size() > max_digits) return std::nullopt;
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

// A quoted string at the start of `text` with its \\ and \" escapes resolved; `text` is left after
// the closing quote.
std::string quoted_string(std::string_view& text, const LineReader& reader) {
    if (text.empty() || text.front() != '"') reader.fail("a quoted string was expected");
    std::string out;
    std::size_t at = 1;
    while (true) {
        const std::size_t special = text.find_first_of("\\\"", at);
        if (special == std::string_view::npos) reader.fail("a quoted string is not closed");
        out.append(text.substr(at, special - at));
        at = special + 1;
        if (text[special] == '"') break;
        if (at >= text.size() || (text[at] != '\\' && text[at] != '"')) reader.fail("unknown escape");
        out += text[at++];
    }
    text.remove_prefix(at);
    if (!is_valid_utf8(out)) reader.fail("a quoted string is not valid UTF-8");
    return out;
}

// The comma-separated bytes after "hex:" or "hex(N):", continued over following lines while a line
// ends with a backslash.
std::vector<std::uint8_t> byte_list(std::string_view text, LineReader& reader) {
    std::vector<std::uint8_t> bytes;
    bool expect_byte = false;  // after a comma a byte must follow, on this line or the next
    while (true) {
        text = trimmed(text);
        const bool continues = !text.empty() && text.back() == '\\';
        if (continues) text = trimmed(text.substr(0, text.size() - 1));
        while (!text.empty()) {
            const std::size_t comma = text.find(',');
            const auto byte = hex_number(trimmed(text.substr(0, comma)), 2);
            if (!byte) reader.fail("a byte list holds something other than two-digit hexadecimal bytes");
            bytes.push_back(static_cast<std::uint8_t>(*byte));
            expect_byte = comma != std::string_view::npos;
            text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
            if (expect_byte && trimmed(text).empty() && !continues)
                reader.fail("a byte list ends in a comma");
        }
        if (!continues) break;
        if (reader.at_end()) reader.fail("a byte list continues past the end of the file");
        text = reader.next();
    }
    if (expect_byte) reader.fail("a byte list ends in a comma");
    return bytes;
}

RegistryValue value_data(std::string_view text, LineReader& reader) {
    if (!text.empty() && text.front() == '"') {
        const std::string content = quoted_string(text, reader);
        if (!trimmed(text).empty()) reader.fail("text follows a quoted value");
        return {REG_SZ, utf16le_string_data(content)};
    }
    if (text.starts_with("dword:")) {
        const auto number = hex_number(trimmed(text.substr(6)), 8);
        if (!number) reader.fail("a dword value needs one to eight hexadecimal digits");
        return {REG_DWORD,
                {static_cast<std::uint8_t>(*number), static_cast<std::uint8_t>(*number >> 8),
                 static_cast<std::uint8_t>(*number >> 16), static_cast<std::uint8_t>(*number >> 24)}};
    }
    if (text.starts_with("hex:")) return {REG_BINARY, byte_list(text.substr(4), reader)};
    if (text.starts_with("hex(")) {
        const std::size_t close = text.find("):");
        const auto type =
            close == std::string_view::npos ? std::nullopt : hex_number(text.substr(4, close - 4), 8);
        if (!type) reader.fail("a hex(N) value needs a hexadecimal type number");
        return {*type, byte_list(text.substr(close + 2), reader)};
    }
    reader.fail("unknown value data");
}

void parse_value_line(std::string_view line, HiveKey& key, LineReader& reader) {
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else {
        name = quoted_string(line, reader);
        if (!is_valid_value_name(name)) reader.fail("a value name holds a control character");
    }
    line = trimmed(line);
    if (line.empty() || line.front() != '=') reader.fail("'=' was expected after the value name");
    key.set_value(name, value_data(trimmed(line.substr(1)), reader));
}

}  // namespace

std::string hive_file_text(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return {bytes.begin(), bytes.end()};
    std::optional<std::string> text = exact_utf8_of_utf16le(bytes.data() + 2, bytes.size() - 2);
    if (!text) throw HiveFormatError("the file is not valid UTF-16");
    return std::move(*text);
}

Hive parse_hive(std::string_view text) {
    if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
    LineReader reader(text);
    if (reader.at_end() || reader.next() != kHiveHeader)
        reader.fail("the file does not start with the header");

    Hive hive;
    HiveKey* current = nullptr;  // the section being read; stays valid until the next key is added
    while (!reader.at_end()) {
        const std::string_view line = reader.next();
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']') reader.fail("a key line does not end with ']'");
            const std::string_view path = line.substr(1, line.size() - 2);
            if (path.starts_with('-')) reader.fail("a key deletion has no place in a hive");
            if (!is_valid_key_path(path)) reader.fail("a key path is not valid");
            current = &hive.add_key(path);
            continue;
        }
        if (current == nullptr) reader.fail("a value comes before the first key");
        if (line.front() != '"' && line.front() != '@')
            reader.fail("a value line must start with '\"' or '@'");
        parse_value_line(line, *current, reader);
    }
    return hive;
}

}  // namespace velmora
