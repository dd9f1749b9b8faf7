#include "imaging/resample/pixel_loop_choice.hpp"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "imaging/resample/pixel_loops_avx2.hpp"
#include "imaging/resample/pixel_loops_avx512.hpp"

namespace velmora {

namespace {

const PixelLoops kReferenceLoops{"none", nullptr, nullptr, nullptr, nullptr, nullptr};

struct TableEntry {
    const PixelLoops* loops;
    bool (*runs_on)(ProcessorFeatures features);
};

// Slowest first: the last entry the processor can run is the fastest.
constexpr TableEntry kTable[] = {
    {&kReferenceLoops, [](ProcessorFeatures) { return true; }},
    {&kAvx2PixelLoops, [](ProcessorFeatures features) { return features.avx2; }},
    {&kAvx512PixelLoops, [](ProcessorFeatures features) { return features.avx512; }},
};

const TableEntry* entry_named(std::string_view name) {
    for (const TableEntry& entry : kTable) {
        if (name == entry.loops->name) return &entry;
    }
    return nullptr;
}

const PixelLoops& fastest_loops(ProcessorFeatures features) {
    for (auto entry = std::rbegin(kTable); entry != std::rend(kTable); ++entry) {
        if (entry->runs_on(features)) return *entry->loops;
    }
    return kReferenceLoops;
}

// "none, avx2 or avx512".
std::string loop_names() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kTable); ++i) {
        if (i > 0) names += i + 1 < std::size(kTable) ? ", " : " or ";
        names += kTable[i].loops->name;
    }
    return names;
}

// The variable's text as it goes into the warning: on one line, whatever bytes it holds.
std::string printable(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return result;
}

}  // namespace

ProcessorFeatures processor_features() {
    static const ProcessorFeatures features = [] {
        const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
        // The AVX-512 loops are built with AVX2 and FMA as well, and use them.
        const bool avx512 = avx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vl");
        return ProcessorFeatures{avx2, avx512};
    }();
    return features;
}

const PixelLoops& reference_pixel_loops() {
    return kReferenceLoops;
}

const PixelLoops* pixel_loops_named(std::string_view name, ProcessorFeatures features) {
    const TableEntry* entry = entry_named(name);
    return entry != nullptr && entry->runs_on(features) ? entry->loops : nullptr;
}

PixelLoopChoice choose_pixel_loops(const char* simd, const char* no_simd, ProcessorFeatures features) {
    if (no_simd != nullptr && std::string_view(no_simd) == "1") return {&kReferenceLoops, {}};
    const PixelLoops& fastest = fastest_loops(features);
    if (simd == nullptr || *simd == '\0') return {&fastest, {}};
    const TableEntry* entry = entry_named(simd);
    const std::string asked = "velmora: VELMORA_SIMD=" + printable(simd);
    const std::string instead = std::string("; using ") + fastest.name;
    if (entry == nullptr) return {&fastest, asked + " names no pixel loop (" + loop_names() + ")" + instead};
    if (!entry->runs_on(features))
        return {&fastest, asked + " names a loop this processor cannot run" + instead};
    return {entry->loops, {}};
}

const PixelLoops& chosen_pixel_loops() {
    static const PixelLoops& chosen = []() -> const PixelLoops& {
        const PixelLoopChoice choice = choose_pixel_loops(
            std::getenv("VELMORA_SIMD"), std::getenv("VELMORA_NO_SIMD"), processor_features());
        if (!choice.warning.empty()) std::fprintf(stderr, "%s\n", choice.warning.c_str());
        return *choice.loops;
    }();
    return chosen;
}

}  // namespace velmora
