#include "settings/settings_store.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "base/utf16.hpp"
#include "exported_settings.hpp"
#include "settings/file_hive.hpp"
#include "support/child_process.hpp"
#include "support/config_home.hpp"
#include "support/fake_settings_window.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

// A hive file holding the settings key with the given value lines.
void write_settings_key(const TemporaryConfigHome& home, const std::string& values) {
    write_text_file(home.hive_file(),
                    "Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_CURRENT_USER\\software\\kt_velmora_v2_en]\r\n" +
                        values);
}

std::string error_of_load(FakeSettingsWindow& window) {
    try {
        load_settings(window);
    } catch (const Error& error) {
        return error.what();
    }
    return "<none>";
}

TEST(SettingsStore, FirstStartAndAnEmptyKeyLeaveTheDesignValuesOrTheDefaults) {
    TemporaryConfigHome home;
    FakeSettingsWindow first_start;
    load_settings(first_start);
    EXPECT_EQ(first_start.width, "0");
    EXPECT_EQ(first_start.quality, 50);
    EXPECT_EQ(first_start.position, -1);
    EXPECT_EQ(first_start.refreshes, 0);
    EXPECT_FALSE(std::filesystem::exists(home.hive_folder()));  // loading creates nothing

    write_settings_key(home, "");
    FakeSettingsWindow empty_key;
    empty_key.delete_exif = true;
    load_settings(empty_key);
    EXPECT_EQ(empty_key.width, "800");
    EXPECT_FALSE(empty_key.delete_exif);
    EXPECT_EQ(empty_key.quality, 75);
    EXPECT_EQ(empty_key.quality_changes, 1);
    EXPECT_EQ(empty_key.position, 0);
    EXPECT_EQ(empty_key.inset_horizontal, "0");
    EXPECT_EQ(empty_key.inset_vertical, "0");
    EXPECT_EQ(empty_key.logo_path, "");
    EXPECT_EQ(empty_key.refreshes, 1);
}

TEST(SettingsStore, StoredTextIsAppliedByTheRulesOfEachControl) {
    TemporaryConfigHome home;
    struct Case {
        std::string quality, position, exif;
        int expected_quality, expected_position;
        bool expected_exif;
    };
    const std::vector<Case> cases = {
        {"0", "bottom right", "Y", 1, 0, false},         {"250", "", "yes", 100, 0, false},
        {"abc", "Bottom right", "y", 75, 5, true},       {"50", "Top left", "n", 50, 2, false},
        {"-7", "Bottom right ", "y ", 1, 0, false},      {"+100", "Center of the Image", "", 100, 1, false},
        {"99999999999", "Not to put", "y", 75, 0, true},
    };
    for (const Case& c : cases) {
        write_settings_key(home, "\"photo_width\"=\"1234567\"\r\n\"delete_exif\"=\"" + c.exif +
                                     "\"\r\n\"photo_quality\"=\"" + c.quality + "\"\r\n\"logo_position\"=\"" +
                                     c.position +
                                     "\"\r\n\"logo_padding_vertical\"=\"\"\r\n"
                                     "\"logo_padding_horizontal\"=\"abc\"\r\n"
                                     "\"logo_file_src\"=hex(2):2f,00,6c,00,00,00,78,00,00,00\r\n");
        FakeSettingsWindow window;
        window.position = 3;
        load_settings(window);
        EXPECT_EQ(window.width, "1234567");
        EXPECT_EQ(window.quality, c.expected_quality) << c.quality;
        EXPECT_EQ(window.quality_changes, c.expected_quality == 50 ? 0 : 1) << c.quality;
        EXPECT_EQ(window.position, c.expected_position) << c.position;
        EXPECT_EQ(window.delete_exif, c.expected_exif) << c.exif;
        EXPECT_EQ(window.inset_horizontal, "abc");
        EXPECT_EQ(window.inset_vertical, "0");
        EXPECT_EQ(window.logo_path, "/l");  // an expandable string taken literally, cut at its null
        EXPECT_EQ(window.refreshes, 1);
    }
}

