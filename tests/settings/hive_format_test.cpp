#include "settings/hive_format.hpp"

#include <gtest/gtest.h>

#include "base/utf16.hpp"

namespace velmora {
namespace {

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\software\\kt_velmora_v2_en";

std::string hive_text(std::string_view body) {
    return std::string(kHiveHeader) + "\r\n\r\n[" + std::string(kKey) + "]\r\n" + std::string(body);
}

RegistryValue string_value(std::string_view text) {
    return {REG_SZ, utf16le_string_data(text)};
}

TEST(HiveFormat, EveryTypeAndAwkwardTextSurviveARoundTrip) {
    std::vector<std::uint8_t> long_binary(300);
    for (std::size_t i = 0; i < long_binary.size(); ++i) long_binary[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<NamedValue> values = {
        {"quotes", string_value("say \"hi\" to C:\\dir\\")},
        {"lines", string_value("first\r\nsecond\n")},
        {"letters", string_value("Фото, größe, 写真, 🙂")},
        {"empty", string_value("")},
        {"inner null", {REG_SZ, {0x41, 0, 0, 0, 0x42, 0, 0, 0}}},
        {"no terminator", {REG_SZ, {0x41, 0}}},
        {"odd bytes", {REG_SZ, {0x41, 0, 0}}},
        {"lone surrogate", {REG_SZ, {0x00, 0xD8, 0, 0}}},
        {"no data", {REG_SZ, {}}},
        {"expand", {REG_EXPAND_SZ, utf16le_string_data("%HOME%\\x")}},
        {"dword", {REG_DWORD, {0x2a, 0, 0, 0x80}}},
        {"short dword", {REG_DWORD, {1, 2}}},
        {"binary", {REG_BINARY, long_binary}},
        {"empty binary", {REG_BINARY, {}}},
        {"multi", {REG_MULTI_SZ, {0x61, 0, 0, 0, 0, 0}}},
        {"qword", {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {"odd type", {0xffff0000u, {9}}},
        {"", string_value("default value")},
        {"@", string_value("a name that looks like the default")},
    };
    Hive hive;
    HiveKey& key = hive.create_key(kKey);
    for (const NamedValue& entry : values) key.set_value(entry.name, entry.value);
    const std::string text = print_hive(hive);

    const Hive again = parse_hive(text);
    const HiveKey* read = again.find_key(kKey);
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->values().size(), values.size());
    for (const NamedValue& entry : values) {
        const RegistryValue* value = read->find_value(entry.name);
        ASSERT_NE(value, nullptr) << entry.name;
        EXPECT_EQ(*value, entry.value) << entry.name;
    }
    EXPECT_EQ(print_hive(again), text);

    // What a user reads in the file, and what the registry editor imports.
    EXPECT_TRUE(
        text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER]\r\n"
                         "\r\n[HKEY_CURRENT_USER\\software]\r\n"
                         "\r\n[HKEY_CURRENT_USER\\software\\kt_velmora_v2_en]\r\n"));
    EXPECT_NE(text.find("\r\n\"quotes\"=\"say \\\"hi\\\" to C:\\\\dir\\\\\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"letters\"=\"Фото, größe, 写真, 🙂\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"empty\"=\"\"\r\n"), std::string::npos);
    EXPECT_NE(
        text.find("\r\n\"lines\"=hex(1):66,00,69,00,72,00,73,00,74,00,0d,00,0a,00,73,00,65,00,63,00,6f,\\"
                  "\r\n  00,6e,00,64,00,0a,00,00,00\r\n"),
        std::string::npos);
    EXPECT_NE(text.find("\r\n\"dword\"=dword:8000002a\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"short dword\"=hex(4):01,02\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"empty binary\"=hex:\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"odd type\"=hex(ffff0000):09\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n@=\"default value\"\r\n"), std::string::npos);
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }
}

TEST(HiveFormat, FilesAreUtf16AfterAByteOrderMarkOrElseUtf8) {
    EXPECT_EQ(hive_file_bytes("[Д]"), (std::vector<std::uint8_t>{0xFF, 0xFE, '[', 0, 0x14, 0x04, ']', 0}));
    EXPECT_EQ(hive_file_text({0xFF, 0xFE, '[', 0, 0x14, 0x04, ']', 0}), "[Д]");
    EXPECT_EQ(hive_file_text({'[', 0xD0, 0x94, ']'}), "[Д]");  // UTF-8, as older files hold it
    EXPECT_EQ(hive_file_text({}), "");
    EXPECT_THROW(hive_file_text({0xFF, 0xFE, 0x00, 0xD8}), HiveFormatError);  // a lone surrogate
    EXPECT_THROW(hive_file_text({0xFF, 0xFE, 'W'}), HiveFormatError);         // an odd byte
}

TEST(HiveFormat, ReadsFilesEditedByHand) {
    const Hive hive = parse_hive(
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
        "; kept by hand\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\KT_Velmora_V2_EN]\n"
        "  \"Photo_Width\" = \"1024\"  \n"
        "\"photo_quality\"=dword:2A\n"
        "\"blob\"=hex:01, 02,\\\n"
        "    03\n"
        "[hkey_current_user\\software\\kt_velmora_v2_en]\n"
        "\"PHOTO_WIDTH\"=\"640\"\n");
    ASSERT_EQ(hive.keys().size(), 1u);  // the two sections of one key, merged; no parent is invented
    const HiveKey* key = hive.find_key("HKEY_CURRENT_USER\\SOFTWARE\\kt_velmora_v2_en");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->path(), "HKEY_CURRENT_USER\\Software\\KT_Velmora_V2_EN");
    ASSERT_EQ(key->values().size(), 3u);
    EXPECT_EQ(key->values()[0].name, "Photo_Width");
    EXPECT_EQ(*key->find_value("photo_width"), string_value("640"));
    EXPECT_EQ(*key->find_value("photo_quality"), (RegistryValue{REG_DWORD, {0x2a, 0, 0, 0}}));
    EXPECT_EQ(*key->find_value("BLOB"), (RegistryValue{REG_BINARY, {1, 2, 3}}));
    EXPECT_EQ(key->find_value("photo"), nullptr);
    EXPECT_TRUE(names_equal("Software", "sOFTWARE"));
    EXPECT_FALSE(names_equal("software", "softwares"));
}

