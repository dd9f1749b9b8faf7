// The user's pictures folder, read from user-dirs.dirs as the desktop's tools write that file.
#include "base/user_folders.hpp"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "base/file_io.hpp"
#include "support/config_home.hpp"
#include "support/test_folder.hpp"
#include "support/whole_file.hpp"

namespace velmora::test {
namespace {

class UserPicturesFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* home = std::getenv("HOME")) saved_home_ = home;
        ::setenv("HOME", home().c_str(), 1);
    }
    void TearDown() override {
        if (saved_home_) {
            ::setenv("HOME", saved_home_->c_str(), 1);
        } else {
            ::unsetenv("HOME");
        }
    }
    const std::filesystem::path& home() const { return home_.path(); }
    std::filesystem::path user_dirs_file() const { return config_.path() / "user-dirs.dirs"; }
    std::filesystem::path pictures_with(const std::string& user_dirs) {
        write_text_file(user_dirs_file(), user_dirs);
        return user_pictures_folder();
    }

  private:
    TestFolder home_;
    TemporaryConfigHome config_;
    std::optional<std::string> saved_home_;
};

TEST_F(UserPicturesFolder, TheLastPicturesLineNamesTheFolder) {
    EXPECT_EQ(pictures_with("# This file is written by xdg-user-dirs-update\n"
                            "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"),
              home() / "Bilder");
    EXPECT_EQ(pictures_with("XDG_PICTURES_DIR=\"/srv/photos/\"\r\n"), "/srv/photos");
    EXPECT_EQ(pictures_with("XDG_PICTURES_DIR=\"$HOME/first\"\n"
                            "  XDG_PICTURES_DIR=\"$HOME/My \\\"best\\\" pictures\"  # renamed\n"),
              home() / "My \"best\" pictures");
    EXPECT_EQ(pictures_with("XDG_PICTURES_DIR=$HOME/unquoted # note\n"), home() / "unquoted");
    EXPECT_EQ(pictures_with("XDG_PICTURES_DIR=\"$HOME/Фото\"\n"), home() / path_from_utf8("Фото"));
    // The desktop's tools write "$HOME/" for a pictures folder the user switched off: the home folder.
    EXPECT_EQ(pictures_with("XDG_PICTURES_DIR=\"$HOME/\"\n"), home());
}

TEST_F(UserPicturesFolder, PicturesInTheHomeFolderWhenTheFileNamesNoUsableFolder) {
    const std::filesystem::path fallback = home() / "Pictures";
    EXPECT_EQ(user_pictures_folder(), fallback);  // no file at all
    for (const std::string& user_dirs :
         {std::string(), std::string("XDG_DESKTOP_DIR=\"/desktop\"\n"),
          std::string("XDG_PICTURES_DIR=\"\"\n"), std::string("XDG_PICTURES_DIR=\"relative/pictures\"\n"),
          std::string("XDG_PICTURES_DIR=\"$HOMEWORK/pictures\"\n"),
          std::string("# XDG_PICTURES_DIR=\"/commented/out\"\n"),
          std::string("XDG_PICTURES_DIRS=\"/other\"\n"),
          std::string("XDG_PICTURES_DIR=\"/srv/photos\"\nXDG_PICTURES_DIR=\"\"\n"),
          std::string(70000, '#') + "\nXDG_PICTURES_DIR=\"/beyond/what/such/a/file/holds\"\n"})
        EXPECT_EQ(pictures_with(user_dirs), fallback) << user_dirs.substr(0, 80);

    // A pipe in the file's place does not hold the program up.
    std::filesystem::remove(user_dirs_file());
    ASSERT_EQ(::mkfifo(user_dirs_file().c_str(), 0600), 0);
    EXPECT_EQ(user_pictures_folder(), fallback);

    // Without $HOME, the home folder of the user's account.
    ::unsetenv("HOME");
    const passwd* account = ::getpwuid(::geteuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(user_pictures_folder(), std::filesystem::path(account->pw_dir) / "Pictures");
}

}  // namespace
}  // namespace velmora::test
