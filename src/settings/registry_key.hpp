// The registry as the settings store uses it: a root (one user's hive) in which keys are opened or
// created by path, and an open key whose values are queried and set. Key and value names compare
// without regard to case. A backend implements RegistryRoot and OpenRegistryKey: the file-backed hive
// on Linux (file_hive.hpp), the registry of Windows (windows_registry.hpp).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "settings/registry_value.hpp"

namespace velmora {

struct ValueQuery {
    enum class Status {
        kFound,       // `value` holds the type and the data
        kMissing,     // there is no value of that name (or the key is not open)
        kUnreadable,  // the value exists, but its data could not be read
    };
    Status status = Status::kMissing;
    RegistryValue value;
};

// One open key of a backend. Released when closed.
class OpenRegistryKey {
  public:
    virtual ~OpenRegistryKey() = default;
    virtual ValueQuery query(std::string_view name) = 0;
    // Replaces the whole value. A value that cannot be written raises Error with the reason, the
    // system's own where there is one; the value then keeps what it held.
    virtual void set(std::string_view name, const RegistryValue& value) = 0;
};

class RegistryRoot {
  public:
    virtual ~RegistryRoot() = default;
    // The key at `path` (relative to the root, backslash-separated) opened for reading and writing, or
    // null when it does not exist or that access is refused.
    virtual std::unique_ptr<OpenRegistryKey> open_existing(std::string_view path) = 0;
    // The same, creating the key and any missing parent keys first; null when that fails.
    virtual std::unique_ptr<OpenRegistryKey> open_or_create(std::string_view path) = 0;
};

class RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { close(); }

    // Opens an existing key with read and write access; false, quietly, when it cannot.
    [[nodiscard]] bool open(RegistryRoot& root, std::string_view path);
    // Opens the key, creating it and its missing parents when needed; false when that fails.
    [[nodiscard]] bool create(RegistryRoot& root, std::string_view path);
    bool is_open() const { return key_ != nullptr; }
    void close() { key_.reset(); }

    // The type and data of the value; kMissing on a key that is not open.
    ValueQuery query_value(std::string_view name);
    // Writes `text` (UTF-8) as a REG_SZ value: UTF-16LE and one terminating null, so that the byte count
    // is the length times two plus two. A key that is not open, or a write that fails, raises Error with
    // the reason.
    void set_string(std::string_view name, std::string_view text);

  private:
    std::unique_ptr<OpenRegistryKey> key_;
};

}  // namespace velmora
