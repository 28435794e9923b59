// The stand-in simulator: one per process, as the real one. It loads vessel modules,
// creates their vessels and drives their lives in the simulator's order, answers the
// modules' calls, and keeps the call trace.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/core/vessel_walk.h"
#include "host/library/dynamic_library.h"
#include "host/library/module_library.h"
#include "host/mesh/mesh.h"
#include "host/trace/call_trace.h"
#include "host/trace/trace_json.h"
#include "host/vessel/vessel_state.h"

namespace host {

// The callbacks on vessels of the host's own C++ ABI.
extern const SimhostVesselCallbacks kNativeVesselCallbacks;

// How the vessels move: told of each step once, then asked to move every vessel just
// before its own step; and to report a vessel just put down as standing there.
class Physics {
public:
    virtual void BeginStep(double dt, std::int64_t index) = 0;
    virtual void Move(Vessel &vessel) = 0;
    virtual void Place(Vessel &vessel) = 0;

protected:
    ~Physics() = default;
};

// Told, as it happens, of what a program's own figures need besides the call trace:
// a run's summary listens here rather than reading the trace.
class RunObserver {
public:
    // The sound library took a sound to play for the vessel whose callback runs.
    virtual void SoundPlayed(int vessel, int slot) = 0;

protected:
    ~RunObserver() = default;
};

class Simulator final : public TraceNames {
public:
    static Simulator &Get();
    ~Simulator();

    // The simulator root: Modules/ (libraries by class name), Meshes/, Sound/.
    void SetRoot(const std::string &root)
    {
        root_ = root;
        moduleDirectory_ = root + "/Modules";
    }
    const std::string &Root() const { return root_; }
    // Folder where module libraries are looked for by class name (Root()/Modules).
    void SetModuleDirectory(std::string directory) { moduleDirectory_ = std::move(directory); }
    const std::string &ModuleDirectory() const { return moduleDirectory_; }

    // Loads a module once; later calls return the loaded one. Throws host::Error.
    ModuleLibrary &LoadModule(const std::string &className);
    ModuleLibrary *FindModule(const std::string &className);
    // Unloads a module whose vessels are all gone (the library's detach runs).
    void UnloadModule(const std::string &className);

    // The sound library the modules look for by name; the host loads it at start-up.
    void LoadSoundLibrary(const std::string &path);
    const DynamicLibrary *SoundLibrary() const { return soundLibrary_.get(); }

    // How the host calls the vessels created from now on: through their modules' C++
    // ABI, which is the host's own unless a program loading modules of another ABI says
    // otherwise (module_boundary.h). Kept across Reset: a property of the process.
    void SetVesselCallbacks(const SimhostVesselCallbacks *callbacks)
    {
        vesselCallbacks_ = callbacks;
    }

    // A vessel's creation in the simulator's order: ovcInit (construction), its class
    // capabilities, its post-creation callback. The stages can also be run one by one.
    Vessel &CreateVessel(const std::string &name, const std::string &className,
                         int flightModel = 1);
    Vessel &ConstructVessel(const std::string &name, const std::string &className,
                            int flightModel = 1);
    void SetClassCaps(Vessel &vessel);
    void PostCreation(Vessel &vessel);
    // ovcExit, then the host drops everything it kept for the vessel.
    void DestroyVessel(Vessel &vessel);

    const std::vector<std::unique_ptr<Vessel>> &Vessels() const { return vessels_; }
    Vessel *FindVessel(const std::string &name);
    Vessel *FromHandle(OBJHANDLE handle); // null for a handle that is no live vessel
    const std::string &VesselName(int id) const override;

    // Puts a vessel on the ground at (x, z), m, facing `heading` (rad, 0..2π); the
    // physics, if set, reports it standing there. Not const: the vessels are the
    // simulator's world, which this changes.
    void PlaceVessel(Vessel &vessel, double x, double z, double heading);
    // What the host reports to a vessel when there is no physics to work it out.
    static void ScriptReadings(Vessel &vessel, double airspeed, const VECTOR3 &airspeedVector,
                               bool groundContact);

    // One simulation step of length dt: the physics (if set) moves every vessel with
    // the thrust and forces of the last step, then every vessel's post-step callback runs.
    // Each vessel's callback sees every vessel moved: the focus vessel, whose airspeed
    // any vessel may read, moves first; the others move just before their own callback,
    // so that one pass over the fleet does both.
    void Step(double dt)
    {
        Step(
            dt, [](Vessel &) {}, [](Vessel &) {});
    }
    // The same step with a program's own work on each vessel where the pass has it in
    // cache: `before(vessel)` ahead of its physics (the focus vessel's too, first), and
    // `after(vessel)` once its callback has run.
    template <class Before, class After>
    void Step(double dt, Before &&before, After &&after);
    Physics *physics = nullptr;
    // A buffered key event; returns what the vessel's key callback returned.
    int SendKey(Vessel &vessel, DWORD key, bool down);
    void CreateVisual(Vessel &vessel);
    void DestroyVisual(Vessel &vessel);

