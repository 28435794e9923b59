// Asking for memory ahead of its use, a cache line at a time (see vessel_walk.h).
#pragma once

#include <cstddef>
#include <vector>

namespace host {

inline void PrefetchBytes(const void *start, std::size_t bytes)
{
    constexpr std::size_t kLine = 64;
    const char *p = static_cast<const char *>(start);
    for (std::size_t offset = 0; offset < bytes; offset += kLine)
        __builtin_prefetch(p + offset);
}

template <class T> void PrefetchElements(const std::vector<T> &elements)
{
    PrefetchBytes(elements.data(), elements.size() * sizeof(T));
}

} // namespace host
