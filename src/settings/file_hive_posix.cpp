#include "settings/file_hive.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <tuple>
#include <utility>

#include "base/file_io.hpp"
#include "base/folder_access.hpp"
#include "base/user_folders.hpp"
#include "settings/hive_format.hpp"

namespace velmora {

namespace {

// An exclusive advisory lock on "<hive>.lock", released when the descriptor closes. The lock file is
// never removed: removing it would let two writers lock two different files.
class HiveLock {
  public:
    explicit HiveLock(int fd) : fd_(fd) {}
    HiveLock(HiveLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    HiveLock& operator=(HiveLock&&) = delete;
    ~HiveLock() {
        if (fd_ >= 0) ::close(fd_);
    }

  private:
    int fd_;
};

std::filesystem::path with_suffix(const std::filesystem::path& file, const std::string& suffix) {
    std::filesystem::path out = file;
    out += suffix;
    return out;
}

std::optional<HiveLock> acquire_lock(const std::filesystem::path& file) {
    const int fd = ::open(with_suffix(file, ".lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return std::nullopt;
    HiveLock lock(fd);
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) return std::nullopt;
    }
    return lock;
}

// Read and write access as the registry grants it: the folder must take new files (the replacement is
// renamed into it) and an existing hive file must be readable and writable.
bool access_granted(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    if (!may_create_in(folder)) return false;
    if (::faccessat(AT_FDCWD, file.c_str(), F_OK, AT_EACCESS) != 0) return errno == ENOENT;
    return ::faccessat(AT_FDCWD, file.c_str(), R_OK | W_OK, AT_EACCESS) == 0;
}

// The hive in the file, or nothing when there is no file. Raises Error when the file cannot be read and
// HiveFormatError when it is not a hive.
std::optional<Hive> read_hive(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 && errno == ENOENT) return std::nullopt;
    return parse_hive(hive_file_text(read_whole_file(file)));
}

// Replaces the file by rename: whoever reads it, and a crash of this program at any moment, sees the old
// or the new file whole. Reaching the disk is left to flush_to_disk, once per opened key.
void write_hive_text(const std::filesystem::path& file, const std::string& text) {
    write_file_atomically(file, hive_file_bytes(text), Durability::kRenameOnly);
}

void write_hive(const std::filesystem::path& file, const Hive& hive) {
    write_hive_text(file, print_hive(hive));
}

// Flushes the file's data and its folder's entry for it to the disk, so that the last replacement
// survives a power failure. Best effort: nothing can be reported when a key closes.
void flush_to_disk(const std::filesystem::path& file) {
    for (const auto& [path, flags] :
         {std::pair{file, O_RDONLY}, std::pair{file.parent_path(), O_RDONLY | O_DIRECTORY}}) {
        const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
        if (fd < 0) continue;
        ::fsync(fd);
        ::close(fd);
    }
}

// Renames the file to the first free name of .corrupt, .corrupt.2, .corrupt.3, ..., never replacing an
// earlier one.
bool move_aside(const std::filesystem::path& file) {
    constexpr int kMaxAttempts = 1000;
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const auto target =
            with_suffix(file, attempt == 1 ? ".corrupt" : ".corrupt." + std::to_string(attempt));
        if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
        if (errno == EINVAL && ::link(file.c_str(), target.c_str()) == 0) {
            return ::unlink(file.c_str()) == 0;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Temporary files of writers that died before renaming them. Every writer holds the lock, so while we
// hold it, any temporary of this hive is such a leftover.
void remove_leftover_temporaries(const std::filesystem::path& file) {
    std::string prefix(1, '.');
    prefix += file.filename().string();
    prefix += '.';
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(".tmp")) std::filesystem::remove(entry.path(), error);
    }
}

// A key opened for writing: holds the lock until it is closed, so that the file stays as this key last
// wrote it. The other keys are printed once; each write prints only this key's section between them.
// When the key closes, still under the lock, what it wrote is flushed to the disk.
class WritableKey : public OpenRegistryKey {
  public:
    WritableKey(std::filesystem::path file, HiveLock lock, const Hive& hive, const HiveKey& key, bool written)
        : file_(std::move(file)), lock_(std::move(lock)), key_(key), written_(written) {
        std::tie(before_, after_) =
            print_hive_around(hive, static_cast<std::size_t>(&key - hive.keys().data()));
    }
    WritableKey(const WritableKey&) = delete;
    WritableKey& operator=(const WritableKey&) = delete;
    ~WritableKey() override {
        if (written_) flush_to_disk(file_);
    }

