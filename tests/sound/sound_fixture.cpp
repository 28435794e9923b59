#include "tests/sound/sound_fixture.h"
#include "generated/test_build.h"

#include <fstream>
#include <sstream>

namespace sound_testing {

namespace {

template <typename Function> Function Export(const host::ModuleLibrary &module, const char *name)
{
    void *symbol = module.Symbol(name);
    if (!symbol)
        ADD_FAILURE() << module.Path() << " lacks " << name;
    return reinterpret_cast<Function>(symbol);
}

} // namespace

std::string LogEntry(const std::string &message)
{
    return std::string(38, '-') + "\n" + message + "\n\n";
}

std::string LogOf(const std::vector<std::string> &messages)
{
    std::string log = kLogHeader;
    for (const std::string &m : messages)
        log += LogEntry(m);
    return log;
}

ConnectorProbe::ConnectorProbe(const host::ModuleLibrary &module)
    : connect(Export<decltype(connect)>(module, "ProbeConnect")),
      loadWave(Export<decltype(loadWave)>(module, "ProbeLoadWave")),
      playWave(Export<decltype(playWave)>(module, "ProbePlayWave")),
      stopWave(Export<decltype(stopWave)>(module, "ProbeStopWave")),
      isPlayingWave(Export<decltype(isPlayingWave)>(module, "ProbeIsPlayingWave")),
      setSoundOption(Export<decltype(setSoundOption)>(module, "ProbeSetSoundOption")),
      writeSoundLog(Export<decltype(writeSoundLog)>(module, "ProbeWriteSoundLog")),
      soundIdOf(Export<decltype(soundIdOf)>(module, "ProbeSoundId"))
{
}

void SoundTest::LoadSoundLibraryFrom(const std::string &folder)
{
    sim.LoadSoundLibrary(folder + "/OrbiterSound.dll");
}

void SoundTest::UseProbeModules() { sim.SetModuleDirectory(std::string(TEST_ROOT) + "/sound_probe"); }

ConnectorProbe SoundTest::Probe(const std::string &className)
{
    return ConnectorProbe(sim.LoadModule(className));
}

int SoundTest::SoundIdOf(const host::Vessel &vessel)
{
    return Probe(vessel.className).soundIdOf(vessel.vessel);
}

std::optional<std::string> SoundTest::ReadLog()
{
    // In text mode, like the connector writes it: line ends are the platform's.
    std::ifstream file("OrbiterSound_Log.txt");
    if (!file)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace sound_testing
