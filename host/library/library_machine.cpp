#include "host/library/library_machine.h"

#include <array>
#include <cstdio>
#include <fstream>

namespace host {

namespace {

constexpr std::uint16_t kX86 = 0x14C;
constexpr std::uint16_t kX64 = 0x8664;

std::uint32_t Little(const unsigned char *bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

} // namespace

std::optional<std::uint16_t> LibraryMachine(const std::string &path)
{
    // The DOS header ("MZ") gives at 0x3C where the PE signature is; the machine follows it.
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 0x40> dos{};
    if (!file.read(reinterpret_cast<char *>(dos.data()), dos.size()) || dos[0] != 'M' ||
        dos[1] != 'Z')
        return std::nullopt;
    std::array<unsigned char, 6> pe{};
    if (!file.seekg(Little(&dos[0x3C], 4)) ||
        !file.read(reinterpret_cast<char *>(pe.data()), pe.size()) || pe[0] != 'P' ||
        pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
        return std::nullopt;
    return std::uint16_t(Little(&pe[4], 2));
}

std::string MachineName(std::uint16_t machine)
{
    if (machine == kX86)
        return "x86 (32-bit)";
    if (machine == kX64)
        return "x64 (64-bit)";
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(machine));
    return std::string("machine ") + text;
}

std::uint16_t ProcessMachine() { return sizeof(void *) == 8 ? kX64 : kX86; }

std::string ArchitectureMismatch(const std::string &path)
{
    std::optional<std::uint16_t> machine = LibraryMachine(path);
    if (!machine || *machine == ProcessMachine())
        return "";
    return "a library for " + MachineName(*machine) + ", where this host is " +
           MachineName(ProcessMachine()) + "; use the modules built for " +
           MachineName(ProcessMachine());
}

} // namespace host
