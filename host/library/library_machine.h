// The architecture a Windows library is built for, read from its file header: a library
// of another architecture than the process's cannot be loaded, and the loader's own
// message for that does not say so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace host {

// The machine field of a PE file's header (0x14C x86, 0x8664 x64), or none when the
// file cannot be read or is no PE file.
std::optional<std::uint16_t> LibraryMachine(const std::string &path);

// "x86 (32-bit)", "x64 (64-bit)", or the field in hexadecimal for any other machine.
std::string MachineName(std::uint16_t machine);

// The machine of this process's own code.
std::uint16_t ProcessMachine();

// The reason a library of another architecture than this process's fails to load
// ("a 32-bit library: x86 (32-bit), where this host is x64 (64-bit)"), or an empty
// text when the file's architecture is this process's or cannot be told.
std::string ArchitectureMismatch(const std::string &path);

} // namespace host
