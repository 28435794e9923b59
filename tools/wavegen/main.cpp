// wavegen FOLDER: writes the vehicles' waves into FOLDER as 16-bit PCM mono WAV files.
#include <sndfile.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/wavegen/vehicle_waves.h"

namespace fs = std::filesystem;

namespace {

// Written beside the target and renamed onto it: whole or not at all.
void Write(const fs::path &folder, const wavegen::Synthesised &wave)
{
    fs::path target = folder / wave.fileName;
    std::error_code error;
    auto status = fs::symlink_status(target, error);
    if (fs::exists(status) && !fs::is_regular_file(status))
        throw std::runtime_error(target.string() + ": not a regular file; left as it is");
    fs::path temporary = target;
    temporary += ".partial";
    SF_INFO info{};
    info.samplerate = wave.rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(temporary.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(temporary.string() + ": " + sf_strerror(nullptr));
    sf_count_t written = sf_write_float(file, wave.samples.data(), sf_count_t(wave.samples.size()));
    sf_close(file);
    if (written != sf_count_t(wave.samples.size())) {
        fs::remove(temporary);
        throw std::runtime_error(temporary.string() + ": cannot write");
    }
    fs::rename(temporary, target);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wavegen FOLDER\n");
        return 2;
    }
    try {
        for (const auto &wave :
             {wavegen::EngineRun(), wavegen::EngineStart(), wavegen::CannonShot()})
            Write(argv[1], wave);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "wavegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
