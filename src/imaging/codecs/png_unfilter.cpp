#include "imaging/codecs/png_unfilter.hpp"

#include <algorithm>
#include <cstdlib>

#include "imaging/codecs/png_format.hpp"

namespace velmora::png {

namespace {

enum FilterType : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

inline std::uint8_t paeth_predictor(int left, int above, int upper_left) {
    const int estimate = left + above - upper_left;
    const int to_left = std::abs(estimate - left);
    const int to_above = std::abs(estimate - above);
    const int to_upper_left = std::abs(estimate - upper_left);
    if (to_left <= to_above && to_left <= to_upper_left) return static_cast<std::uint8_t>(left);
    if (to_above <= to_upper_left) return static_cast<std::uint8_t>(above);
    return static_cast<std::uint8_t>(upper_left);
}

// The pixel size as a template argument lets the compiler unroll the common cases.
template <int kPixelBytes>
void unfilter(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prior, std::size_t size) {
    const std::size_t lead = std::min<std::size_t>(kPixelBytes, size);
    switch (type) {
        case kSub:
            for (std::size_t i = lead; i < size; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + row[i - kPixelBytes]);
            break;
        case kUp:
            for (std::size_t i = 0; i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
            break;
        case kAverage:
            for (std::size_t i = 0; i < lead; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + (prior[i] >> 1));
            for (std::size_t i = lead; i < size; ++i) {
                row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - kPixelBytes] + prior[i]) >> 1));
            }
            break;
        case kPaeth:
            for (std::size_t i = 0; i < lead; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
            for (std::size_t i = lead; i < size; ++i) {
                const std::uint8_t predicted =
                    paeth_predictor(row[i - kPixelBytes], prior[i], prior[i - kPixelBytes]);
                row[i] = static_cast<std::uint8_t>(row[i] + predicted);
            }
            break;
        default:
            break;
    }
}

}  // namespace

void unfilter_row(std::uint8_t filter_type, std::span<std::uint8_t> row, std::span<const std::uint8_t> prior,
                  int pixel_bytes) {
    if (filter_type > kPaeth) raise_not_supported("unknown row filter type");
    if (filter_type == kNone) return;
    std::uint8_t* bytes = row.data();
    const std::uint8_t* above = prior.data();
    const std::size_t size = row.size();
    switch (pixel_bytes) {
        case 1:
            unfilter<1>(filter_type, bytes, above, size);
            break;
        case 2:
            unfilter<2>(filter_type, bytes, above, size);
            break;
        case 3:
            unfilter<3>(filter_type, bytes, above, size);
            break;
        case 4:
            unfilter<4>(filter_type, bytes, above, size);
            break;
        case 6:
            unfilter<6>(filter_type, bytes, above, size);
            break;
        default:
            unfilter<8>(filter_type, bytes, above, size);
            break;  // 16-bit truecolour with alpha
    }
}

}  // namespace velmora::png
