// Asking for memory ahead of its use, a cache line at a time (see vessel_walk.h).
// Always inlined into the loop that asks: a prefetch has no effect the compiler must
// keep, so GCC takes a function that only prefetches for one without effects and drops
// the call, silently.
#pragma once

#include <cstddef>
#include <vector>

namespace host {

[[gnu::always_inline]] inline void PrefetchBytes(const void *start, std::size_t bytes)
{
    constexpr std::size_t kLine = 64;
    const char *p = static_cast<const char *>(start);
    for (std::size_t offset = 0; offset < bytes; offset += kLine)
        __builtin_prefetch(p + offset);
}

template <class T>
[[gnu::always_inline]] inline void PrefetchElements(const std::vector<T> &elements)
{
    PrefetchBytes(elements.data(), elements.size() * sizeof(T));
}

} // namespace host
