// A Windows library's architecture, read from its header, and the load error that names
// it beside the host's own when they differ.
#include <gtest/gtest.h>

#include <fstream>

#include "host/base/host_error.h"
#include "host/library/dynamic_library.h"
#include "host/library/library_machine.h"
#include "tests/support/host_fixture.h"

namespace {

// The first bytes of a PE file: "MZ", at 0x3C the offset of "PE\0\0", the machine after it.
std::string PeHeader(std::uint16_t machine, std::uint32_t peOffset = 0x80)
{
    std::string bytes(peOffset + 24, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i)
        bytes[0x3C + i] = char(peOffset >> (8 * i));
    bytes.replace(peOffset, 4, std::string("PE\0\0", 4));
    bytes[peOffset + 4] = char(machine & 0xFF);
    bytes[peOffset + 5] = char(machine >> 8);
    return bytes;
}

class LibraryMachine : public testing_support::HostTest {
protected:
    std::string Write(const std::string &name, const std::string &bytes)
    {
        std::string path = (WorkDir() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(LibraryMachine, IsReadFromThePeHeaderOrNotAtAll)
{
    struct Case {
        const char *name;
        std::string bytes;
        std::optional<std::uint16_t> machine;
    };
    const Case cases[] = {
        {"x86.dll", PeHeader(0x14C), 0x14C},
        {"x64.dll", PeHeader(0x8664), 0x8664},
        {"arm64.dll", PeHeader(0xAA64), 0xAA64},
        {"far_header.dll", PeHeader(0x14C, 0x400), 0x14C},
        {"empty.dll", "", std::nullopt},
        {"not_mz.dll", "ZM" + PeHeader(0x14C).substr(2), std::nullopt},
        {"short_dos_header.dll", PeHeader(0x14C).substr(0, 0x3F), std::nullopt},
        {"no_pe_signature.dll", PeHeader(0x14C).replace(0x81, 1, "X"), std::nullopt},
        {"cut_before_machine.dll", PeHeader(0x8664).substr(0, 0x85), std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.machine, host::LibraryMachine(Write(c.name, c.bytes))) << c.name;
    EXPECT_EQ(std::nullopt, host::LibraryMachine((WorkDir() / "missing.dll").string()));
}

TEST_F(LibraryMachine, MismatchNamesBothArchitecturesAndOnlyWhenTheyDiffer)
{
    const bool wide = sizeof(void *) == 8;
    EXPECT_EQ(wide ? 0x8664 : 0x14C, host::ProcessMachine());
    EXPECT_EQ("machine 0xAA64", host::MachineName(0xAA64));
    std::string own = Write("own.dll", PeHeader(host::ProcessMachine()));
    std::string other = Write("other.dll", PeHeader(wide ? 0x14C : 0x8664));
    EXPECT_EQ("", host::ArchitectureMismatch(own));
    EXPECT_EQ("", host::ArchitectureMismatch(Write("text.dll", "not a library")));
    EXPECT_EQ(wide ? "a library for x86 (32-bit), where this host is x64 (64-bit); use the "
                     "modules built for x64 (64-bit)"
                   : "a library for x64 (64-bit), where this host is x86 (32-bit); use the "
                     "modules built for x86 (32-bit)",
              host::ArchitectureMismatch(other));
#ifdef _WIN32
    // The loader refuses it; the error says why, naming the file.
    try {
        host::DynamicLibrary library(other);
        FAIL() << "loaded " << other;
    } catch (const host::Error &e) {
        EXPECT_EQ(other + ": cannot be loaded as a library (" + host::ArchitectureMismatch(other) +
                      ")",
                  e.what());
    }
#endif
}

} // namespace
