// The whole-file helpers over POSIX descriptors; the reasons in messages are strerror's.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/file_io.hpp"
#include "base/file_io_platform.hpp"

namespace velmora {

namespace {

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

std::string reason(int error_number) {
    return std::strerror(error_number);
}

// An older file at `path` that this user may not write to. A rename would replace it all the same, where
// a plain create is refused; other reasons a path cannot be written are met by the steps that follow.
bool is_write_protected(const std::filesystem::path& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

}  // namespace

std::vector<std::uint8_t> read_whole_file(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) raise_cannot_open(path, reason(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) raise_cannot_open(path, reason(errno));
    if (S_ISDIR(info.st_mode)) raise_cannot_open(path, reason(EISDIR));

    const std::uint64_t expected = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return read_to_end(expected, [&](std::uint8_t* buffer, std::size_t size) -> std::size_t {
        while (true) {
            const ssize_t got = ::read(file.get(), buffer, size);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) raise_cannot_open(path, reason(errno));
        }
    });
}

void write_file_atomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Durability durability) {
    if (is_write_protected(path)) raise_cannot_create(path, reason(EACCES));
    const std::filesystem::path temporary = temporary_name_for(path, static_cast<unsigned long>(::getpid()));
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0) raise_cannot_create(path, reason(errno));

    int failure = 0;
    std::size_t written = 0;
    while (written < bytes.size() && failure == 0) {
        const ssize_t put = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (put < 0 && errno != EINTR) failure = errno;
        if (put > 0) written += static_cast<std::size_t>(put);
    }
    if (failure == 0 && durability == Durability::kFlushToDisk && ::fsync(file.get()) != 0) failure = errno;
    if (file.close() != 0 && failure == 0) failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        raise_cannot_write(path, reason(failure));
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int refusal = errno;
        ::unlink(temporary.c_str());
        raise_cannot_create(path, reason(refusal));
    }
}

}  // namespace velmora
