// Whole-file reads and writes with the platform's messages:
//   Cannot open file "<full path>". <system reason>
//   Cannot create file "<full path>". <system reason>
// Paths are std::filesystem::path; their text for messages and the window is UTF-8.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"

namespace velmora {

// The failure to create a file: "Cannot create file "<full path>". <reason>". It keeps the path, so that
// a caller who knows better why the file could not be created (its folder could not be made) can say so.
class CannotCreateFile : public Error {
  public:
    CannotCreateFile(const std::filesystem::path& path, const std::string& reason);
    const std::filesystem::path& path() const noexcept { return path_; }

  private:
    std::filesystem::path path_;
};

std::string path_to_utf8(const std::filesystem::path& path);
std::filesystem::path path_from_utf8(std::string_view text);

// Reads every byte of the file. Others may read the file meanwhile. A file larger than the picture bound
// raises "Out of memory".
std::vector<std::uint8_t> read_whole_file(const std::filesystem::path& path);

enum class Durability { kRenameOnly, kFlushToDisk };

// Writes `bytes` as the whole content of `path`, creating it or replacing it. The bytes go to a temporary
// file in the same folder, which is renamed over `path` only once it is complete, so a failure (a full
// disk, a removed folder) leaves no truncated file and an older file of that name intact.
// kFlushToDisk also flushes the data to the disk before the rename, so a crash leaves old or new content.
// An older file that this user may not write is not replaced, as a plain create would not overwrite it:
// that, and a rename that fails, raise CannotCreateFile; a failure to write the bytes "Cannot write file".
void write_file_atomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Durability durability = Durability::kRenameOnly);

}  // namespace velmora
