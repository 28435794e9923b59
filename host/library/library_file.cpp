#include "host/library/library_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "host/base/host_error.h"

namespace host {

namespace {

namespace fs = std::filesystem;

// Whether a file of `fileSize` bytes holds `size` bytes at `offset`.
bool Holds(std::uint64_t offset, std::uint64_t size, std::uint64_t fileSize)
{
    return offset <= fileSize && size <= fileSize - offset;
}

// The file's bytes as far as its headers go; reads past the end give nothing.
class Bytes {
public:
    explicit Bytes(const std::string &path) : in_(path, std::ios::binary) {}

    // A little-endian number of `size` bytes at `offset` (the file is known to hold them).
    std::uint64_t Number(std::uint64_t offset, int size)
    {
        unsigned char bytes[8] = {};
        in_.seekg(std::streamoff(offset));
        in_.read(reinterpret_cast<char *>(bytes), size);
        std::uint64_t value = 0;
        for (int i = size; i-- > 0;)
            value = value << 8 | bytes[i];
        return value;
    }

private:
    std::ifstream in_;
};

struct Extent {
    std::uint64_t offset, size;
    const char *what;
};

#ifdef _WIN32
// PE: the DOS header's pointer to the PE header, the section table, each section's
// raw data.
std::vector<Extent> Extents(Bytes &file, std::uint64_t size)
{
    if (size < 2 || file.Number(0, 2) != 0x5A4D) // "MZ"
        return {};
    std::vector<Extent> extents = {{0, 0x40, "its DOS header"}};
    if (!Holds(0, 0x40, size))
        return extents;
    std::uint64_t pe = file.Number(0x3C, 4);
    extents.push_back({pe, 24, "its PE header"});
    if (!Holds(pe, 24, size))
        return extents;
    std::uint64_t sections = file.Number(pe + 6, 2);
    std::uint64_t table = pe + 24 + file.Number(pe + 20, 2);
    extents.push_back({table, sections * 40, "its section table"});
    if (!Holds(table, sections * 40, size))
        return extents;
    for (std::uint64_t i = 0; i < sections; ++i) {
        std::uint64_t at = table + i * 40;
        extents.push_back({file.Number(at + 20, 4), file.Number(at + 16, 4), "its sections"});
    }
    return extents;
}
#else
// ELF (little-endian, 32- or 64-bit): the program header table and each segment's
// bytes in the file, the section header table and each section that has bytes.
std::vector<Extent> Extents(Bytes &file, std::uint64_t size)
{
    if (size < 6 || file.Number(0, 4) != 0x464C457F || file.Number(5, 1) != 1)
        return {};
    const bool wide = file.Number(4, 1) == 2;
    const int word = wide ? 8 : 4;
    std::vector<Extent> extents = {{0, wide ? 64u : 52u, "its ELF header"}};
    if (!Holds(0, extents[0].size, size))
        return extents;
    std::uint64_t phoff = file.Number(wide ? 32 : 28, word);
    std::uint64_t shoff = file.Number(wide ? 40 : 32, word);
    std::uint64_t phentsize = file.Number(wide ? 54 : 42, 2),
                  phnum = file.Number(wide ? 56 : 44, 2);
    std::uint64_t shentsize = file.Number(wide ? 58 : 46, 2),
                  shnum = file.Number(wide ? 60 : 48, 2);
    extents.push_back({phoff, phentsize * phnum, "its program headers"});
    if (Holds(phoff, phentsize * phnum, size))
        for (std::uint64_t i = 0; i < phnum; ++i) {
            std::uint64_t at = phoff + i * phentsize;
            extents.push_back({file.Number(at + (wide ? 8 : 4), word),
                               file.Number(at + (wide ? 32 : 16), word), "its segments"});
        }
    if (shoff == 0)
        return extents;
    extents.push_back({shoff, shentsize * shnum, "its section headers"});
    if (Holds(shoff, shentsize * shnum, size))
        for (std::uint64_t i = 0; i < shnum; ++i) {
            std::uint64_t at = shoff + i * shentsize;
            constexpr std::uint64_t kNoBits = 8; // a section without bytes in the file
            if (file.Number(at + 4, 4) != kNoBits)
                extents.push_back({file.Number(at + (wide ? 24 : 16), word),
                                   file.Number(at + (wide ? 32 : 20), word), "its sections"});
        }
    return extents;
}
#endif

} // namespace

void CheckLibraryFile(const std::string &path)
{
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return; // the loader names what is missing
    if (!fs::is_regular_file(status))
        throw Error(path + ": is not a regular file (" +
                    (fs::is_directory(status) ? "a folder" : "a device, FIFO or socket") +
                    "); expected a library");
    const std::uint64_t size = fs::file_size(path, error);
    Bytes file(path);
    for (const Extent &extent : Extents(file, size))
        if (!Holds(extent.offset, extent.size, size))
            throw Error(path + ": truncated: the file has " + std::to_string(size) +
                        " bytes, but " + extent.what + " need " +
                        std::to_string(extent.offset + extent.size) + "; expected a whole library");
}

} // namespace host
