// One window's settings as the Linux hive writes them into tests/data/settings/exported.reg, and as the
// registry editor of Windows must import that file: the tests of both platforms hold to the one file.
// The key sits under a parent of the tests' own, so that importing it touches no real settings.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

#include "support/fake_settings_window.hpp"

namespace velmora::test {

inline constexpr std::string_view kExportedRootKey = "HKEY_CURRENT_USER\\Software\\velmora_tests\\imported";

inline FakeSettingsWindow exported_window() {
    FakeSettingsWindow window;
    window.width = "1234567";
    window.delete_exif = true;
    window.quality = 100;
    window.position = 5;
    window.inset_horizontal = "12";
    window.inset_vertical = "-3";
    window.logo_path = "C:\\Users\\Анна\\Логотипы и знаки\\\"знак\" 1.png";
    return window;
}

inline std::filesystem::path exported_file() {
    return std::filesystem::path(VELMORA_TEST_DATA_DIR) / "settings" / "exported.reg";
}

inline void expect_same_settings(const FakeSettingsWindow& shown, const FakeSettingsWindow& expected) {
    EXPECT_EQ(shown.width, expected.width);
    EXPECT_EQ(shown.delete_exif, expected.delete_exif);
    EXPECT_EQ(shown.quality, expected.quality);
    EXPECT_EQ(shown.position, expected.position);
    EXPECT_EQ(shown.inset_horizontal, expected.inset_horizontal);
    EXPECT_EQ(shown.inset_vertical, expected.inset_vertical);
    EXPECT_EQ(shown.logo_path, expected.logo_path);
}

}  // namespace velmora::test
