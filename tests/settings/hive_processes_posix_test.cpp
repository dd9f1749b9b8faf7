// Several processes and sudden deaths against one hive file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/utf16.hpp"
#include "settings/file_hive.hpp"
#include "settings/hive_format.hpp"
#include "settings/settings_store.hpp"
#include "support/config_home.hpp"
#include "support/fake_settings_window.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

constexpr std::string_view kKeyPath = "HKEY_CURRENT_USER\\software\\kt_velmora_v2_en";
const std::vector<std::string> kNames = {
    "photo_width",           "delete_exif",  "photo_quality", "logo_position", "logo_padding_horizontal",
    "logo_padding_vertical", "logo_file_src"};

// The file parsed, failing the test when it is not a hive.
Hive hive_in(const std::filesystem::path& file) {
    const std::string text = read_text_file(file);
    try {
        return parse_hive(text);
    } catch (const HiveFormatError& error) {
        ADD_FAILURE() << "the hive is torn: " << error.what();
        return {};
    }
}

std::string text_in(const Hive& hive, std::string_view key_path, std::string_view name) {
    const HiveKey* key = hive.find_key(key_path);
    const RegistryValue* value = key == nullptr ? nullptr : key->find_value(name);
    return value == nullptr ? "<missing>" : text_of_string_data(value->data);
}

// A hive holding, besides the settings, `count` values of another program, so that a save takes long
// enough to be caught in the middle.
void write_other_values(const std::filesystem::path& file, int count) {
    Hive hive;
    HiveKey& other = hive.add_key("HKEY_CURRENT_USER\\software\\other program");
    for (int i = 0; i < count; ++i) {
        other.set_value("value " + std::to_string(i),
                        {REG_SZ, utf16le_string_data("some text " + std::to_string(i))});
    }
    std::filesystem::create_directories(file.parent_path());
    write_text_file(file, print_hive(hive));
}

TEST(HiveProcesses, AProgramKilledInTheMiddleOfASaveLeavesAWholeFile) {
    TemporaryConfigHome home;
    constexpr int kOtherValues = 20000;
    write_other_values(home.hive_file(), kOtherValues);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            FakeSettingsWindow window;
            for (int save = 0;; ++save) {
                window.width = std::to_string(save);
                window.logo_path = std::string(static_cast<std::size_t>(save % 50), 'p');
                save_settings(window);
            }
        }
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(40 + 17 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const Hive hive = hive_in(home.hive_file());
        const HiveKey* other = hive.find_key("HKEY_CURRENT_USER\\software\\other program");
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->values().size(), static_cast<std::size_t>(kOtherValues));
    }
    // The lock died with the child; the next save goes through and clears the dead writer's leftovers.
    FakeSettingsWindow window;
    window.width = "after";
    save_settings(window);
    EXPECT_EQ(text_in(hive_in(home.hive_file()), kKeyPath, "photo_width"), "after");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.hive_folder()), {}), 2);
}

FakeSettingsWindow window_of(char letter) {
    FakeSettingsWindow window;
    window.width = std::string(3, letter);
    window.delete_exif = letter == 'a';
    window.quality = letter == 'a' ? 11 : 22;
    window.position = letter == 'a' ? 2 : 5;
    window.inset_horizontal = std::string(1, letter);
    window.inset_vertical = std::string(2, letter);
    window.logo_path = "/logos/" + std::string(1, letter) + ".png";
    return window;
}

std::vector<std::string> stored_texts(const Hive& hive) {
    std::vector<std::string> texts;
    for (const std::string& name : kNames) texts.push_back(text_in(hive, kKeyPath, name));
    return texts;
}

TEST(HiveProcesses, TwoProgramsSavingAtOnceLoseNoValue) {
    TemporaryConfigHome home;
    write_other_values(home.hive_file(), 100);
    std::vector<pid_t> children;
    for (const char letter : {'a', 'b'}) {
        const pid_t child = ::fork();
        if (child == 0) {
            FakeSettingsWindow window = window_of(letter);
            for (int save = 0; save < 200; ++save) save_settings(window);
            ::_exit(0);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const Hive hive = hive_in(home.hive_file());
    std::vector<std::vector<std::string>> expected;
    for (const char letter : {'a', 'b'}) {
        TemporaryConfigHome alone;
        FakeSettingsWindow window = window_of(letter);
        save_settings(window);
        expected.push_back(stored_texts(hive_in(alone.hive_file())));
    }
    const std::vector<std::string> stored = stored_texts(hive);
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        EXPECT_TRUE(stored[i] == expected[0][i] || stored[i] == expected[1][i])
            << kNames[i] << ": " << stored[i];
    }
    EXPECT_EQ(hive.find_key("HKEY_CURRENT_USER\\software\\other program")->values().size(), 100u);
}

}  // namespace
}  // namespace velmora::test
