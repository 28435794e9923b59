// Fixture of the connector and vehicle sound tests: a fresh simulator in a fresh
// working folder per test, the sound library of choice, and the test builds of the
// modules that export their connector's operations.
#pragma once

#include <optional>
#include <string>

#include <gmock/gmock.h>

#include "tests/sound/sound_test_support.h"
#include "tests/support/host_fixture.h"

namespace sound_testing {

inline constexpr char kNullHandleMessage[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL3: A vessel passed a NULL handle to this function";
inline constexpr char kNotInstalledMessage[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL3: Unable to connect to OrbiterSound 3.0 - not "
    "installed or activated";
inline constexpr char kMissingRoutinesMessage[] =
    "ERR02= ConnectToOrbiterSoundDLL3: Unable to find routines missing OrbiterSound3.0 ?";
inline constexpr char kNoVesselIdMessage[] =
    "ERR03= unable to connect to GetMyID, Older OrbiterSound.dll ?";

// The log's bytes: the header, then per entry the separator, the message and the
// connector's empty detail line.
std::string LogOf(const std::vector<std::string> &messages);
std::string LogEntry(const std::string &message);
inline constexpr char kLogHeader[] = "Orbiter Sound Log Started\n*****************************\n\n";

// The connector's operations of one test-build module.
struct ConnectorProbe {
    explicit ConnectorProbe(const host::ModuleLibrary &module);

    int (*connect)(OBJHANDLE);
    int (*loadWave)(int, int, const char *, int);
    int (*playWave)(int, int, int, int, int);
    int (*stopWave)(int, int);
    int (*isPlayingWave)(int, int);
    int (*setSoundOption)(int, int, int);
    void (*writeSoundLog)(const char *, const char *);
    int (*soundIdOf)(VESSEL *);
};

class SoundTest : public testing_support::HostTest {
protected:
    // A test variant of the sound library, from its folder under TEST_ROOT.
    void LoadSoundLibraryFrom(const std::string &folder);
    // Vessels are made from the test builds that export their connector.
    void UseProbeModules();
    ConnectorProbe Probe(const std::string &className);
    int SoundIdOf(const host::Vessel &vessel);

    // The log file's bytes; nothing when there is no file.
    static std::optional<std::string> ReadLog();
    std::vector<std::string> LibraryCalls() const { return SoundLibraryCalls(sim.Trace()); }
};

} // namespace sound_testing
