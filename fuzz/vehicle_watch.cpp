#include "fuzz/vehicle_watch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>

namespace reliability {

namespace {

constexpr double kMechanismRate = 0.25;   // state units per second, every mechanism
constexpr double kDriveMaxThrust = 9000;  // N, thMain and thRetro while the engine runs
constexpr double kYawMaxThrust = 90000;   // N, each yaw thruster while the engine runs
constexpr double kMirrorTolerance = 1e-9; // the steering pairs, mirrored about 0.5
// The wheel roll state wraps into 0..1 and may pass it by one step's advance, at most
// 0.56 of a turn (turning at the 55 m/s cap: 55 x 0.01 + 0.01).
constexpr double kLargestRollStep = 0.56;
constexpr unsigned kKeyD = 32, kKeyK = 37;

bool Finite(const VECTOR3 &v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

double Number(const host::TraceValue &value)
{
    if (const auto *d = std::get_if<double>(&value))
        return *d;
    if (const auto *i = std::get_if<std::int64_t>(&value))
        return double(*i);
    return std::nan("");
}

// The host's own answers: their arguments carry what the host reports, not the module.
bool IsReading(std::string_view call)
{
    return call.starts_with("Get") || call.starts_with("oapiGet") || call == "GroundContact";
}

// The advance every mechanism makes in a step; a step length no simulator gives moves
// nothing.
double Advance(double stepLength)
{
    const double d = stepLength * kMechanismRate;
    return std::isfinite(d) && d >= 0 ? d : 0;
}

std::string Text(double value) { return std::to_string(value); }

bool IsCall(const host::TraceCall &call, std::string_view name) { return call.call == name; }

// The SetAnimation calls among `calls` that set one of `animations`: (animation, state),
// in call order.
std::vector<std::pair<int, double>> AnimationSets(const std::vector<const host::TraceCall *> &calls,
                                                  std::span<const int> animations)
{
    std::vector<std::pair<int, double>> sets;
    for (const auto *call : calls) {
        if (!IsCall(*call, "SetAnimation"))
            continue;
        const int animation = int(Number(call->args.at(0)));
        if (std::find(animations.begin(), animations.end(), animation) != animations.end())
            sets.emplace_back(animation, Number(call->args.at(1)));
    }
    return sets;
}

} // namespace

void VehicleWatch::Add(const host::Vessel &vessel)
{
    Watched w;
    w.id = vessel.id;
    w.className = vessel.className;
    w.rig = testing_support::RigLayoutOf(vessel.className);
    if (!w.rig)
        Fail(nullptr, "no rig layout known for class " + vessel.className);
    else
        watched_.push_back(w);
}

void VehicleWatch::Remove(int vesselId)
{
    std::erase_if(watched_, [&](const Watched &w) { return w.id == vesselId; });
}

VehicleWatch::Watched *VehicleWatch::Find(int vesselId)
{
    for (auto &w : watched_)
        if (w.id == vesselId)
            return &w;
    return nullptr;
}

void VehicleWatch::NoteKey(int vesselId, unsigned key, bool down)
{
    Watched *w = Find(vesselId);
    if (!w || !down)
        return;
    if (key == kKeyD)
        w->doorMode = (w->doorMode == 0 || w->doorMode == 2) ? 3 : 2;
    if (key == kKeyK)
        w->engineStarted = true;
}

void VehicleWatch::Fail(const Watched *w, const std::string &what)
{
    violations_.push_back(w ? w->className + " vessel " + std::to_string(w->id) + ": " + what
                            : what);
}

void VehicleWatch::CheckFinite(const host::TraceCall &call)
{
    if (IsReading(call.call))
        return;
    for (const auto &arg : call.args) {
        bool finite = true;
        if (const auto *d = std::get_if<double>(&arg))
            finite = std::isfinite(*d);
        else if (const auto *v = std::get_if<VECTOR3>(&arg))
            finite = Finite(*v);
        else if (const auto *t = std::get_if<host::TransformSnapshot>(&arg))
            finite = Finite(t->ref) && Finite(t->axis) && std::isfinite(t->angle);
        if (!finite)
            Fail(Find(call.vessel), std::string("a number that is not finite in ") + call.call);
    }
}

// Before the start every thrust setting a module makes is 0.
void VehicleWatch::CheckThrustCalls(const Watched &w, const host::TraceCall &call)
{
    if (w.engineStarted || !(IsCall(call, "SetThrusterMax0") || IsCall(call, "SetThrusterLevel") ||
                             IsCall(call, "SetThrusterGroupLevel")))
        return;
    if (call.args.size() < 2 || Number(call.args[1]) != 0)
        Fail(&w, std::string(call.call) + " other than 0 before the engine started");
}

void VehicleWatch::Check(const std::vector<host::TraceCall> &calls,
                         const std::vector<host::Vessel *> &vessels,
                         std::optional<double> stepLength)
{
    for (const auto &call : calls) {
        CheckFinite(call);
        if (Watched *w = Find(call.vessel))
            CheckThrustCalls(*w, call);
    }
    for (host::Vessel *vessel : vessels) {
        Watched *w = Find(vessel->id);
        if (!w)
            continue;
        if (stepLength) {
            std::vector<const host::TraceCall *> own;
            for (const auto &call : calls)
                if (call.vessel == w->id)
                    own.push_back(&call);
            CheckStep(*w, own, Advance(*stepLength));
            CheckThrusters(*w, *vessel);
        }
        for (std::size_t i = 0; i < vessel->animations.size(); ++i)
            if (!std::isfinite(vessel->animations[i].state))
                Fail(w, "animation " + std::to_string(i) + " holds a state that is not finite");
    }
}

void VehicleWatch::CheckStep(Watched &w, const std::vector<const host::TraceCall *> &calls,
                             double d)
{
    CheckDoors(w, calls);
    CheckLevers(w, calls);
    const RigLayout &rig = *w.rig;
    struct Range {
        int animation;
        double low, high;
        const char *name;
    };
    const Range ranges[] = {{rig.turret, -d, 1 + d, "turret"},
                            {rig.cannon, -d, 1 + d, "cannon"},
                            {rig.roof, 0, 1, "roof rotator"}};
    for (const auto *call : calls) {
        if (!IsCall(*call, "SetAnimation"))
            continue;
        const int animation = int(Number(call->args.at(0)));
        const double state = Number(call->args.at(1));
        const int wheels[] = {rig.wheelsRightFwd, rig.wheelsLeftFwd, rig.wheelsRightRev,
                              rig.wheelsLeftRev};
        if (std::find(std::begin(wheels), std::end(wheels), animation) != std::end(wheels) &&
            !(state >= -kLargestRollStep && state <= 1 + kLargestRollStep))
            Fail(&w, "wheel roll state " + Text(state) + " beyond one step outside 0..1");
    }
    for (const auto &range : ranges) {
        if (range.animation < 0)
            continue;
        int sets = 0;
        for (const auto *call : calls) {
            if (!IsCall(*call, "SetAnimation") || Number(call->args.at(0)) != range.animation)
                continue;
            ++sets;
            const double state = Number(call->args.at(1));
            if (!(state >= range.low && state <= range.high))
                Fail(&w, std::string(range.name) + " state " + Text(state) + " outside " +
                             Text(range.low) + ".." + Text(range.high));
        }
        if (sets != 1)
            Fail(&w, std::string(range.name) + " set " + std::to_string(sets) +
                         " times in a step instead of once");
    }
}

// Modes 2 and 3 move the four door animations together toward 0 or 1; the step after
// the end is reached ends the mode. Modes 0 and 1 set nothing.
void VehicleWatch::CheckDoors(Watched &w, const std::vector<const host::TraceCall *> &calls)
{
    const RigLayout &rig = *w.rig;
    const int order[] = {rig.doorLeft, rig.latchLeft, rig.latchRight, rig.doorRight};
    const std::vector<std::pair<int, double>> sets = AnimationSets(calls, order);
    const bool moving = w.doorMode == 2 || w.doorMode == 3;
    if (!moving) {
        if (!sets.empty())
            Fail(&w, "door animations set in door mode " + std::to_string(w.doorMode));
        return;
    }
    if (sets.size() != 4) {
        Fail(&w, std::to_string(sets.size()) + " door animations set instead of 4 in door mode " +
                     std::to_string(w.doorMode));
        return;
    }
    const double position = sets[0].second;
    bool ordered = true;
    for (int i = 0; i < 4; ++i)
        ordered = ordered && sets[i].first == order[i] && sets[i].second == position;
    if (!ordered)
        Fail(&w, "door animations not set in order to one state");
    if (!(position >= 0 && position <= 1))
        Fail(&w, "door state " + Text(position) + " outside 0..1");
    const double previous = w.doorPosition;
    if (w.doorMode == 3) {
        if (previous >= 1) {
            if (position != previous)
                Fail(&w, "door moved after it was fully open");
            w.doorMode = 1;
        } else if (position < previous) {
            Fail(&w, "door closed while opening");
        }
    } else {
        if (previous <= 0) {
            if (position != previous)
                Fail(&w, "door moved after it was fully closed");
            w.doorMode = 0;
        } else if (position > previous) {
            Fail(&w, "door opened while closing");
        }
    }
    w.doorPosition = position;
}

// The levers are set in fours (left 1, right 1, left 2, right 2): the throttle pose
// gives all four one state within 0.25..0.75, the steering pose mirrors the right pair
// against the left about 0.5.
void VehicleWatch::CheckLevers(const Watched &w, const std::vector<const host::TraceCall *> &calls)
{
    const RigLayout &rig = *w.rig;
    const int order[] = {rig.leverLeft1, rig.leverRight1, rig.leverLeft2, rig.leverRight2};
    const std::vector<std::pair<int, double>> sets = AnimationSets(calls, order);
    if (sets.size() % 4 != 0) {
        Fail(&w, std::to_string(sets.size()) + " lever settings, not a whole number of poses");
        return;
    }
    for (std::size_t i = 0; i < sets.size(); i += 4) {
        bool ordered = true;
        for (std::size_t j = 0; j < 4; ++j)
            ordered = ordered && sets[i + j].first == order[j];
        const double left = sets[i].second, right = sets[i + 1].second;
        const bool paired = sets[i + 2].second == left && sets[i + 3].second == right;
        const bool throttle = left == right && left >= 0.25 && left <= 0.75;
        const bool steering = left >= 0 && left <= 1 && right >= 0 && right <= 1 &&
                              std::fabs(left + right - 1) <= kMirrorTolerance;
        if (!ordered || !paired || !(throttle || steering))
            Fail(&w, "lever pose (" + Text(left) + ", " + Text(right) +
                         ") is neither a throttle pose nor a steering pose");
    }
}

void VehicleWatch::CheckThrusters(const Watched &w, const host::Vessel &vessel)
{
    if (vessel.thrusters.size() != 6) {
        Fail(&w, std::to_string(vessel.thrusters.size()) + " thrusters instead of 6");
        return;
    }
    for (std::size_t i = 0; i < vessel.thrusters.size(); ++i) {
        const host::Thruster &t = vessel.thrusters[i];
        if (!w.engineStarted) {
            if (t.level != 0 || t.max0 != 0)
                Fail(&w, "thruster " + std::to_string(i) + " at level " + Text(t.level) +
                             ", maximum " + Text(t.max0) + " before the engine started");
        } else if (t.max0 != (i < 2 ? kDriveMaxThrust : kYawMaxThrust)) {
            Fail(&w, "thruster " + std::to_string(i) + " maximum " + Text(t.max0) +
                         " while the engine runs");
        }
    }
}

} // namespace reliability
