// Exports of a Windows DLL: the export directory of its PE image, read from the file.
#include "tests/frame/library_exports.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace testing_support {

namespace {

class Image {
public:
    explicit Image(const std::string &path)
    {
        std::ifstream file(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(file), {});
    }

    template <typename T> bool Read(std::size_t offset, T &out) const
    {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof out)
            return false;
        std::memcpy(&out, bytes_.data() + offset, sizeof out);
        return true;
    }

    // The file offset of a relative virtual address, through the section holding it.
    bool Offset(DWORD rva, std::size_t &offset) const
    {
        for (const IMAGE_SECTION_HEADER &s : sections_)
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
                offset = rva - s.VirtualAddress + s.PointerToRawData;
                return true;
            }
        return false;
    }

    std::string Text(DWORD rva) const
    {
        std::size_t offset = 0;
        if (!Offset(rva, offset) || offset >= bytes_.size())
            return "";
        const char *start = bytes_.data() + offset;
        return std::string(start, strnlen(start, bytes_.size() - offset));
    }

    // False for anything but a PE image of this build's own architecture (the headers
    // name its optional header: PE32+ on x64, PE32 on x86).
    bool ReadHeaders(IMAGE_NT_HEADERS &nt)
    {
        IMAGE_DOS_HEADER dos;
        if (!Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
            !Read(std::size_t(dos.e_lfanew), nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
            nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC)
            return false;
        std::size_t first = std::size_t(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                            nt.FileHeader.SizeOfOptionalHeader;
        sections_.resize(nt.FileHeader.NumberOfSections);
        for (std::size_t i = 0; i < sections_.size(); ++i)
            if (!Read(first + i * sizeof(IMAGE_SECTION_HEADER), sections_[i]))
                return false;
        return true;
    }

private:
    std::vector<char> bytes_;
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

} // namespace

// Every name in the export name table.
std::set<std::string> ExportedNames(const std::string &path)
{
    std::set<std::string> names;
    Image image(path);
    IMAGE_NT_HEADERS nt;
    if (!image.ReadHeaders(nt)) {
        ADD_FAILURE() << path << ": not a PE image of this build's architecture";
        return names;
    }
    const IMAGE_DATA_DIRECTORY &exports =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::size_t offset = 0;
    IMAGE_EXPORT_DIRECTORY directory;
    if (exports.Size == 0 || !image.Offset(exports.VirtualAddress, offset) ||
        !image.Read(offset, directory))
        return names; // no exports at all
    std::size_t nameTable = 0;
    if (directory.NumberOfNames && !image.Offset(directory.AddressOfNames, nameTable)) {
        ADD_FAILURE() << path << ": export name table outside every section";
        return names;
    }
    for (DWORD i = 0; i < directory.NumberOfNames; ++i) {
        DWORD nameRva = 0;
        EXPECT_TRUE(image.Read(nameTable + i * sizeof nameRva, nameRva)) << path;
        names.insert(image.Text(nameRva));
    }
    return names;
}

} // namespace testing_support
