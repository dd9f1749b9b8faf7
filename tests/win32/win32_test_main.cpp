// The window tests' start: the application as the program starts it, and the current user's registry
// redirected for this process to a key of the tests' own, removed at the end, so that the settings the
// windows load and save are nobody else's.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/startup.hpp"

namespace {

constexpr wchar_t kTestsKey[] = L"Software\\velmora_tests";

class RedirectedCurrentUser {
  public:
    RedirectedCurrentUser()
        : path_(std::wstring(kTestsKey) + L"\\windows-" + std::to_wstring(GetCurrentProcessId())) {
        RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        if (key_ == nullptr || RegOverridePredefKey(HKEY_CURRENT_USER, key_) != ERROR_SUCCESS)
            throw std::runtime_error("cannot redirect the current user's registry");
    }
    RedirectedCurrentUser(const RedirectedCurrentUser&) = delete;
    RedirectedCurrentUser& operator=(const RedirectedCurrentUser&) = delete;
    ~RedirectedCurrentUser() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }

  private:
    std::wstring path_;
    HKEY key_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const velmora::Application application;
    const RedirectedCurrentUser registry;
    return RUN_ALL_TESTS();
}
