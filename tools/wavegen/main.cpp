// wavegen FOLDER: writes the vehicles' waves into FOLDER as 16-bit PCM mono WAV files.
// Exit codes: 0 written; 1 cannot be written; 2 usage or bad input.
#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "output/output_check.h"
#include "output/output_file.h"
#include "output/tool_exit.h"
#include "tools/wavegen/vehicle_waves.h"

namespace {

// A WAV file built in memory by libsndfile (which seeks back to finish its header).
struct MemoryFile {
    std::string bytes;
    sf_count_t at = 0;
};

sf_count_t Length(void *file) { return sf_count_t(static_cast<MemoryFile *>(file)->bytes.size()); }

sf_count_t Seek(sf_count_t offset, int whence, void *data)
{
    auto *file = static_cast<MemoryFile *>(data);
    sf_count_t base = whence == SEEK_CUR ? file->at : whence == SEEK_END ? Length(data) : 0;
    file->at = base + offset;
    return file->at;
}

sf_count_t Read(void *to, sf_count_t count, void *data)
{
    auto *file = static_cast<MemoryFile *>(data);
    sf_count_t left = std::max<sf_count_t>(0, Length(data) - file->at);
    count = std::min(count, left);
    std::memcpy(to, file->bytes.data() + file->at, std::size_t(count));
    file->at += count;
    return count;
}

sf_count_t Write(const void *from, sf_count_t count, void *data)
{
    auto *file = static_cast<MemoryFile *>(data);
    if (std::size_t(file->at + count) > file->bytes.size())
        file->bytes.resize(std::size_t(file->at + count));
    std::memcpy(file->bytes.data() + file->at, from, std::size_t(count));
    file->at += count;
    return count;
}

sf_count_t Tell(void *data) { return static_cast<MemoryFile *>(data)->at; }

std::string Encode(const wavegen::Synthesised &wave)
{
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    MemoryFile memory;
    SF_INFO info{};
    info.samplerate = wave.rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
    if (!file)
        throw std::runtime_error(wave.fileName + ": " + sf_strerror(nullptr));
    sf_count_t written = sf_write_float(file, wave.samples.data(), sf_count_t(wave.samples.size()));
    sf_close(file);
    if (written != sf_count_t(wave.samples.size()))
        throw std::runtime_error(wave.fileName + ": cannot be encoded");
    return memory.bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wavegen FOLDER\n");
        return 2;
    }
    try {
        const auto waves = {wavegen::EngineRun(), wavegen::EngineStart(), wavegen::CannonShot()};
        std::vector<output::OutputRequest> outputs;
        for (const auto &wave : waves)
            outputs.push_back(
                {"output", (std::filesystem::path(argv[1]) / wave.fileName).string(), false});
        output::CheckOutputs(outputs, {});
        for (const auto &wave : waves)
            output::WriteWholeFile((std::filesystem::path(argv[1]) / wave.fileName).string(),
                                   Encode(wave));
    } catch (...) {
        return output::ToolExit("wavegen", "the waves");
    }
    return 0;
}
