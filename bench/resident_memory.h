// The process's resident memory, as the kernel counts it (/proc/self/statm).
#pragma once

#include <cstddef>

namespace bench {

// Resident bytes now; 0 when the kernel does not tell.
std::size_t ResidentBytes();

// Hands freed heap memory back to the kernel, so that a later growth is not hidden by
// memory the process kept from before.
void ReleaseFreedMemory();

} // namespace bench
