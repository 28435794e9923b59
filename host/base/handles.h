// Handles the host gives out: small tagged integers, not pointers, so that a handle is
// checked against the vessel's own tables before use and names itself in a trace
// ("th0" is a vessel's first thruster).
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

enum class HandleKind : std::uint8_t {
    None = 0,
    Thruster = 1,
    ThrusterGroup = 2,
    Propellant = 3,
    AnimationComponent = 4,
    Mesh = 5,
    Visual = 6,
};

// A handle's bits in an unsigned integer of a pointer's width, lowest first: a one, the
// kind in three bits, then the index in all the rest. The low one makes every handle
// odd, where no object of the interface can be (they are all aligned to at least four
// bytes), so a handle is never a real pointer, nor null; the same layout holds for
// 32-bit and 64-bit pointers.
template <class Bits>
struct HandleBits {
    static constexpr int kKindShift = 1;
    static constexpr Bits kKindMask = 7;
    static constexpr int kIndexShift = 4;
    // No table reaches it: at sixteen bytes or more an entry, as every table has, its
    // entries would fill the whole address space.
    static constexpr Bits kMaxIndex = Bits(-1) >> kIndexShift;

    static constexpr Bits Make(HandleKind kind, Bits index)
    {
        return Bits(index << kIndexShift) | Bits(Bits(kind) << kKindShift) | 1;
    }

    static constexpr HandleKind Kind(Bits bits)
    {
        Bits kind = (bits >> kKindShift) & kKindMask;
        return (bits & 1) && kind >= 1 && kind <= 6 ? HandleKind(kind) : HandleKind::None;
    }

    static constexpr Bits Index(Bits bits) { return bits >> kIndexShift; }
};

using PointerHandleBits = HandleBits<std::uintptr_t>;

inline void *MakeHandle(HandleKind kind, std::size_t index)
{
    return reinterpret_cast<void *>(PointerHandleBits::Make(kind, index));
}

inline HandleKind KindOf(const void *handle)
{
    return PointerHandleBits::Kind(reinterpret_cast<std::uintptr_t>(handle));
}

// The index a handle of `kind` stands for, or -1 when it is not such a handle. The
// largest index fits: it has four bits fewer than a pointer.
inline std::ptrdiff_t IndexOf(const void *handle, HandleKind kind)
{
    if (kind == HandleKind::None || KindOf(handle) != kind)
        return -1;
    return std::ptrdiff_t(PointerHandleBits::Index(reinterpret_cast<std::uintptr_t>(handle)));
}

} // namespace host
