// The memory the machine can give a program now without swapping, bytes; nullopt where
// the system does not tell.
#pragma once

#include <cstdint>
#include <optional>

namespace vesselhost {

std::optional<std::uint64_t> AvailableMemory();

} // namespace vesselhost
