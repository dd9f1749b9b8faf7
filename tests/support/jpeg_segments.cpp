#include "jpeg_segments.hpp"

#include <stdexcept>

namespace velmora::test {

std::vector<Segment> segments_of(const std::vector<std::uint8_t>& jpeg) {
    std::vector<Segment> segments;
    std::size_t at = 0;
    auto fail = [] { throw std::runtime_error("malformed JPEG in a test"); };
    while (at + 1 < jpeg.size()) {
        if (jpeg[at] != 0xFF) fail();
        const int marker = jpeg[at + 1];
        at += 2;
        Segment segment{marker, {}};
        const bool standalone = marker == 0xD8 || marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7);
        if (!standalone) {
            if (at + 2 > jpeg.size()) fail();
            const std::size_t length = jpeg[at] << 8 | jpeg[at + 1];
            if (length < 2 || at + length > jpeg.size()) fail();
            segment.contents.assign(jpeg.begin() + static_cast<std::ptrdiff_t>(at + 2),
                                    jpeg.begin() + static_cast<std::ptrdiff_t>(at + length));
            at += length;
        }
        segments.push_back(std::move(segment));
        if (marker == 0xD9) break;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is neither a stuffed zero nor a restart.
            while (at + 1 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] != 0 &&
                                             !(jpeg[at + 1] >= 0xD0 && jpeg[at + 1] <= 0xD7))) {
                ++at;
            }
        }
    }
    return segments;
}

}  // namespace velmora::test
