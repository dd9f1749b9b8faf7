#include "base/whole_number.hpp"

#include <limits>

namespace velmora {

std::int32_t whole_number_from_text(std::string_view text, std::int32_t fallback) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return fallback;
    // Accumulate the magnitude in 64 bits; one digit past the 32-bit range already fails.
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return fallback;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return fallback;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace velmora
