#include "base/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "base/error.hpp"
#include "base/memory_limit.hpp"

namespace velmora {

namespace {

std::string quoted_message(const char* what, const std::filesystem::path& path, int error_number) {
    return std::string(what) + " \"" + path_to_utf8(path) + "\". " + std::strerror(error_number);
}

[[noreturn]] void raise_cannot_open(const std::filesystem::path& path, int error_number) {
    throw Error(quoted_message("Cannot open file", path, error_number));
}

[[noreturn]] void raise_cannot_create(const std::filesystem::path& path, int error_number) {
    throw Error(quoted_message("Cannot create file", path, error_number));
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports the result; a failed close can mean lost data on some file systems.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// A name beside `path` that no other writer uses: hidden, with the process id and a counter.
std::filesystem::path temporary_name_for(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                       std::to_string(counter++) + ".tmp";
    return path.parent_path() / name;
}

// Reads until `size` bytes are in or the file ends; answers the count read.
std::size_t read_into(int fd, std::uint8_t* buffer, std::size_t size, const std::filesystem::path& path) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd, buffer + filled, size - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) raise_cannot_open(path, errno);
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

}  // namespace

std::string path_to_utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path path_from_utf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::vector<std::uint8_t> read_whole_file(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) raise_cannot_open(path, errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) raise_cannot_open(path, errno);
    if (S_ISDIR(info.st_mode)) raise_cannot_open(path, EISDIR);

    const std::uint64_t expected = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    std::vector<std::uint8_t> bytes = bounded_vector<std::uint8_t>(expected);
    try {
        std::size_t filled = read_into(file.get(), bytes.data(), bytes.size(), path);
        bytes.resize(filled);
        // A file may hold more than its size said (a pipe has no size at all): read on in blocks.
        std::uint8_t block[65536];
        while (filled == bytes.size()) {
            const std::size_t got = read_into(file.get(), block, sizeof block, path);
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

void write_file_atomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Durability durability) {
    const std::filesystem::path temporary = temporary_name_for(path);
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0) raise_cannot_create(path, errno);

    int failure = 0;
    std::size_t written = 0;
    while (written < bytes.size() && failure == 0) {
        const ssize_t put = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (put < 0 && errno != EINTR) failure = errno;
        if (put > 0) written += static_cast<std::size_t>(put);
    }
    if (failure == 0 && durability == Durability::kFlushToDisk && ::fsync(file.get()) != 0) failure = errno;
    if (file.close() != 0 && failure == 0) failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        throw Error(quoted_message("Cannot write file", path, failure));
    }
}

}  // namespace velmora
