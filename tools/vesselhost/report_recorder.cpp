#include "tools/vesselhost/report_recorder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/vesselhost/channel_names.h"

namespace vesselhost {

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;

// The channels every vessel has, before its thrusters' and animations'.
const char *const kMotionChannels[] = {"x_m",         "z_m",      "heading_deg",   "speed_m_s",
                                       "forward_m_s", "side_m_s", "yaw_rate_deg_s"};

} // namespace

std::int64_t FrameStride(std::int64_t steps, double step, std::size_t vessels)
{
    double frames = std::min({double(steps) * step * kFramesPerSecond, double(kMaxFrames),
                              kFrameSamples / double(std::max<std::size_t>(vessels, 1))});
    if (!(frames >= 1))
        return std::max<std::int64_t>(steps, 1);
    return std::max<std::int64_t>(1, std::int64_t(std::ceil(double(steps) / frames)));
}

bool FrameAfter(std::int64_t k, std::int64_t steps, std::int64_t stride)
{
    return (k + 1) % stride == 0 || k + 1 == steps;
}

ReportRecorder::ReportRecorder(const std::vector<std::unique_ptr<host::Vessel>> &vessels,
                               std::int64_t steps, double step)
    : steps_(steps), stride_(FrameStride(steps, step, vessels.size()))
{
    for (const auto &vessel : vessels) {
        if (vessel->id < 0)
            continue;
        if (std::size_t(vessel->id) >= records_.size())
            records_.resize(vessel->id + 1);
        VesselRecord &record = records_[vessel->id];
        record.channelNames.assign(std::begin(kMotionChannels), std::end(kMotionChannels));
        for (const std::string &name : ThrusterNames(*vessel)) {
            record.channelNames.push_back(name + "_level");
            record.channelNames.push_back(name + "_max");
        }
        for (const std::string &name : AnimationNames(*vessel))
            record.channelNames.push_back(name);
        record.thrusters = vessel->thrusters.size();
        record.animations = vessel->animations.size();
        record.channels.resize(record.channelNames.size());
    }
}

void ReportRecorder::Start(const std::vector<std::unique_ptr<host::Vessel>> &vessels)
{
    Frame(0, vessels);
}

void ReportRecorder::AfterStep(std::int64_t k, double t,
                               const std::vector<std::unique_ptr<host::Vessel>> &vessels)
{
    if (FrameAfter(k, steps_, stride_))
        Frame(t, vessels);
}

void ReportRecorder::Frame(double t, const std::vector<std::unique_ptr<host::Vessel>> &vessels)
{
    times_.push_back(float(t));
    for (const auto &vessel : vessels) {
        if (vessel->id < 0 || std::size_t(vessel->id) >= records_.size())
            continue;
        std::vector<std::vector<float>> &channels = records_[vessel->id].channels;
        const host::Motion &m = vessel->motion;
        const host::Readings &r = vessel->readings;
        const double motion[] = {m.x,
                                 m.z,
                                 m.heading * kDegrees,
                                 r.airspeed,
                                 r.airspeedVector.z,
                                 r.airspeedVector.x,
                                 m.yawRate * kDegrees};
        std::size_t c = 0;
        for (double value : motion)
            channels[c++].push_back(float(value));
        // The thrusters and animations that were there when the recording began.
        const VesselRecord &record = records_[vessel->id];
        for (std::size_t i = 0; i < record.thrusters; ++i) {
            bool has = i < vessel->thrusters.size();
            channels[c++].push_back(has ? float(vessel->thrusters[i].level) : 0.0f);
            channels[c++].push_back(has ? float(vessel->thrusters[i].max0) : 0.0f);
        }
        for (std::size_t i = 0; i < record.animations; ++i) {
            bool has = i < vessel->animations.size();
            channels[c++].push_back(has ? float(vessel->animations[i].state) : 0.0f);
        }
    }
}

void ReportRecorder::Key(const host::Vessel &vessel, double t, const std::string &key, bool taken)
{
    if (vessel.id >= 0 && std::size_t(vessel.id) < records_.size())
        records_[vessel.id].keys.push_back({t, key, taken});
}

const VesselRecord *ReportRecorder::RecordOf(const host::Vessel &vessel) const
{
    if (vessel.id < 0 || std::size_t(vessel.id) >= records_.size())
        return nullptr;
    return &records_[vessel.id];
}

} // namespace vesselhost
