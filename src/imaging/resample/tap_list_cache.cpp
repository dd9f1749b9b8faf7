#include "imaging/resample/tap_list_cache.hpp"

#include <algorithm>

namespace velmora {
namespace {

std::shared_ptr<const TapLists> build_shared(const PixelLoops& loops, TFilterProc filter, float width,
                                             int source_length, int destination_length) {
    return std::make_shared<const TapLists>(
        build_tap_lists(loops, filter, width, source_length, destination_length,
                        resample_scale(source_length, destination_length)));
}

}  // namespace

std::shared_ptr<const TapLists> TapListCache::lists(const PixelLoops& loops, TFilterProc filter, float width,
                                                    int source_length, int destination_length) {
    const auto same = [&](const Entry& e) {
        return e.loops == &loops && e.filter == filter && e.width == width &&
               e.source_length == source_length && e.destination_length == destination_length;
    };
    const std::lock_guard lock(mutex_);
    auto found = std::find_if(entries_.begin(), entries_.end(), same);
    if (found == entries_.end()) {
        auto built = build_shared(loops, filter, width, source_length, destination_length);
        if (entries_.size() == kKept) entries_.pop_back();
        entries_.insert(entries_.begin(),
                        Entry{&loops, filter, width, source_length, destination_length, built});
        return built;
    }
    std::rotate(entries_.begin(), found, found + 1);
    return entries_.front().lists;
}

std::shared_ptr<const TapLists> shared_tap_lists(TapListCache* cache, const PixelLoops& loops,
                                                 TFilterProc filter, float width, int source_length,
                                                 int destination_length) {
    if (cache != nullptr) return cache->lists(loops, filter, width, source_length, destination_length);
    return build_shared(loops, filter, width, source_length, destination_length);
}

}  // namespace velmora