    ValueQuery query(std::string_view name) override {
        const RegistryValue* value = key_.find_value(name);
        if (value == nullptr) return {};
        return {ValueQuery::Status::kFound, *value};
    }

    void set(std::string_view name, const RegistryValue& value) override {
        if (!is_valid_value_name(name)) throw Error("Invalid value name");
        HiveKey changed = key_;
        changed.set_value(name, value);
        // A failed write raises the file's own message and leaves the file as this key last wrote it.
        write_hive_text(file_, before_ + print_key(changed) + after_);
        key_ = std::move(changed);
        written_ = true;
    }

  private:
    std::filesystem::path file_;
    HiveLock lock_;
    HiveKey key_;
    std::string before_;
    std::string after_;
    bool written_;
};

std::unique_ptr<WritableKey> open_for_writing(const std::filesystem::path& file, const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error || !access_granted(file)) return nullptr;
    std::optional<HiveLock> lock = acquire_lock(file);
    if (!lock) return nullptr;
    remove_leftover_temporaries(file);

    std::optional<Hive> hive;
    try {
        hive = read_hive(file);
    } catch (const HiveFormatError&) {
        if (!move_aside(file)) return nullptr;
    } catch (const Error&) {
        return nullptr;
    }
    if (!hive) hive.emplace();
    const bool created = hive->find_key(path) == nullptr;
    const HiveKey& key = hive->create_key(path);
    if (created) {
        try {
            write_hive(file, *hive);
        } catch (const Error&) {
            return nullptr;
        }
    }
    return std::make_unique<WritableKey>(file, std::move(*lock), *hive, key, created);
}

// A key opened for reading and writing without creating it: its values as the file held them when it
// was opened. A write locks the file and changes the file as it is then.
class ReadableKey : public OpenRegistryKey {
  public:
    ReadableKey(std::filesystem::path file, HiveKey key) : file_(std::move(file)), key_(std::move(key)) {}

    ValueQuery query(std::string_view name) override {
        const RegistryValue* value = key_.find_value(name);
        if (value == nullptr) return {};
        return {ValueQuery::Status::kFound, *value};
    }

    void set(std::string_view name, const RegistryValue& value) override {
        const std::unique_ptr<WritableKey> writable = open_for_writing(file_, key_.path());
        if (!writable) throw Error("The registry key cannot be opened for writing");
        writable->set(name, value);
        key_.set_value(name, value);
    }

  private:
    std::filesystem::path file_;
    HiveKey key_;
};

}  // namespace

FileHive::FileHive(std::filesystem::path file, std::string root_name)
    : file_(std::move(file)), root_name_(std::move(root_name)) {}

std::filesystem::path FileHive::current_user_file() {
    return user_config_folder() / "velmora" / "HKEY_CURRENT_USER.reg";
}

std::unique_ptr<OpenRegistryKey> FileHive::open_existing(std::string_view path) {
    const std::string full_path = root_name_ + "\\" + std::string(path);
    if (!is_valid_key_path(full_path) || !access_granted(file_)) return nullptr;
    try {
        const std::optional<Hive> hive = read_hive(file_);
        const HiveKey* key = hive ? hive->find_key(full_path) : nullptr;
        if (key == nullptr) return nullptr;
        return std::make_unique<ReadableKey>(file_, *key);
    } catch (const Error&) {
        return nullptr;  // unreadable or not a hive: the key cannot be opened
    }
}

std::unique_ptr<OpenRegistryKey> FileHive::open_or_create(std::string_view path) {
    const std::string full_path = root_name_ + "\\" + std::string(path);
    if (!is_valid_key_path(full_path)) return nullptr;
    return open_for_writing(file_, full_path);
}

}  // namespace velmora