TEST(HiveFormat, RefusesTextThatIsNotAHive) {
    const std::vector<std::string> broken = {
        "",
        "REGEDIT4\r\n",
        "Windows Registry Editor Version 5.00\r\n\"orphan\"=\"value\"\r\n",
        hive_text("\"a\"=\"unclosed\r\n"),
        hive_text("\"a\"=\"bad \\n escape\"\r\n"),
        hive_text("\"a\"=\"x\" trailing\r\n"),
        hive_text("\"a\"=hex:1,zz\r\n"),
        hive_text("\"a\"=hex:100\r\n"),
        hive_text("\"a\"=hex:01,\r\n"),
        hive_text("\"a\"=hex:01,\\\r\n"),
        hive_text("\"a\"=hex(:01\r\n"),
        hive_text("\"a\"=dword:123456789\r\n"),
        hive_text("\"a\"=dword:\r\n"),
        hive_text("\"a\"=-\r\n"),
        hive_text("\"a\"\r\n"),
        hive_text("a=\"b\"\r\n"),
        hive_text("\"\xC3\x28\"=\"not UTF-8\"\r\n"),
        hive_text("\"a\"=\"\xED\xA0\x80\"\r\n"),
        hive_text("[-HKEY_CURRENT_USER\\software]\r\n"),
        hive_text("[HKEY_CURRENT_USER\\\\software]\r\n"),
        hive_text("[HKEY_CURRENT_USER\\software\r\n"),
        hive_text("[" + std::string(256, 'k') + "]\r\n"),
    };
    for (const std::string& text : broken) {
        EXPECT_THROW(parse_hive(text), HiveFormatError) << text;
    }
    try {
        parse_hive(hive_text("\"a\"=\"1\"\r\n\"b\"=hex:0g\r\n"));
        FAIL() << "a bad byte was read";
    } catch (const HiveFormatError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "line 5: a byte list holds something other than two-digit hexadecimal bytes");
    }
}

}  // namespace
}  // namespace velmora
