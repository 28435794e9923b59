// Handles the host gives out: small tagged integers, not pointers, so that a handle is
// checked against the vessel's own tables before use and names itself in a trace
// ("th0" is a vessel's first thruster).
#pragma once

#include <cstdint>
#include <string>

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

inline constexpr int kHandleKindShift = 40;

inline void *MakeHandle(HandleKind kind, std::size_t index)
{
    return reinterpret_cast<void *>((std::uintptr_t(kind) << kHandleKindShift) | (index + 1));
}

inline HandleKind KindOf(const void *handle)
{
    auto bits = reinterpret_cast<std::uintptr_t>(handle);
    auto kind = bits >> kHandleKindShift;
    return kind >= 1 && kind <= 6 ? HandleKind(kind) : HandleKind::None;
}

// The index a handle of `kind` stands for, or -1 when it is not such a handle.
inline long IndexOf(const void *handle, HandleKind kind)
{
    if (!handle || KindOf(handle) != kind)
        return -1;
    auto bits = reinterpret_cast<std::uintptr_t>(handle);
    return long((bits & ((std::uintptr_t(1) << kHandleKindShift) - 1)) - 1);
}

} // namespace host
