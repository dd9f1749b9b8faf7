// The registry on Linux: one user's hive kept as a text file in the export format (hive_format.hpp),
// $XDG_CONFIG_HOME/velmora/HKEY_CURRENT_USER.reg, or ~/.config/velmora/ when the variable is unset.
//
// Every write replaces the whole file atomically (a flushed temporary file renamed over it) while an
// advisory lock on a lock file beside it is held across the read-modify-write, so a crash leaves the old
// or the new file and two programs writing at once lose none of each other's values. A key opened for
// writing holds that lock until it is closed; a key opened for reading reads the file once and takes the
// lock only to write.
//
// A file that cannot be parsed is never overwritten: no key in it can be opened, and opening for writing
// first moves it aside as HKEY_CURRENT_USER.reg.corrupt (or .corrupt.2, .corrupt.3, ... when that name
// is taken). A folder or file that cannot be read and written makes every open fail.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "settings/registry_key.hpp"

namespace velmora {

class FileHive : public RegistryRoot {
  public:
    // `file` holds the hive; its key lines start with `root_name`.
    explicit FileHive(std::filesystem::path file, std::string root_name = "HKEY_CURRENT_USER");

    // The current user's hive file, velmora/HKEY_CURRENT_USER.reg in the configuration folder, from the
    // environment at the time of the call.
    static std::filesystem::path current_user_file();

    const std::filesystem::path& file() const { return file_; }

    std::unique_ptr<OpenRegistryKey> open_existing(std::string_view path) override;
    std::unique_ptr<OpenRegistryKey> open_or_create(std::string_view path) override;

  private:
    std::filesystem::path file_;
    std::string root_name_;
};

}  // namespace velmora
