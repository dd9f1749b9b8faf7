#include "settings/file_hive.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "base/utf16.hpp"
#include "settings/hive_format.hpp"
#include "support/child_process.hpp"
#include "support/config_home.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

constexpr std::string_view kPath = "software\\kt_velmora_v2_en";

std::string stored_text(FileHive& hive, std::string_view path, std::string_view name) {
    RegistryKey key;
    if (!key.open(hive, path)) return "<no key>";
    const ValueQuery query = key.query_value(name);
    if (query.status != ValueQuery::Status::kFound) return "<no value>";
    return text_of_string_data(query.value.data);
}

TEST(FileHive, LivesInTheConfigurationFolderOfTheUser) {
    TemporaryConfigHome home;
    EXPECT_EQ(FileHive::current_user_file(), home.hive_file());
    const std::string saved_home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(FileHive::current_user_file(), "/home/someone/.config/velmora/HKEY_CURRENT_USER.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(FileHive::current_user_file(), "/home/someone/.config/velmora/HKEY_CURRENT_USER.reg");
    ::setenv("HOME", saved_home.c_str(), 1);
}

TEST(FileHive, CreatesKeysWithTheirParentsAndKeepsStringsAsTheRegistryDoes) {
    TemporaryConfigHome home;
    FileHive hive(FileHive::current_user_file());
    RegistryKey key;
    EXPECT_FALSE(key.open(hive, kPath));  // no file yet: quietly not opened
    EXPECT_FALSE(std::filesystem::exists(home.hive_folder()));

    ASSERT_TRUE(key.create(hive, kPath));
    EXPECT_EQ(read_text_file(home.hive_file()),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER]\r\n\r\n"
              "[HKEY_CURRENT_USER\\software]\r\n\r\n[HKEY_CURRENT_USER\\software\\kt_velmora_v2_en]\r\n\r\n");
    key.set_string("photo_width", "1024");
    key.set_string("logo_file_src", "/home/ана/logo \"2\".png");
    key.set_string("photo_width", "640");  // replaces the whole value, keeps its place
    const ValueQuery query = key.query_value("PHOTO_WIDTH");
    EXPECT_EQ(query.status, ValueQuery::Status::kFound);
    EXPECT_EQ(query.value, (RegistryValue{REG_SZ, {'6', 0, '4', 0, '0', 0, 0, 0}}));  // 3 × 2 + 2 bytes
    key.close();
    EXPECT_THROW(key.set_string("photo_width", "1"), Error);  // a closed key takes no writes

    EXPECT_EQ(read_text_file(home.hive_file()),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER]\r\n\r\n"
              "[HKEY_CURRENT_USER\\software]\r\n\r\n[HKEY_CURRENT_USER\\software\\kt_velmora_v2_en]\r\n"
              "\"photo_width\"=\"640\"\r\n\"logo_file_src\"=\"/home/ана/logo \\\"2\\\".png\"\r\n\r\n");
    // On disk: the byte order mark FF FE, then the text in UTF-16LE, the form the registry editor imports.
    const std::vector<std::uint8_t> on_disk = read_whole_file(home.hive_file());
    ASSERT_GE(on_disk.size(), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(on_disk.begin(), on_disk.begin() + 4),
              (std::vector<std::uint8_t>{0xFF, 0xFE, 'W', 0}));
    EXPECT_EQ(on_disk.size(), 2 + 2 * utf16_of_utf8(read_text_file(home.hive_file())).size());
    FileHive other(home.hive_file());
    EXPECT_EQ(stored_text(other, "SOFTWARE\\KT_Velmora_V2_EN", "Logo_File_Src"), "/home/ана/logo \"2\".png");
    EXPECT_EQ(stored_text(other, "software", "photo_width"), "<no value>");
    EXPECT_EQ(stored_text(other, "software\\other", "photo_width"), "<no key>");
    EXPECT_FALSE(key.open(other, "software\\\\kt_velmora_v2_en"));

    // A key opened without creating it writes through to the file too.
    ASSERT_TRUE(key.open(other, kPath));
    key.set_string("delete_exif", "y");
    key.close();
    EXPECT_EQ(stored_text(hive, kPath, "delete_exif"), "y");
    EXPECT_EQ(stored_text(hive, kPath, "photo_width"), "640");
    // Only the hive and its lock file are left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.hive_folder()), {}), 2);
}

