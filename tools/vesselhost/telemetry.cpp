#include "tools/vesselhost/telemetry.h"

#include <algorithm>
#include <numbers>

#include "host/trace/trace_selection.h"
#include "tools/vesselhost/channel_names.h"
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
    // The union of the vessels' names, in order of first appearance.
    auto columnOf = [](std::vector<std::string> &columns, const std::string &name) {
        auto found = std::find(columns.begin(), columns.end(), name);
        if (found != columns.end())
            return std::size_t(found - columns.begin());
        columns.push_back(name);
        return columns.size() - 1;
    };
    std::vector<std::string> thrusters, animations;
    host::TraceSelection byName;
    byName.vessels = selection;
    for (const auto &vessel : vessels) {
        if (vessel->id < 0 || !byName.SelectsVesselName(vessel->name))
            continue;
        if (std::size_t(vessel->id) >= layouts_.size()) {
            layouts_.resize(vessel->id + 1);
            selected_.resize(vessel->id + 1, 0);
        }
        selected_[vessel->id] = 1;
        Layout &layout = layouts_[vessel->id];
        for (const std::string &name : ThrusterNames(*vessel))
            layout.thrusterColumn.push_back(columnOf(thrusters, name));
        for (const std::string &name : AnimationNames(*vessel))
            layout.animationColumn.push_back(columnOf(animations, name));
    }
    thrusters_ = thrusters.size();
    animations_ = animations.size();
    buffer_ = "step,t,vessel,x_m,z_m,heading_deg,speed_m_s,forward_m_s,side_m_s,yaw_rate_deg_s,"
              "ground_contact";
    for (const std::string &name : thrusters)
        buffer_.append(",").append(name).append("_level,").append(name).append("_max");
    for (const std::string &name : animations)
        buffer_ += "," + name;
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
    // Each vessel's values in its own columns; the cells of other vessels' columns empty.
    cells_.assign(2 * thrusters_ + animations_, std::nullopt);
    if (vessel.id >= 0 && std::size_t(vessel.id) < layouts_.size()) {
        const Layout &layout = layouts_[vessel.id];
        for (std::size_t i = 0; i < vessel.thrusters.size() && i < layout.thrusterColumn.size();
             ++i) {
            cells_[2 * layout.thrusterColumn[i]] = vessel.thrusters[i].level;
            cells_[2 * layout.thrusterColumn[i] + 1] = vessel.thrusters[i].max0;
        }
        for (std::size_t i = 0; i < vessel.animations.size() && i < layout.animationColumn.size();
             ++i)
            cells_[2 * thrusters_ + layout.animationColumn[i]] = vessel.animations[i].state;
    }
    for (const std::optional<double> &cell : cells_) {
        out += ',';
        if (cell)
            AppendNumber(*cell, out);
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