    void SetFocus(Vessel *vessel) { focus_ = vessel; }
    Vessel *Focus() const { return focus_; }

    double SimTime() const { return simTime_; }
    double Mjd() const { return kStartMjd + simTime_ / 86400.0; }
    std::int64_t StepIndex() const { return step_; }

    CallTrace &Trace() { return trace_; }
    // At most one observer; null for none. Kept until Reset.
    void Observe(RunObserver *observer) { observer_ = observer; }
    // The sound library took a sound of `slot` to play, for the calling vessel.
    void NoteSoundPlayed(int slot)
    {
        if (observer_ && callingVessel_ >= 0)
            observer_->SoundPlayed(callingVessel_, slot);
    }
    // Notes a call; calls that name no vessel (-1) belong to the vessel whose callback
    // is running, if any.
    void Record(int vessel, const char *call, std::vector<TraceValue> args,
                std::optional<TraceValue> ret = std::nullopt,
                TraceKeeps keeps = TraceKeeps::WhenSelected);

    // Meshes by name, loaded once per process from Root()/Meshes/NAME.msh (a backslash
    // in the name is a folder). Without the file the mesh is an empty named one. A
    // broken file also leaves it empty and is noted in MeshErrors() instead of being
    // thrown: a module's call that loads a mesh has no way to fail, and the program
    // driving the host reports the error with its file and line.
    MESHHANDLE LoadMesh(const std::string &name);
    const Mesh *MeshOf(MESHHANDLE handle) const;
    const std::string *MeshName(MESHHANDLE handle) const override;
    const std::vector<std::string> &MeshErrors() const { return meshErrors_; }

    // Lines the modules wrote to the log, in order.
    const std::vector<std::string> &LogLines() const { return log_; }
    void WriteLog(const std::string &line) { log_.push_back(line); }

    // Module set-up calls seen, by module file name, in order.
    const std::vector<std::string> &InitLibCalls() const { return initLibCalls_; }
    void NoteInitLib(const std::string &module) { initLibCalls_.push_back(module); }

    // Back to a fresh process: every vessel released, every library unloaded, the
    // trace, log, time, meshes and mesh errors cleared.
    void Reset();

    static constexpr double kStartMjd = 51544.5;

private:
    // Marks the vessel whose callback runs for the scope's lifetime.
    class InCallback {
    public:
        InCallback(Simulator &sim, const Vessel &vessel) : sim_(sim), saved_(sim.callingVessel_)
        {
            sim.callingVessel_ = vessel.id;
        }
        ~InCallback() { sim_.callingVessel_ = saved_; }

    private:
        Simulator &sim_;
        int saved_;
    };

    Simulator() = default;
    // The vessel's post-step callback, the forces of the step gone first: the physics has
    // applied them, or there is none.
    void PostStep(Vessel &vessel, double dt, double mjd);
    // Drops the names of gone vessels that no kept trace record can name.
    void ForgetUnnamedGone();

    std::string root_ = ".";
    std::string moduleDirectory_ = "./Modules";
    std::vector<std::unique_ptr<ModuleLibrary>> modules_;
    std::unique_ptr<DynamicLibrary> soundLibrary_;
    std::vector<std::unique_ptr<Vessel>> vessels_;
    std::unordered_map<std::string, Vessel *> vesselsByName_; // the live ones
    std::unordered_set<const void *> liveHandles_;
    // Names by id: of the live vessels, and of the gone ones for as long as a kept trace
    // record may name them (a gone vessel makes no call, so once the trace is cleared
    // or found empty, none does). A long run that creates vessels without end keeps
    // only what it needs.
    std::unordered_map<int, std::string> names_;
    struct GoneVessel {
        int id;
        std::uint64_t traceClears; // the trace's clears when it went
    };
    std::vector<GoneVessel> gone_;
    int nextId_ = 0;
    std::vector<std::unique_ptr<Mesh>> meshes_;
    std::map<std::string, std::size_t> meshByName_;
    std::vector<std::string> meshErrors_;
    Vessel *focus_ = nullptr;
    double simTime_ = 0;
    std::int64_t step_ = -1;
    CallTrace trace_;
    std::vector<std::string> log_;
    std::vector<std::string> initLibCalls_;
    int callingVessel_ = -1;
    RunObserver *observer_ = nullptr;
    const SimhostVesselCallbacks *vesselCallbacks_ = &kNativeVesselCallbacks;
};

template <class Before, class After>
void Simulator::Step(double dt, Before &&before, After &&after)
{
    ++step_;
    if (physics)
        physics->BeginStep(dt, step_);
    Vessel *const first = focus_;
    if (first) {
        before(*first);
        if (physics)
            physics->Move(*first);
    }
    simTime_ += dt;
    const double mjd = Mjd();
    WalkVessels(vessels_, [&](Vessel &v) {
        if (&v != first) {
            before(v);
            if (physics)
                physics->Move(v);
        }
        PostStep(v, dt, mjd);
        after(v);
    });
}

} // namespace host