TEST(SettingsStore, AValueOfAnotherTypeStopsLoadingThere) {
    TemporaryConfigHome home;
    write_settings_key(
        home,
        "\"photo_width\"=\"1024\"\r\n\"delete_exif\"=\"y\"\r\n\"photo_quality\"=dword:00000050\r\n"
        "\"logo_position\"=\"Top left\"\r\n\"logo_padding_horizontal\"=\"5\"\r\n");
    FakeSettingsWindow window;
    EXPECT_EQ(error_of_load(window), "Invalid data type for 'photo_quality'");
    EXPECT_EQ(window.width, "1024");
    EXPECT_TRUE(window.delete_exif);
    EXPECT_EQ(window.quality, 50);
    EXPECT_EQ(window.position, -1);
    EXPECT_EQ(window.inset_horizontal, "0");
    EXPECT_EQ(window.refreshes, 0);

    // A value of size 0 is empty text whatever its type; a binary one with data is not text.
    write_settings_key(home, "\"photo_width\"=hex:\r\n\"delete_exif\"=hex:79,00,00,00\r\n");
    FakeSettingsWindow binary;
    EXPECT_EQ(error_of_load(binary), "Invalid data type for 'delete_exif'");
    EXPECT_EQ(binary.width, "800");
}

TEST(SettingsStore, SavedValuesReadBackAsTheyWereShown) {
    TemporaryConfigHome home;
    FakeSettingsWindow first_start;
    save_settings(first_start);
    const std::string text = read_text_file(home.hive_file());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\software\\kt_velmora_v2_en]\r\n"
                        "\"photo_width\"=\"0\"\r\n\"delete_exif\"=\"n\"\r\n\"photo_quality\"=\"50\"\r\n"
                        "\"logo_position\"=\"\"\r\n\"logo_padding_horizontal\"=\"0\"\r\n"
                        "\"logo_padding_vertical\"=\"0\"\r\n\"logo_file_src\"=\"\"\r\n"),
              std::string::npos)
        << text;
    FakeSettingsWindow reloaded;
    load_settings(reloaded);
    EXPECT_EQ(reloaded.width, "0");  // only a missing or empty value takes the default
    EXPECT_EQ(reloaded.position, 0);
    EXPECT_EQ(reloaded.quality, 50);
    EXPECT_EQ(reloaded.quality_changes, 0);

    FakeSettingsWindow chosen = test::exported_window();
    save_settings(chosen);
    FakeSettingsWindow again;
    load_settings(again);
    test::expect_same_settings(again, chosen);
}

TEST(SettingsStore, SavingIntoAReadOnlyFolderFailsAtTheFirstValue) {
    TemporaryConfigHome home;
    std::filesystem::create_directories(home.hive_folder());
    std::filesystem::permissions(home.path(),
                                 std::filesystem::perms::owner_all | std::filesystem::perms::others_exec);
    std::filesystem::permissions(
        home.hive_folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const int outcome = run_in_child(
        [] {
            FakeSettingsWindow window;
            try {
                save_settings(window);
            } catch (const Error& error) {
                return std::string(error.what()) == "Failed to set data for 'photo_width'" ? 0 : 2;
            }
            return 1;
        },
        true);
    EXPECT_EQ(outcome, 0);
    EXPECT_TRUE(std::filesystem::is_empty(home.hive_folder()));
}

// The file the registry editor of Windows imports in the Windows tests, written here by the hive.
TEST(SettingsStore, SavedSettingsAreTheFileTheRegistryEditorImports) {
    TestFolder folder;
    FileHive hive(folder.path() / "exported.reg", std::string(test::kExportedRootKey));
    FakeSettingsWindow window = test::exported_window();
    save_settings(window, hive);
    EXPECT_EQ(read_whole_file(hive.file()), read_whole_file(test::exported_file()));
    FakeSettingsWindow loaded;
    load_settings(loaded, hive);
    test::expect_same_settings(loaded, window);
}

}  // namespace
}  // namespace velmora::test
