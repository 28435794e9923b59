// Fixture of the stand-in sound library's tests: a fresh simulator in a fresh working
// folder with the library loaded, its exports, and WAV files written and read back.
#pragma once

#include <gmock/gmock.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/sound/sound_test_support.h"
#include "tests/support/host_fixture.h"

namespace soundlib_testing {

// The library's exports, looked up in the loaded library.
struct SoundExports {
    explicit SoundExports(const host::DynamicLibrary &library);

    int (*getVesselSoundId)(OBJHANDLE);
    int (*loadWave)(int, int, const char *, int);
    int (*playWave)(int, int, int, int, int);
    int (*playExclusiveWave)(int, int, int, int, int);
    int (*stopWave)(int, int);
    int (*isPlayingWave)(int, int);
    int (*isPlayingRadioWave)(int);
    int (*soundOption)(int, int, int);
    int (*setFrequency)(int, int, int);
    int (*replaceStockSound)(int, const char *, int);
    int (*beginRecording)(const char *, int);
    int (*endRecording)();
};

struct Recording {
    std::vector<float> samples; // mono
    int rate = 0;
};

// A mono 16-bit WAV file.
void WriteWave(const std::filesystem::path &path, const std::vector<float> &samples, int rate);
Recording ReadWave(const std::filesystem::path &path);
std::vector<float> Sine(double hertz, double seconds, int rate, double amplitude = 0.5);

class SoundLibraryTest : public testing_support::HostTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The simulator root in the working folder, with the modules of the built one; every
    // test starts in it, with no wave files.
    std::filesystem::path UseOwnRoot();
    // Runs the simulation on by `seconds` in steps of at most 0.1 s.
    void Advance(double seconds);
    // A one-shot of sound id `id`, slot `slot`, still playing `playing` seconds on and
    // ended `ended` seconds after that.
    void ExpectEndsBetween(int id, int slot, double playing, double ended);

    std::unique_ptr<SoundExports> lib;
};

} // namespace soundlib_testing
