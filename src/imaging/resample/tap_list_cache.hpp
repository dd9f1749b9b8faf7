// Tap lists kept from one picture to the next: a batch scales most of its pictures between the same
// sizes, and building a direction's lists (a kernel value for every tap) costs about as much as one
// of its passes over a small photograph. The lists depend on nothing but the key, so a list taken from
// here sums to the same bytes as one built anew. One cache may serve several threads at once, as the
// pipelines of a parallel run share theirs: the lists are built once for all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "imaging/resample/filters.hpp"
#include "imaging/resample/pixel_loops.hpp"
#include "imaging/resample/tap_lists.hpp"

namespace velmora {

class TapListCache {
  public:
    // The lists build_tap_lists builds for these, with the scale of the two lengths; built now when
    // none of the last kKept asked for were for the same, failing as build_tap_lists fails. Another
    // thread asking meanwhile waits for the building.
    std::shared_ptr<const TapLists> lists(const PixelLoops& loops, TFilterProc filter, float width,
                                          int source_length, int destination_length);

    // The lists of this many keys are kept, the most recently asked for; a picture asks for two.
    static constexpr std::size_t kKept = 8;

  private:
    struct Entry {
        const PixelLoops* loops;
        TFilterProc filter;
        float width;
        int source_length;
        int destination_length;
        std::shared_ptr<const TapLists> lists;
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;  // most recently asked for first
};

// From `cache` when there is one, else built for the one picture.
std::shared_ptr<const TapLists> shared_tap_lists(TapListCache* cache, const PixelLoops& loops,
                                                 TFilterProc filter, float width, int source_length,
                                                 int destination_length);

}  // namespace velmora
