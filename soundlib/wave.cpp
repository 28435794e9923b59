#include "soundlib/wave.h"

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <set>

namespace standin {

std::string WavePath(const std::string &root, const char *name)
{
    std::string path = root + "/" + name;
    for (char &c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::optional<Wave> ReadWaveFile(const std::string &path)
{
    // A FIFO or a device would block the read or never end it: only a file is read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return std::nullopt;
    std::vector<float> interleaved(std::size_t(info.frames) * std::size_t(info.channels));
    sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (frames < 0 || info.samplerate <= 0 || info.channels <= 0)
        return std::nullopt;

    Wave wave;
    wave.rate = info.samplerate;
    wave.samples.resize(std::size_t(frames));
    for (std::size_t frame = 0; frame < wave.samples.size(); ++frame) {
        float sum = 0;
        for (int channel = 0; channel < info.channels; ++channel)
            sum += interleaved[frame * std::size_t(info.channels) + std::size_t(channel)];
        wave.samples[frame] = sum / float(info.channels);
    }
    return wave;
}

void WarnStandIn(const std::string &path)
{
    static std::set<std::string> warned;
    if (!warned.insert(path).second)
        return;
    std::error_code error;
    const char *why = !std::filesystem::exists(path, error) ? "there is no such file"
                      : std::filesystem::is_regular_file(path, error)
                          ? "it cannot be read as a wave file"
                          : "it is not a file";
    std::fprintf(stderr, "OrbiterSound.dll: warning: %s: %s; its slots play the stand-in tone\n",
                 path.c_str(), why);
}

Wave StandInWave(int slot)
{
    // Fundamental and overtones, with their amplitudes.
    struct Partial {
        int harmonic;
        double amplitude;
    };
    constexpr Partial kPartials[] = {{1, 0.30}, {2, 0.15}, {3, 0.08}};

    const double fundamental = 55.0 * (slot + 1);
    Wave wave;
    wave.rate = kStandInRate;
    wave.samples.resize(std::size_t(kStandInRate * kStandInSeconds));
    for (std::size_t frame = 0; frame < wave.samples.size(); ++frame) {
        double t = double(frame) / kStandInRate, sample = 0;
        for (const Partial &p : kPartials)
            sample += p.amplitude * std::sin(2 * std::numbers::pi * fundamental * p.harmonic * t);
        wave.samples[frame] = float(sample);
    }
    return wave;
}

} // namespace standin
