// The settings store's rules where the registry itself fails, over a registry made to fail.
#include "settings/settings_store.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "base/utf16.hpp"
#include "support/fake_settings_window.hpp"

namespace velmora::test {
namespace {

// A registry whose key answers one value as present but unreadable, and whose writes fail from one on.
class FailingRoot : public RegistryRoot {
  public:
    std::string unreadable;
    int writes_allowed = 1000;
    std::vector<std::string> written;

    std::unique_ptr<OpenRegistryKey> open_existing(std::string_view) override {
        return std::make_unique<Key>(*this);
    }
    std::unique_ptr<OpenRegistryKey> open_or_create(std::string_view) override {
        return std::make_unique<Key>(*this);
    }

  private:
    struct Key : OpenRegistryKey {
        explicit Key(FailingRoot& root) : root(root) {}
        ValueQuery query(std::string_view name) override {
            if (name == root.unreadable) return {ValueQuery::Status::kUnreadable, {}};
            return {ValueQuery::Status::kFound, {REG_SZ, utf16le_string_data("7")}};
        }
        void set(std::string_view name, const RegistryValue&) override {
            if (root.writes_allowed-- <= 0) throw Error("No space left on device");
            root.written.emplace_back(name);
        }
        FailingRoot& root;
    };
};

TEST(SettingsStore, FailuresOfTheRegistryNameTheValue) {
    FailingRoot root;
    root.unreadable = "logo_position";
    FakeSettingsWindow window;
    try {
        load_settings(window, root);
        FAIL() << "an unreadable value loaded";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Failed to get data for 'logo_position'");
    }
    EXPECT_EQ(window.quality, 7);
    EXPECT_EQ(window.position, -1);
    EXPECT_EQ(window.refreshes, 0);

    root.writes_allowed = 3;
    try {
        save_settings(window, root);
        FAIL() << "a failed write was not reported";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Failed to set data for 'logo_position'\r\nNo space left on device");
    }
    EXPECT_EQ(root.written, (std::vector<std::string>{"photo_width", "delete_exif", "photo_quality"}));
}

}  // namespace
}  // namespace velmora::test
