// Exports of an ELF shared library: its dynamic symbol table.
#include "tests/frame/library_exports.h"

#include <elf.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace testing_support {

// Defined (not imported), global or weak, default-visibility dynamic symbols.
std::set<std::string> ExportedNames(const std::string &path)
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

} // namespace testing_support
