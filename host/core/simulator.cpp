#include "host/core/simulator.h"

#include <algorithm>
#include <filesystem>

#include "host/base/handles.h"
#include "host/base/host_error.h"
#include "host/core/module_boundary.h"
#include "host/core/vessel_walk.h"
#include "host/mesh/mesh_loader.h"

namespace host {

Simulator &Simulator::Get()
{
    static Simulator simulator;
    return simulator;
}

Simulator::~Simulator() { Reset(); }

ModuleLibrary &Simulator::LoadModule(const std::string &className)
{
    if (ModuleLibrary *loaded = FindModule(className))
        return *loaded;
    modules_.push_back(std::make_unique<ModuleLibrary>(className, moduleDirectory_));
    return *modules_.back();
}

ModuleLibrary *Simulator::FindModule(const std::string &className)
{
    for (auto &m : modules_)
        if (m->ClassName() == className)
            return m.get();
    return nullptr;
}

void Simulator::UnloadModule(const std::string &className)
{
    for (auto &v : vessels_)
        if (v->className == className)
            throw Error("module " + className + " still has vessel " + v->name);
    std::erase_if(modules_, [&](const auto &m) { return m->ClassName() == className; });
}

void Simulator::LoadSoundLibrary(const std::string &path)
{
    soundLibrary_.reset();
    soundLibrary_ = std::make_unique<DynamicLibrary>(path);
}

Vessel &Simulator::CreateVessel(const std::string &name, const std::string &className,
                                int flightModel)
{
    Vessel &vessel = ConstructVessel(name, className, flightModel);
    SetClassCaps(vessel);
    PostCreation(vessel);
    return vessel;
}

Vessel &Simulator::ConstructVessel(const std::string &name, const std::string &className,
                                   int flightModel)
{
    if (FindVessel(name))
        throw Error("a vessel named " + name + " exists already");
    ModuleLibrary &module = LoadModule(className);
    auto vessel = std::make_unique<Vessel>();
    vessel->id = nextId_++;
    vessel->name = name;
    vessel->className = className;
    vessel->module = &module;
    vessel->flightModel = flightModel;
    names_[vessel->id] = name;
    if (trace_.selection)
        trace_.selection->NoteVessel(vessel->id, name);
    Vessel &v = *vessels_.emplace_back(std::move(vessel));
    vesselsByName_[name] = &v;
    liveHandles_.insert(&v);
    {
        InCallback scope(*this, v);
        v.vessel = module.Init(&v, flightModel);
    }
    if (!v.vessel) {
        vesselsByName_.erase(name);
        liveHandles_.erase(&v);
        vessels_.pop_back();
        throw Error("module " + className + " could not create vessel " + name);
    }
    v.callbacks = vesselCallbacks_;
    return v;
}

void Simulator::SetClassCaps(Vessel &vessel)
{
    InCallback scope(*this, vessel);
    vessel.callbacks->clbkSetClassCaps(vessel.vessel, nullptr);
}

void Simulator::PostCreation(Vessel &vessel)
{
    InCallback scope(*this, vessel);
    vessel.callbacks->clbkPostCreation(vessel.vessel);
}

void Simulator::DestroyVessel(Vessel &vessel)
{
    if (focus_ == &vessel)
        focus_ = nullptr;
    {
        InCallback scope(*this, vessel);
        vessel.module->Exit(vessel.vessel);
    }
    vesselsByName_.erase(vessel.name);
    liveHandles_.erase(&vessel);
    gone_.push_back({vessel.id, trace_.Clears()});
    // Looked for from the end, where a whole fleet's release (Reset) finds each at once.
    auto found = std::find_if(vessels_.rbegin(), vessels_.rend(),
                              [&](const auto &v) { return v.get() == &vessel; });
    if (found != vessels_.rend())
        vessels_.erase(std::next(found).base());
    ForgetUnnamedGone();
}

Vessel *Simulator::FindVessel(const std::string &name)
{
    auto found = vesselsByName_.find(name);
    return found == vesselsByName_.end() ? nullptr : found->second;
}

Vessel *Simulator::FromHandle(OBJHANDLE handle)
{
    return liveHandles_.contains(handle) ? static_cast<Vessel *>(handle) : nullptr;
}

void Simulator::ForgetUnnamedGone()
{
    const bool traceEmpty = trace_.Calls().empty();
    std::erase_if(gone_, [&](const GoneVessel &gone) {
        const bool unnamed = traceEmpty || gone.traceClears != trace_.Clears();
        if (unnamed)
            names_.erase(gone.id);
        return unnamed;
    });
}

const std::string &Simulator::VesselName(int id) const
{
    static const std::string none;
    auto found = names_.find(id);
    return found == names_.end() ? none : found->second;
}

// NOLINTNEXTLINE(readability-make-member-function-const): it changes the world it holds
void Simulator::PlaceVessel(Vessel &vessel, double x, double z, double heading)
{
    vessel.motion.x = x;
    vessel.motion.z = z;
    vessel.motion.heading = heading;
    if (physics)
        physics->Place(vessel);
}

void Simulator::ScriptReadings(Vessel &vessel, double airspeed, const VECTOR3 &airspeedVector,
                               bool groundContact)
{
    vessel.readings.airspeed = airspeed;
    vessel.readings.airspeedVector = airspeedVector;
    vessel.readings.groundContact = groundContact;
}

void Simulator::PostStep(Vessel &vessel, double dt, double mjd)
{
    vessel.forces.clear();
    InCallback scope(*this, vessel);
    vessel.callbacks->clbkPostStep(vessel.vessel, simTime_, dt, mjd);
}

int Simulator::SendKey(Vessel &vessel, DWORD key, bool down)
{
    char keyState[256] = {};
    if (down && key < 256)
        keyState[key] = char(0x80);
    InCallback scope(*this, vessel);
    return vessel.callbacks->clbkConsumeBufferedKey(vessel.vessel, key, down, keyState);
}

void Simulator::CreateVisual(Vessel &vessel)
{
    if (vessel.visual)
        return;
    vessel.visual = MakeHandle(HandleKind::Visual, std::size_t(vessel.id));
    InCallback scope(*this, vessel);
    vessel.callbacks->clbkVisualCreated(vessel.vessel, vessel.visual, 1);
}

void Simulator::DestroyVisual(Vessel &vessel)
{
    if (!vessel.visual)
        return;
    InCallback scope(*this, vessel);
    vessel.callbacks->clbkVisualDestroyed(vessel.vessel, vessel.visual, 0);
    vessel.visual = nullptr;
}

void Simulator::Record(int vessel, const char *call, std::vector<TraceValue> args,
                       std::optional<TraceValue> ret, TraceKeeps keeps)
{
    if (vessel < 0)
        vessel = callingVessel_;
    const CallTrace::Keep keep = trace_.Keeps(call, vessel, simTime_, keeps);
    if (keep == CallTrace::Keep::No)
        return;
    TraceCall c;
    c.selected = keep == CallTrace::Keep::Selected;
    c.step = step_;
    c.t = simTime_;
    c.vessel = vessel;
    c.call = call;
    c.args = std::move(args);
    c.ret = std::move(ret);
    trace_.Add(std::move(c));
}

MESHHANDLE Simulator::LoadMesh(const std::string &name)
{
    auto found = meshByName_.find(name);
    if (found != meshByName_.end())
        return MakeHandle(HandleKind::Mesh, found->second);
    auto mesh = std::make_unique<Mesh>();
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::string path = root_ + "/Meshes/" + relative + ".msh";
    std::error_code ignored;
    // Missing: the placeholder; anything there that is not a mesh file (a FIFO, a
    // folder) is refused by the loader at once.
    if (std::filesystem::exists(path, ignored)) {
        try {
            *mesh = LoadMeshFile(path);
        } catch (const Error &e) {
            meshErrors_.push_back(e.what());
        }
    }
    mesh->name = name;
    meshes_.push_back(std::move(mesh));
    meshByName_[name] = meshes_.size() - 1;
    return MakeHandle(HandleKind::Mesh, meshes_.size() - 1);
}

const Mesh *Simulator::MeshOf(MESHHANDLE handle) const
{
    std::ptrdiff_t index = IndexOf(handle, HandleKind::Mesh);
    return index >= 0 && std::size_t(index) < meshes_.size() ? meshes_[index].get() : nullptr;
}

const std::string *Simulator::MeshName(MESHHANDLE handle) const
{
    const Mesh *mesh = MeshOf(handle);
    return mesh ? &mesh->name : nullptr;
}

void Simulator::Reset()
{
    // The trace is dropped first: nothing reads what the vessels' release would add, and
    // with the trace empty every gone vessel's name goes at once.
    trace_.Clear();
    trace_.enabled = false;
    trace_.selection = nullptr;
    observer_ = nullptr;
    while (!vessels_.empty())
        DestroyVessel(*vessels_.back());
    modules_.clear();
    soundLibrary_.reset();
    names_.clear();
    gone_.clear();
    nextId_ = 0;
    meshes_.clear();
    meshByName_.clear();
    meshErrors_.clear();
    focus_ = nullptr;
    simTime_ = 0;
    step_ = -1;
    trace_.Clear();
    log_.clear();
    initLibCalls_.clear();
    physics = nullptr;
}

} // namespace host
