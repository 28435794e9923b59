// Watches the allocations the modules make with the no-throw allocator (the host uses
// the throwing one), and can make the next ones fail. The frame test program exports
// its operator new and delete, so they serve the loaded modules as well.
#pragma once

#include <cstddef>
#include <set>

namespace counting_allocator {

struct Watch {
    std::set<void *> allocated; // no-throw blocks obtained while watching
    std::set<void *> freed;     // blocks released while watching (any allocator)
    std::size_t allocatedBytes = 0;
};

void Start(Watch &watch); // until Stop
void Stop();
// Makes the no-throw allocation after `skip` further successful ones return null, once.
void FailNoThrowAllocation(int skip);

} // namespace counting_allocator
