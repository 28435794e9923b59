#include "tools/vesselhost/telemetry.h"

#include <algorithm>
#include <numbers>

#include "host/trace_selection.h"
#include "tools/vesselhost/number_text.h"

namespace vesselhost {

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;
constexpr std::size_t kFlushBytes = 1 << 20;

} // namespace

TelemetryWriter::TelemetryWriter(std::unique_ptr<OutputStream> file,
                                 const std::vector<std::unique_ptr<host::Vessel>> &vessels,
                                 const std::vector<std::string> &selection)
    : file_(std::move(file))
{
    host::TraceSelection byName;
    byName.vessels = selection;
    for (const auto &vessel : vessels) {
        if (vessel->id < 0 || !byName.SelectsVesselName(vessel->name))
            continue;
        if (std::size_t(vessel->id) >= selected_.size())
            selected_.resize(vessel->id + 1, 0);
        selected_[vessel->id] = 1;
        thrusters_ = std::max(thrusters_, vessel->thrusters.size());
        animations_ = std::max(animations_, vessel->animations.size());
    }
    buffer_ = "step,t,vessel,x_m,z_m,heading_deg,speed_m_s,forward_m_s,side_m_s,yaw_rate_deg_s,"
              "ground_contact";
    for (std::size_t i = 0; i < thrusters_; ++i) {
        std::string n = std::to_string(i);
        buffer_ += ",th" + n + "_level,th" + n + "_max";
    }
    for (std::size_t i = 0; i < animations_; ++i)
        buffer_ += ",anim" + std::to_string(i);
    buffer_ += '\n';
}

void TelemetryWriter::Row(std::int64_t step, double t, const host::Vessel &vessel)
{
    if (vessel.id < 0 || std::size_t(vessel.id) >= selected_.size() || !selected_[vessel.id])
        return;
    std::string &out = buffer_;
    AppendInteger(step, out);
    out += ',';
    AppendNumber(t, out);
    out += ',';
    out += vessel.name; // ship names hold no commas or quotes
    const double columns[] = {vessel.motion.x,
                              vessel.motion.z,
                              vessel.motion.heading * kDegrees,
                              vessel.readings.airspeed,
                              vessel.readings.airspeedVector.z,
                              vessel.readings.airspeedVector.x,
                              vessel.motion.yawRate * kDegrees};
    for (double value : columns) {
        out += ',';
        AppendNumber(value, out);
    }
    out += vessel.readings.groundContact ? ",1" : ",0";
    for (std::size_t i = 0; i < thrusters_; ++i) {
        out += ',';
        if (i < vessel.thrusters.size())
            AppendNumber(vessel.thrusters[i].level, out);
        out += ',';
        if (i < vessel.thrusters.size())
            AppendNumber(vessel.thrusters[i].max0, out);
    }
    for (std::size_t i = 0; i < animations_; ++i) {
        out += ',';
        if (i < vessel.animations.size())
            AppendNumber(vessel.animations[i].state, out);
    }
    out += '\n';
    FlushIfFull();
}

void TelemetryWriter::FlushIfFull()
{
    if (buffer_.size() < kFlushBytes)
        return;
    file_->Write(buffer_);
    buffer_.clear();
}

void TelemetryWriter::Finish()
{
    file_->Write(buffer_);
    buffer_.clear();
    file_->Finish();
}

} // namespace vesselhost
