// Waves as the stand-in sound library holds them: mono samples with their own rate,
// read from the simulator's sound files or synthesised when a file is missing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Wave {
    std::vector<float> samples; // mono, -1..1
    double rate = 0;            // frames per second when played at frequency 0

    std::size_t Frames() const { return samples.size(); }
};

// A missing wave file sounds as a tone of this length and rate (one second), pitched
// by its slot: 55 Hz × (slot + 1) with two overtones, whole cycles so that it loops
// without a click.
inline constexpr double kStandInRate = 22050;
inline constexpr double kStandInSeconds = 1.0;

// The file a wave name stands for under the simulator root; the name's backslashes
// separate folders ("Sound\Vessel\x.wav" is <root>/Sound/Vessel/x.wav).
std::string WavePath(const std::string &root, const char *name);

// The wave in a sound file, channels mixed down; nothing when the file is missing or
// cannot be read.
std::optional<Wave> ReadWaveFile(const std::string &path);

Wave StandInWave(int slot);

// Says on standard error, once per file for the library's lifetime, that the file's
// wave is replaced by the stand-in tone, and why.
void WarnStandIn(const std::string &path);

} // namespace standin