TEST(FileHive, ACorruptFileIsNeverOverwrittenButMovedAside) {
    TemporaryConfigHome home;
    const std::string first = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\software\r\n";
    write_text_file(home.hive_file(), first);
    FileHive hive(home.hive_file());
    RegistryKey key;
    EXPECT_FALSE(key.open(hive, kPath));
    EXPECT_EQ(read_text_file(home.hive_file()), first);

    ASSERT_TRUE(key.create(hive, kPath));
    key.set_string("photo_width", "800");
    key.close();
    const auto corrupt = home.hive_folder() / "HKEY_CURRENT_USER.reg.corrupt";
    EXPECT_EQ(read_text_file(corrupt), first);
    EXPECT_EQ(stored_text(hive, kPath, "photo_width"), "800");

    // A second corrupt file does not replace the first one moved aside.
    const std::string second = "not a hive at all\n";
    write_text_file(home.hive_file(), second);
    ASSERT_TRUE(key.create(hive, kPath));
    key.close();
    EXPECT_EQ(read_text_file(corrupt), first);
    EXPECT_EQ(read_text_file(home.hive_folder() / "HKEY_CURRENT_USER.reg.corrupt.2"), second);
    EXPECT_EQ(stored_text(hive, kPath, "photo_width"), "<no value>");
}

TEST(FileHive, RefusedAccessMakesEveryOpenFail) {
    TemporaryConfigHome home;
    FileHive hive(home.hive_file());
    {
        RegistryKey key;
        ASSERT_TRUE(key.create(hive, kPath));
        key.set_string("photo_width", "800");
    }
    const std::string before = read_text_file(home.hive_file());
    std::filesystem::permissions(home.path(), std::filesystem::perms::owner_all |
                                                  std::filesystem::perms::group_exec |
                                                  std::filesystem::perms::others_exec);
    const auto read_only_folder = [&] {
        std::filesystem::permissions(home.hive_folder(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec |
                                                             std::filesystem::perms::others_read |
                                                             std::filesystem::perms::others_exec);
        std::filesystem::permissions(home.hive_file(), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_write |
                                                           std::filesystem::perms::others_read);
    };
    const auto opens = [&](bool create) {
        return run_in_child(
            [&] {
                RegistryKey key;
                const bool opened = create ? key.create(hive, kPath) : key.open(hive, kPath);
                try {
                    key.set_string("photo_width", "1");
                } catch (const Error&) {
                    return opened ? 1 : 0;
                }
                return (opened ? 1 : 0) + 2;
            },
            true);
    };
    read_only_folder();
    EXPECT_EQ(opens(false), 0);
    EXPECT_EQ(opens(true), 0);
    std::filesystem::permissions(home.hive_folder(), std::filesystem::perms::all);
    std::filesystem::permissions(home.hive_file(), std::filesystem::perms::none);
    EXPECT_EQ(opens(false), 0);
    EXPECT_EQ(opens(true), 0);
    std::filesystem::permissions(home.hive_file(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(read_text_file(home.hive_file()), before);
}

TEST(FileHive, AWriteThatFailsOnAnOpenKeyRaisesTheSystemsReason) {
    TemporaryConfigHome home;
    std::filesystem::permissions(home.path(), std::filesystem::perms::all);
    const int outcome = run_in_child(
        [&] {
            // A configuration folder of the child's own, so that it can take away its own right to write.
            ::setenv("XDG_CONFIG_HOME", (home.path() / "user").c_str(), 1);
            FileHive hive(FileHive::current_user_file());
            RegistryKey key;
            if (!key.create(hive, kPath)) return 1;
            key.set_string("photo_width", "800");
            std::filesystem::permissions(hive.file().parent_path(), std::filesystem::perms::owner_read |
                                                                        std::filesystem::perms::owner_exec);
            try {
                key.set_string("photo_width", "1024");
            } catch (const Error& error) {
                if (error.what() != "Cannot create file \"" + hive.file().string() + "\". Permission denied")
                    return 3;
                return read_text_file(hive.file()).find("\"photo_width\"=\"800\"") != std::string::npos ? 0
                                                                                                        : 4;
            }
            return 2;
        },
        true);
    EXPECT_EQ(outcome, 0);
}

}  // namespace
}  // namespace velmora::test
