// The walk over every vessel that each step makes (each vessel's physics, then its own
// step). A large fleet's vessels lie scattered over the heap, and a vessel's step reads
// about 1.4 KiB spread over six blocks (the record's first lines, its thrusters, tanks,
// animation states and forces, the module's object): walked plainly, the step waits for
// each of those cache lines in turn. The walk asks for them a vessel or two ahead
// instead, and for no more than the step reads: every line asked for and not read is
// cache that a fleet of 10,000 (about 16 MiB of such lines) does not have.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "host/base/prefetch.h"
#include "host/vessel/vessel_state.h"

namespace host {

namespace walk_detail {

// The module's own object: its size is the module's affair, so its first lines, where
// a vehicle keeps what it works with (a few hundred bytes: asking for more only brings
// in its neighbours). A prefetch never faults past an object's end.
constexpr std::size_t kModuleObjectBytes = 320;

// The lines of a record that a step touches: its fields up to the first one only
// creation, input and the outputs read (vessel_state.h).
inline std::size_t StepBytesOfRecord(const Vessel &vessel)
{
    return std::size_t(reinterpret_cast<const char *>(&vessel.name) -
                       reinterpret_cast<const char *>(&vessel));
}

// What a step touches beyond the vessel's record, found through the record. The
// animation components are not among it: poses are worked out when read.
[[gnu::always_inline]] inline void PrefetchStepMemory(const Vessel &vessel)
{
    PrefetchElements(vessel.thrusters);
    PrefetchElements(vessel.propellants);
    PrefetchElements(vessel.animations);
    PrefetchElements(vessel.forces);
    PrefetchBytes(vessel.vessel, kModuleObjectBytes);
}

} // namespace walk_detail

// Calls visit(vessel) for every vessel in order. The record of the vessel two ahead is
// asked for first; one step later its addresses are there to ask for the rest.
template <class Visit>
void WalkVessels(const std::vector<std::unique_ptr<Vessel>> &vessels, Visit visit)
{
    const std::size_t count = vessels.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 2 < count)
            PrefetchBytes(vessels[i + 2].get(), walk_detail::StepBytesOfRecord(*vessels[i + 2]));
        if (i + 1 < count)
            walk_detail::PrefetchStepMemory(*vessels[i + 1]);
        visit(*vessels[i]);
    }
}

} // namespace host
