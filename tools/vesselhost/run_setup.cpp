// Everything of the run before its first step: the memory it needs, the sound library,
// the recording, the vessels with their meshes. `check` does this much too, so it finds
// what run would.
#include <cmath>
#include <cstdio>
#include <numbers>

#include "host/base/host_error.h"
#include "tools/vesselhost/available_memory.h"
#include "tools/vesselhost/building.h"
#include "tools/vesselhost/scenario_runner.h"
#include "tools/vesselhost/simulator_root.h"

namespace vesselhost {

namespace {

namespace fs = std::filesystem;

// The sound library gives out this many sound ids, one to each vessel that asks; the
// vehicles ask as they are created.
constexpr std::size_t kSoundIds = 60;

// What a vehicle takes in a run, with room to spare: about 11 KiB in the host and its
// module, the run's own figures of it, the heap's slack.
constexpr std::uint64_t kBytesPerVehicle = 16 << 10;

std::string At(const host::Scenario &scenario, int line)
{
    return scenario.file + ":" + std::to_string(line) + ": ";
}

std::string Gibibytes(std::uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GiB", double(bytes) / double(1 << 30));
    return text;
}

} // namespace

void ScenarioRun::SetUp(bool recordSound)
{
    Building building("the vessels and their meshes");
    sim_.Reset();
    sim_.SetRoot(root_);
    CheckMemory();
    if (traceFile_) {
        traceSelection_ = options_.traceSelection;
        sim_.Trace().enabled = true;
        sim_.Trace().selection = &traceSelection_;
    }
    if (scenario_.physics)
        sim_.physics = &ground_;
    LoadSoundLibrary();
    if (recordSound) {
        if (!sim_.SoundLibrary())
            throw host::Error(
                options_.audio + ": no sound library is loaded (" +
                (scenario_.sound ? "none in " + root_ : "SOUND OFF in " + scenario_.file) +
                "), so there is no sound to record");
        recording_ = std::make_unique<SoundRecording>(*sim_.SoundLibrary(), options_.audio);
    }

    CreateVessels();
    // A mesh file the modules asked for that cannot be read is bad input like a broken
    // scenario; the host noted it instead of failing the module's call.
    if (!sim_.MeshErrors().empty())
        throw host::Error(sim_.MeshErrors().front());
    WarnSilentVessels();
}

// A fleet has no limit of its own but the memory: one that would not fit is refused
// before anything is created, rather than ending in the system's out-of-memory kill.
void ScenarioRun::CheckMemory() const
{
    const std::uint64_t needed = scenario_.ships.size() * kBytesPerVehicle;
    const std::optional<std::uint64_t> available = AvailableMemory();
    if (available && needed > *available)
        throw host::Error(At(scenario_, scenario_.ships.back().line) +
                          std::to_string(scenario_.ships.size()) + " ships need about " +
                          Gibibytes(needed) + " of memory (" +
                          std::to_string(kBytesPerVehicle >> 10) + " KiB each), and " +
                          Gibibytes(*available) + " are available; expected a fleet that fits");
}

void ScenarioRun::LoadSoundLibrary()
{
    if (!scenario_.sound)
        return;
    std::string path = SoundLibraryPath(root_);
    std::error_code error;
    if (!fs::exists(path, error)) {
        std::fprintf(stderr,
                     "vesselhost: warning: no sound library at %s; the vehicles stay "
                     "silent\n",
                     path.c_str());
        return;
    }
    sim_.LoadSoundLibrary(path);
}

void ScenarioRun::CreateVessels()
{
    vessels_.reserve(scenario_.ships.size());
    for (const host::ScenarioShip &ship : scenario_.ships) {
        host::Vessel *vessel = nullptr;
        try {
            vessel = &sim_.CreateVessel(ship.name, ship.className);
        } catch (const host::Error &e) {
            throw host::Error(At(scenario_, ship.line) + "vessel " + ship.name + " of class " +
                              ship.className + " cannot be created: " + e.what());
        }
        double heading = std::fmod(ship.heading, 360.0);
        sim_.PlaceVessel(*vessel, ship.x, ship.z,
                         (heading < 0 ? heading + 360 : heading) * std::numbers::pi / 180);
        vessels_.push_back(vessel);
    }
    input_ = std::make_unique<ScenarioInput>(vessels_.size());
    // The simulator shows every vessel from the start; VISUAL OFF takes a visual away.
    for (host::Vessel *vessel : vessels_)
        sim_.CreateVisual(*vessel);
    sim_.SetFocus(vessels_[scenario_.focus]);
}

void ScenarioRun::WarnSilentVessels() const
{
    if (!sim_.SoundLibrary() || vessels_.size() <= kSoundIds)
        return;
    // The first few silent ones and the last.
    std::string names;
    for (std::size_t i = kSoundIds; i < vessels_.size() && i < kSoundIds + 3; ++i)
        names += (names.empty() ? "" : ", ") + vessels_[i]->name;
    if (vessels_.size() > kSoundIds + 3)
        names += (vessels_.size() > kSoundIds + 4 ? ", ... " : ", ") + vessels_.back()->name;
    std::fprintf(stderr,
                 "vesselhost: warning: the sound library has %zu sound ids, one per vessel in "
                 "the order they are created; the %zu vessels after the first %zu stay silent "
                 "(%s)\n",
                 kSoundIds, vessels_.size() - kSoundIds, kSoundIds, names.c_str());
}

} // namespace vesselhost
