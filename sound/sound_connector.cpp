#include "sound/sound_connector.h"

#include <cstdio>

#include "platform/kernel.h"

namespace {

// The sound library's exports, in binding order; the index of each is its entry.
enum Entry {
    kLoadWaveEntry,
    kPlayWaveEntry,
    kPlayExclusiveWaveEntry,
    kStopWaveEntry,
    kIsPlayingWaveEntry,
    kIsPlayingRadioWaveEntry,
    kSoundOptionEntry,
    kSetFrequencyEntry,
    kGetVesselSoundIdEntry,
    kReplaceStockSoundEntry,
    kEntryCount
};

constexpr const char *kEntryNames[kEntryCount] = {
    "LoadVesselWaveOBSound3",
    "PlayVesselWaveOBSound3",
    "PlayVesselExclusiveWaveOBSound3",
    "StopVesselWave3",
    "IsPlayingVesselWave3",
    "IsPlayingRadioVesselWave",
    "SoundOption3",
    "SetFrequency",
    "GetVesselSoundID3",
    "ReplaceStockOBSound3",
};

// How the module calls the bound entries.
typedef int (*LoadWaveCall)(int id, int slot, const char *fileName, int loadType);
typedef int (*PlayWaveCall)(int id, int slot, int loop, int volume, int frequency);
typedef int (*SlotCall)(int id, int slot);
typedef int (*SoundOptionCall)(int id, int option, int value);
typedef int (*GetVesselSoundIdCall)(OBJHANDLE hVessel);

constexpr int kLastId = 59;
constexpr int kFirstSlot = 1, kLastSlot = 60;
constexpr int kFirstOption = 1, kLastOption = 17;

// Entries written beyond this count are dropped (so 101 per module and process).
constexpr int kLogEntryLimit = 100;

constexpr char kLogFileName[] = "OrbiterSound_Log.txt";
constexpr char kLogHeader[] = "Orbiter Sound Log Started\n*****************************\n\n";
constexpr char kLogSeparator[] = "--------------------------------------";

constexpr char kNullHandleMessage[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL3: A vessel passed a NULL handle to this function";
constexpr char kNotInstalledMessage[] = "ERR01= Vessel->ConnectToOrbiterSoundDLL3: Unable to "
                                        "connect to OrbiterSound 3.0 - not installed or activated";
constexpr char kMissingRoutinesMessage[] =
    "ERR02= ConnectToOrbiterSoundDLL3: Unable to find routines missing OrbiterSound3.0 ?";
constexpr char kNoVesselIdMessage[] =
    "ERR03= unable to connect to GetMyID, Older OrbiterSound.dll ?";

// Module-wide: shared by every vehicle of the module, unbound at load, never reset.
HMODULE soundLibrary = nullptr;
FARPROC entries[kEntryCount] = {};
int logEntriesWritten = 0;
constexpr char kDetailText[] = "";

bool InRange(int value, int first, int last) { return value >= first && value <= last; }

// Through void (*)(): the generic function pointer type, cast without complaint.
template <typename Call> Call Bound(Entry entry)
{
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(entries[entry]));
}

} // namespace

int ConnectToOrbiterSoundDLL3(OBJHANDLE hVessel)
{
    if (!hVessel) {
        SoundConnector::WriteSoundLog(kNullHandleMessage, kDetailText);
        return -1;
    }
    soundLibrary = GetModuleHandleA("OrbiterSound.dll");
    if (!soundLibrary) {
        SoundConnector::WriteSoundLog(kNotInstalledMessage, kDetailText);
        return -1;
    }
    for (int entry = 0; entry < kEntryCount; ++entry)
        entries[entry] = GetProcAddress(soundLibrary, kEntryNames[entry]);
    for (int entry = 0; entry < kEntryCount; ++entry) {
        if (entry != kGetVesselSoundIdEntry && !entries[entry]) {
            SoundConnector::WriteSoundLog(kMissingRoutinesMessage, kDetailText);
            return -1;
        }
    }
    if (!entries[kGetVesselSoundIdEntry]) {
        SoundConnector::WriteSoundLog(kNoVesselIdMessage, kDetailText);
        return -1;
    }
    return Bound<GetVesselSoundIdCall>(kGetVesselSoundIdEntry)(hVessel);
}

int SoundConnector::LoadWave(int id, int slot, const char *fileName, int loadType)
{
    if (!entries[kLoadWaveEntry] || !InRange(id, 0, kLastId) ||
        !InRange(slot, kFirstSlot, kLastSlot))
        return 0;
    return Bound<LoadWaveCall>(kLoadWaveEntry)(id, slot, fileName, loadType);
}

int SoundConnector::PlayWave(int id, int slot, int loop, int volume, int frequency)
{
    if (!entries[kPlayWaveEntry] || !InRange(id, 0, kLastId) ||
        !InRange(slot, kFirstSlot, kLastSlot))
        return 0;
    return Bound<PlayWaveCall>(kPlayWaveEntry)(id, slot, loop, volume, frequency);
}

int SoundConnector::StopWave(int id, int slot)
{
    if (!entries[kStopWaveEntry] || !InRange(id, 0, kLastId) ||
        !InRange(slot, kFirstSlot, kLastSlot))
        return 0;
    return Bound<SlotCall>(kStopWaveEntry)(id, slot);
}

int SoundConnector::IsPlayingWave(int id, int slot)
{
    if (!entries[kIsPlayingWaveEntry] || !InRange(id, 0, kLastId) ||
        !InRange(slot, kFirstSlot, kLastSlot))
        return 0;
    return Bound<SlotCall>(kIsPlayingWaveEntry)(id, slot);
}

int SoundConnector::SetSoundOption(int id, int option, int value)
{
    if (!entries[kSoundOptionEntry] || !InRange(id, 0, kLastId) ||
        !InRange(option, kFirstOption, kLastOption))
        return 0;
    return Bound<SoundOptionCall>(kSoundOptionEntry)(id, option, value);
}

void SoundConnector::WriteSoundLog(const char *message, const char *detail)
{
    if (logEntriesWritten > kLogEntryLimit)
        return;
    // Opening for update only tells whether the file exists; a new file gets the header.
    std::FILE *file = std::fopen(kLogFileName, "r+t");
    if (!file) {
        file = std::fopen(kLogFileName, "w+t");
        if (!file)
            return; // the folder takes no file: the entry is dropped and nothing counted
        std::fprintf(file, "%s", kLogHeader);
    }
    std::fclose(file);

    file = std::fopen(kLogFileName, "a+t");
    if (!file)
        return;
    std::fprintf(file, "%s\n", kLogSeparator);
    if (message)
        std::fprintf(file, "%s\n", message);
    if (detail)
        std::fprintf(file, "%s\n", detail);
    ++logEntriesWritten;
    std::fclose(file);
}
