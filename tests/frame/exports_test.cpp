// Each module library exports exactly its three factory functions; everything else
// stays hidden. Read from the library file's dynamic symbol table.
#include <elf.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace {

// Defined (not imported), global or weak, default-visibility dynamic symbols.
std::set<std::string> DefinedDynamicSymbols(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    EXPECT_GT(bytes.size(), sizeof(Elf64_Ehdr)) << path;
    std::set<std::string> names;
    if (bytes.size() <= sizeof(Elf64_Ehdr))
        return names;
    Elf64_Ehdr header;
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(0, std::memcmp(header.e_ident, ELFMAG, SELFMAG));
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    std::memcpy(sections.data(), bytes.data() + header.e_shoff,
                sections.size() * sizeof(Elf64_Shdr));
    for (const Elf64_Shdr &section : sections) {
        if (section.sh_type != SHT_DYNSYM)
            continue;
        const char *strings = bytes.data() + sections[section.sh_link].sh_offset;
        std::size_t count = section.sh_size / sizeof(Elf64_Sym);
        for (std::size_t i = 0; i < count; ++i) {
            Elf64_Sym sym;
            std::memcpy(&sym, bytes.data() + section.sh_offset + i * sizeof sym, sizeof sym);
            int binding = ELF64_ST_BIND(sym.st_info);
            bool exported = sym.st_shndx != SHN_UNDEF &&
                            (binding == STB_GLOBAL || binding == STB_WEAK) &&
                            ELF64_ST_VISIBILITY(sym.st_other) == STV_DEFAULT;
            if (exported && sym.st_name != 0)
                names.insert(strings + sym.st_name);
        }
    }
    return names;
}

TEST(ModuleExports, EachShippedModuleExportsExactlyTheFactoryFunctions)
{
    const std::set<std::string> expected = {"GetModuleVersion", "ovcExit", "ovcInit"};
    for (const auto &className : testing_support::kClasses) {
        std::string path = std::string(SIM_ROOT) + "/Modules/" + className + ".so";
        EXPECT_EQ(expected, DefinedDynamicSymbols(path)) << path;
    }
}

TEST(ModuleExports, TestVariantAddsOnlyItsOwnExitExports)
{
    auto symbols = DefinedDynamicSymbols(std::string(TEST_ROOT) + "/Modules/BOTHEXITS.so");
    EXPECT_TRUE(symbols.count("ExitModule"));
    EXPECT_TRUE(symbols.count("opcDLLExit"));
    EXPECT_FALSE(symbols.count("DllMain"));
}

} // namespace
