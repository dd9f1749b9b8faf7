// The settings store over the registry of Windows (Wine's, when the tests run under Wine): keys of the
// tests' own under HKEY_CURRENT_USER\Software\velmora_tests, set up and read back with advapi32 directly.
#include "settings/windows_registry.hpp"

#include <gtest/gtest.h>

#include <random>

#include "base/error.hpp"
#include "exported_settings.hpp"
#include "settings/settings_store.hpp"
#include "support/fake_settings_window.hpp"
#include "support/platform_support.hpp"

namespace velmora::test {
namespace {

constexpr wchar_t kTestsKey[] = L"Software\\velmora_tests";
constexpr wchar_t kSettingsKey[] = L"software\\kt_velmora_v2_en";

std::wstring fresh_test_key() {
    static std::mt19937 names{std::random_device{}()};
    return std::wstring(kTestsKey) + L"\\" + std::to_wstring(names());
}

HKEY created_key(const std::wstring& path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    return key;
}

// A fresh key of one test, the root of its registry; removed with everything under it at the end.
class TestRegistry {
  public:
    explicit TestRegistry(std::wstring path = fresh_test_key())
        : path_(std::move(path)), key_(created_key(path_)), root_(key_) {}
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;
    ~TestRegistry() {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }

    WindowsRegistry& root() { return root_; }
    void delete_key() { ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()), ERROR_SUCCESS); }
    bool settings_key_exists() const {
        HKEY settings = nullptr;
        if (RegOpenKeyExW(key_, kSettingsKey, 0, KEY_READ, &settings) != ERROR_SUCCESS) return false;
        RegCloseKey(settings);
        return true;
    }
    // Writes a value of any type into the settings key, as a user with the registry editor would.
    void set_value(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(key_, kSettingsKey, name, type, data, size), ERROR_SUCCESS);
    }
    void set_text(const wchar_t* name, const std::wstring& text) {
        set_value(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // The type and the byte count of a stored value.
    std::pair<DWORD, DWORD> stored(const wchar_t* name) const {
        DWORD type = 0;
        DWORD size = 0;
        RegGetValueW(key_, kSettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size);
        return {type, size};
    }

  private:
    std::wstring path_;
    HKEY key_;
    WindowsRegistry root_;
};

std::string error_of_load(FakeSettingsWindow& window, RegistryRoot& root) {
    try {
        load_settings(window, root);
    } catch (const Error& error) {
        return error.what();
    }
    return "<none>";
}

TEST(WindowsRegistry, AMissingKeyLeavesTheDesignValuesAndIsNotCreatedByLoading) {
    TestRegistry registry;
    FakeSettingsWindow window;
    load_settings(window, registry.root());
    EXPECT_EQ(window.width, "0");
    EXPECT_EQ(window.quality, 50);
    EXPECT_EQ(window.position, -1);
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_FALSE(registry.settings_key_exists());
}

TEST(WindowsRegistry, SavedSettingsAreStringValuesThatLoadBack) {
    TestRegistry registry;
    FakeSettingsWindow first_start;
    save_settings(first_start, registry.root());
    EXPECT_TRUE(registry.settings_key_exists());
    EXPECT_EQ(registry.stored(L"photo_width"), (std::pair<DWORD, DWORD>{REG_SZ, 4}));  // "0" and its null
    EXPECT_EQ(registry.stored(L"logo_position"), (std::pair<DWORD, DWORD>{REG_SZ, 2}));
    FakeSettingsWindow reloaded;
    load_settings(reloaded, registry.root());
    EXPECT_EQ(reloaded.width, "0");  // only a missing or empty value takes the default
    EXPECT_EQ(reloaded.position, 0);
    EXPECT_EQ(reloaded.refreshes, 1);

    FakeSettingsWindow chosen = test::exported_window();
    save_settings(chosen, registry.root());
    // 43 UTF-16 code units and the terminating null.
    EXPECT_EQ(registry.stored(L"logo_file_src"), (std::pair<DWORD, DWORD>{REG_SZ, 88}));
    FakeSettingsWindow again;
    load_settings(again, registry.root());
    test::expect_same_settings(again, chosen);
}

TEST(WindowsRegistry, ValuesOfOtherTypesStopLoadingAndStringsAreTakenLiterally) {
    TestRegistry registry;
    registry.set_text(L"photo_width", L"1024");
    registry.set_text(L"delete_exif", L"y");
    const DWORD quality = 80;
    registry.set_value(L"photo_quality", REG_DWORD, &quality, sizeof quality);
    registry.set_text(L"logo_position", L"Top left");
    FakeSettingsWindow window;
    EXPECT_EQ(error_of_load(window, registry.root()), "Invalid data type for 'photo_quality'");
    EXPECT_EQ(window.width, "1024");
    EXPECT_TRUE(window.delete_exif);
    EXPECT_EQ(window.quality, 50);
    EXPECT_EQ(window.position, -1);
    EXPECT_EQ(window.refreshes, 0);

    // Size 0 is empty text whatever the type; an expandable string is not expanded and ends at its
    // first null; string data without a terminating null is whole.
    registry.set_value(L"photo_width", REG_BINARY, nullptr, 0);
    registry.set_value(L"photo_quality", REG_SZ, L"93", 4);
    const wchar_t expandable[] = L"%SystemRoot%\\logo.png\0hidden";
    registry.set_value(L"logo_file_src", REG_EXPAND_SZ, expandable, sizeof expandable);
    FakeSettingsWindow literal;
    load_settings(literal, registry.root());
    EXPECT_EQ(literal.width, "800");
    EXPECT_EQ(literal.quality, 93);
    EXPECT_EQ(literal.position, 2);
    EXPECT_EQ(literal.logo_path, "%SystemRoot%\\logo.png");

    const std::uint8_t yes[] = {'y', 0, 0, 0};
    registry.set_value(L"delete_exif", REG_BINARY, yes, sizeof yes);
    FakeSettingsWindow binary;
    EXPECT_EQ(error_of_load(binary, registry.root()), "Invalid data type for 'delete_exif'");
}

TEST(WindowsRegistry, SavingUnderAKeyThatIsGoneFailsAtTheFirstValue) {
    TestRegistry registry;
    // Another program deletes the parent key while this one holds it open.
    registry.delete_key();
    FakeSettingsWindow window;
    try {
        save_settings(window, registry.root());
        FAIL() << "saved under a deleted key";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Failed to set data for 'photo_width'");
    }
}

// The file the Linux hive writes (tests/settings/settings_store_posix_test.cpp holds it to the hive's
// bytes) imported with the registry editor gives the same settings.
TEST(WindowsRegistry, TheRegistryEditorImportsTheLinuxHivesFile) {
    TestRegistry imported(std::wstring(kTestsKey) + L"\\imported");
    ASSERT_EQ(test::run_command("regedit /S " + test::shell_quoted(test::exported_file())), 0);
    FakeSettingsWindow window;
    load_settings(window, imported.root());
    test::expect_same_settings(window, test::exported_window());
}

}  // namespace
}  // namespace velmora::test
