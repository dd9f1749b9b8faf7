// What the platform files of the whole-file helpers (file_io_posix.cpp, file_io_win32.cpp) share: the
// messages, the name of the temporary file a write goes to, and reading a file of unknown length.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/memory_limit.hpp"

namespace velmora {

// Cannot open file "<full path>". <reason>, and the same for "create" and "write".
[[noreturn]] void raise_cannot_open(const std::filesystem::path& path, const std::string& reason);
[[noreturn]] void raise_cannot_create(const std::filesystem::path& path, const std::string& reason);
[[noreturn]] void raise_cannot_write(const std::filesystem::path& path, const std::string& reason);

// A name beside `path` that no other writer uses: hidden on POSIX, with the process id and a counter.
std::filesystem::path temporary_name_for(const std::filesystem::path& path, unsigned long process_id);

// Every byte of a file said to hold `expected` bytes, read with read_some(buffer, size), which answers
// how many bytes it put into the buffer (0 at the end) and raises on failure. A file may hold more than
// its size said (a pipe has no size at all), so reading goes on in blocks to the end. More than the
// picture bound, or more than the system will give, raises "Out of memory".
template <class ReadSome>
std::vector<std::uint8_t> read_to_end(std::uint64_t expected, ReadSome read_some) {
    std::vector<std::uint8_t> bytes = bounded_vector<std::uint8_t>(expected);
    const auto fill = [&](std::uint8_t* buffer, std::size_t size) {
        std::size_t filled = 0;
        while (filled < size) {
            const std::size_t got = read_some(buffer + filled, size - filled);
            if (got == 0) break;
            filled += got;
        }
        return filled;
    };
    try {
        std::size_t filled = fill(bytes.data(), bytes.size());
        bytes.resize(filled);
        std::uint8_t block[65536];
        while (filled == bytes.size()) {
            const std::size_t got = fill(block, sizeof block);
            if (got == 0) break;
            check_allocation(bytes.size() + got);
            bytes.insert(bytes.end(), block, block + got);
            filled = bytes.size();
        }
    } catch (const std::bad_alloc&) {
        raise_out_of_memory();
    }
    return bytes;
}

}  // namespace velmora
