// Whole files for tests: read and written in one go, failing loudly, independently of the program's own
// file helpers (which are under test).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Writes `text` as it stands, making the folders on the way.
void write_text_file(const std::filesystem::path& path, const std::string& text);

// A file of the JPEG test data, tests/data/jpeg/<name>.
std::filesystem::path jpeg_data(const std::string& name);

}  // namespace velmora::test
