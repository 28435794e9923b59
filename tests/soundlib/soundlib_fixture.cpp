#include "tests/soundlib/soundlib_fixture.h"
#include "generated/test_build.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>

namespace soundlib_testing {

namespace {

template <typename Function>
Function Export(const host::DynamicLibrary &library, const char *name)
{
    void *symbol = library.Symbol(name);
    if (!symbol)
        ADD_FAILURE() << library.Path() << " lacks " << name;
    return reinterpret_cast<Function>(symbol);
}

} // namespace

SoundExports::SoundExports(const host::DynamicLibrary &library)
    : getVesselSoundId(Export<decltype(getVesselSoundId)>(library, "GetVesselSoundID3")),
      loadWave(Export<decltype(loadWave)>(library, "LoadVesselWaveOBSound3")),
      playWave(Export<decltype(playWave)>(library, "PlayVesselWaveOBSound3")),
      playExclusiveWave(
          Export<decltype(playExclusiveWave)>(library, "PlayVesselExclusiveWaveOBSound3")),
      stopWave(Export<decltype(stopWave)>(library, "StopVesselWave3")),
      isPlayingWave(Export<decltype(isPlayingWave)>(library, "IsPlayingVesselWave3")),
      isPlayingRadioWave(Export<decltype(isPlayingRadioWave)>(library, "IsPlayingRadioVesselWave")),
      soundOption(Export<decltype(soundOption)>(library, "SoundOption3")),
      setFrequency(Export<decltype(setFrequency)>(library, "SetFrequency")),
      replaceStockSound(Export<decltype(replaceStockSound)>(library, "ReplaceStockOBSound3")),
      beginRecording(Export<decltype(beginRecording)>(library, "StandInSoundBeginRecording")),
      endRecording(Export<decltype(endRecording)>(library, "StandInSoundEndRecording"))
{
}

void WriteWave(const std::filesystem::path &path, const std::vector<float> &samples, int rate)
{
    std::filesystem::create_directories(path.parent_path());
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path;
    sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

Recording ReadWave(const std::filesystem::path &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    EXPECT_EQ(info.channels, 1);
    Recording out;
    out.rate = info.samplerate;
    out.samples.resize(std::size_t(info.frames));
    sf_readf_float(file, out.samples.data(), info.frames);
    sf_close(file);
    return out;
}

std::vector<float> Sine(double hertz, double seconds, int rate, double amplitude)
{
    std::vector<float> out(std::size_t(seconds * rate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = float(amplitude * std::sin(2 * std::numbers::pi * hertz * double(i) / rate));
    return out;
}

void SoundLibraryTest::SetUp()
{
    HostTest::SetUp();
    // A root of the test's own, without the built vehicles' waves: a slot holds its
    // stand-in tone unless the test writes a wave file for it.
    UseOwnRoot();
    LoadSoundLibrary();
    lib = std::make_unique<SoundExports>(*sim.SoundLibrary());
}

void SoundLibraryTest::TearDown()
{
    lib.reset();
    HostTest::TearDown();
}

std::filesystem::path SoundLibraryTest::UseOwnRoot()
{
    std::filesystem::path root = WorkDir() / "root";
    std::filesystem::create_directories(root);
    sim.SetRoot(root.string());
    sim.SetModuleDirectory(std::string(SIM_ROOT) + "/Modules");
    return root;
}

void SoundLibraryTest::Advance(double seconds)
{
    while (seconds > 1e-9) {
        double dt = std::min(seconds, 0.1);
        sim.Step(dt);
        seconds -= dt;
    }
}

void SoundLibraryTest::ExpectEndsBetween(int id, int slot, double playing, double ended)
{
    Advance(playing);
    EXPECT_EQ(lib->isPlayingWave(id, slot), 1) << "after " << playing << " s";
    Advance(ended);
    EXPECT_EQ(lib->isPlayingWave(id, slot), 0) << "after " << playing + ended << " s";
}

} // namespace soundlib_testing
