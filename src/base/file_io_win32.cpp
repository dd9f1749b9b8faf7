// The whole-file helpers over the wide-character Win32 API; the reasons in messages are the system's
// own (FormatMessageW).
#include <windows.h>

#include <algorithm>

#include "base/file_io.hpp"
#include "base/file_io_platform.hpp"
#include "base/win32_text.hpp"

namespace velmora {

namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (is_open()) CloseHandle(handle_);
    }
    bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now and reports the result, which can carry a failure to write cached data.
    bool close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

std::string last_reason() {
    return system_message(GetLastError());
}

// ReadFile and WriteFile take at most 4 GiB - 1 bytes a call; a gigabyte at a time stays well inside.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

// Writes all of `bytes`; answers 0 or the error code of the write that failed.
DWORD write_all(HANDLE file, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size() - written, kMaxTransfer));
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &put, nullptr)) return GetLastError();
        written += put;
    }
    return 0;
}

}  // namespace

std::vector<std::uint8_t> read_whole_file(const std::filesystem::path& path) {
    // Others may read the file meanwhile, but not write it: the bytes read are one version of it.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.is_open()) raise_cannot_open(path, last_reason());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) raise_cannot_open(path, last_reason());

    const std::uint64_t expected = size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    return read_to_end(expected, [&](std::uint8_t* buffer, std::size_t wanted) -> std::size_t {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, static_cast<DWORD>(std::min(wanted, kMaxTransfer)), &got, nullptr))
            raise_cannot_open(path, last_reason());
        return got;
    });
}

void write_file_atomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Durability durability) {
    // A read-only older file refuses a plain create; a move would replace it all the same on some systems.
    const DWORD older = GetFileAttributesW(path.c_str());
    if (older != INVALID_FILE_ATTRIBUTES && (older & FILE_ATTRIBUTE_READONLY) != 0)
        raise_cannot_create(path, system_message(ERROR_ACCESS_DENIED));
    const std::filesystem::path temporary = temporary_name_for(path, GetCurrentProcessId());
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.is_open()) raise_cannot_create(path, last_reason());

    DWORD failure = write_all(file.get(), bytes);
    if (failure == 0 && durability == Durability::kFlushToDisk && !FlushFileBuffers(file.get()))
        failure = GetLastError();
    if (!file.close() && failure == 0) failure = GetLastError();
    if (failure != 0) {
        DeleteFileW(temporary.c_str());
        raise_cannot_write(path, system_message(failure));
    }
    // Replaces an older file of that name in one step; write-through returns only once the move is on
    // the disk.
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD refusal = GetLastError();
        DeleteFileW(temporary.c_str());
        raise_cannot_create(path, system_message(refusal));
    }
}

}  // namespace velmora
