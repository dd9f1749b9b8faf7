// Loading and saving the settings with a hive that also holds 10 000 values of other programs.
#include <benchmark/benchmark.h>

#include "base/file_io.hpp"
#include "base/utf16.hpp"
#include "settings/file_hive.hpp"
#include "settings/hive_format.hpp"
#include "settings/settings_store.hpp"
#include "support/fake_settings_window.hpp"
#include "support/test_folder.hpp"

namespace velmora {
namespace {

constexpr int kOtherValues = 10000;

// A hive file with the settings key and kOtherValues values spread over 100 keys of other programs.
class BusyHive {
  public:
    BusyHive() : hive_(folder_.path() / "HKEY_CURRENT_USER.reg") {
        Hive hive;
        for (int i = 0; i < kOtherValues; ++i) {
            HiveKey& key = hive.add_key("HKEY_CURRENT_USER\\software\\program " + std::to_string(i % 100));
            key.set_value("value " + std::to_string(i),
                          {REG_SZ, utf16le_string_data("C:\\Program Files\\Program\\" + std::to_string(i))});
        }
        const std::string text = print_hive(hive);
        write_file_atomically(hive_.file(),
                              {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        test::FakeSettingsWindow window;
        save_settings(window, hive_);
    }
    FileHive& hive() { return hive_; }

  private:
    test::TestFolder folder_;
    FileHive hive_;
};

void BM_LoadSettings(benchmark::State& state) {
    BusyHive busy;
    for (auto _ : state) {
        test::FakeSettingsWindow window;
        load_settings(window, busy.hive());
        benchmark::DoNotOptimize(window.width);
    }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& state) {
    BusyHive busy;
    test::FakeSettingsWindow window;
    for (auto _ : state) {
        window.quality = window.quality % 100 + 1;
        save_settings(window, busy.hive());
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_ParseHive(benchmark::State& state) {
    BusyHive busy;
    const std::string text = hive_file_text(read_whole_file(busy.hive().file()));
    for (auto _ : state) benchmark::DoNotOptimize(parse_hive(text));
}
BENCHMARK(BM_ParseHive)->Unit(benchmark::kMillisecond);

void BM_PrintHive(benchmark::State& state) {
    BusyHive busy;
    const Hive hive = parse_hive(hive_file_text(read_whole_file(busy.hive().file())));
    for (auto _ : state) benchmark::DoNotOptimize(print_hive(hive));
}
BENCHMARK(BM_PrintHive)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
