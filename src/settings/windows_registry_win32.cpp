#include "settings/windows_registry.hpp"

#include <string>

#include "base/error.hpp"
#include "base/memory_limit.hpp"
#include "base/win32_text.hpp"

namespace velmora {

namespace {

// A value that grows between asking for its size and reading it is asked for again, a few times.
constexpr int kReadAttempts = 4;

class WindowsKey : public OpenRegistryKey {
  public:
    explicit WindowsKey(HKEY key) : key_(key) {}
    WindowsKey(const WindowsKey&) = delete;
    WindowsKey& operator=(const WindowsKey&) = delete;
    ~WindowsKey() override { RegCloseKey(key_); }

    ValueQuery query(std::string_view name) override {
        const std::wstring wide_name = wide_of_utf8(name);
        for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
            DWORD type = REG_NONE;
            DWORD size = 0;
            // A value that cannot even be measured counts as missing, as a failed query does.
            if (RegQueryValueExW(key_, wide_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
                return {};
            ValueQuery answer{ValueQuery::Status::kFound, {type, {}}};
            if (size == 0) return answer;
            try {
                answer.value.data = bounded_vector<std::uint8_t>(size);
            } catch (const Error&) {
                return {ValueQuery::Status::kUnreadable, {}};
            }
            const LSTATUS read =
                RegQueryValueExW(key_, wide_name.c_str(), nullptr, &type, answer.value.data.data(), &size);
            if (read == ERROR_MORE_DATA) continue;
            if (read != ERROR_SUCCESS) return {ValueQuery::Status::kUnreadable, {}};
            answer.value.type = type;
            answer.value.data.resize(size);
            return answer;
        }
        return {ValueQuery::Status::kUnreadable, {}};
    }

    void set(std::string_view name, const RegistryValue& value) override {
        const LSTATUS status = RegSetValueExW(key_, wide_of_utf8(name).c_str(), 0, value.type,
                                              value.data.data(), static_cast<DWORD>(value.data.size()));
        if (status != ERROR_SUCCESS) throw Error(system_message(static_cast<unsigned long>(status)));
    }

  private:
    HKEY key_;
};

}  // namespace

std::unique_ptr<OpenRegistryKey> WindowsRegistry::open_existing(std::string_view path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, wide_of_utf8(path).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WindowsKey>(key);
}

std::unique_ptr<OpenRegistryKey> WindowsRegistry::open_or_create(std::string_view path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_, wide_of_utf8(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WindowsKey>(key);
}

}  // namespace velmora
