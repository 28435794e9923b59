#include "tests/frame/counting_allocator.h"

#include <cstdlib>
#include <new>

namespace counting_allocator {

namespace {

Watch *watch = nullptr;
int failAfter = -1;
bool inside = false; // the watch's own set insertions allocate too

void *NoThrowAllocate(std::size_t size)
{
    if (failAfter == 0) {
        failAfter = -1;
        return nullptr;
    }
    if (failAfter > 0)
        --failAfter;
    void *p = std::malloc(size ? size : 1);
    if (watch && !inside && p) {
        inside = true;
        watch->allocated[p] = size;
        inside = false;
    }
    return p;
}

void Release(void *p)
{
    if (watch && !inside && p) {
        inside = true;
        watch->freed.insert(p);
        inside = false;
    }
    std::free(p);
}

} // namespace

void Start(Watch &w) { watch = &w; }
void Stop() { watch = nullptr; }
void FailNoThrowAllocation(int skip) { failAfter = skip; }

} // namespace counting_allocator

void *operator new(std::size_t size)
{
    void *p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    return counting_allocator::NoThrowAllocate(size);
}

void operator delete(void *p) noexcept { counting_allocator::Release(p); }
void operator delete(void *p, std::size_t) noexcept { counting_allocator::Release(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { counting_allocator::Release(p); }
