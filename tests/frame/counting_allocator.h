// Watches the allocations the modules make with the no-throw allocator (the host uses
// the throwing one), and can make the next ones fail. The frame test program exports
// its operator new and delete, so they serve the loaded modules as well.
#pragma once

#include <cstddef>
#include <map>
#include <set>

namespace counting_allocator {

// Whether the loaded modules' allocations reach this allocator: a Windows DLL keeps the
// operator new it was linked with, and no program can stand in for it.
#ifdef _WIN32
inline constexpr bool kSeesModules = false;
#else
inline constexpr bool kSeesModules = true;
#endif
inline constexpr char kModulesUnseen[] =
    "the modules' allocations cannot be watched on this platform; checked on Linux";

struct Watch {
    std::map<void *, std::size_t> allocated; // no-throw blocks (and sizes) while watching
    std::set<void *> freed;                  // blocks released while watching (any allocator)
};

void Start(Watch &watch); // until Stop
void Stop();
// Makes the no-throw allocation after `skip` further successful ones return null, once.
void FailNoThrowAllocation(int skip);

} // namespace counting_allocator
