// Telemetry as CSV: one row per vessel per step, after the step. Columns: step, t (s, the
// time at the end of the step), vessel, x_m, z_m, heading_deg, speed_m_s (airspeed),
// forward_m_s and side_m_s (the airspeed vector's z and x in the vessel frame),
// yaw_rate_deg_s, ground_contact (0 or 1), then NAME_level and NAME_max (N) for every
// thruster and NAME for every animation state, by the names of channel_names.h: the
// union of the vessels' names, so cells a vessel does not have are empty.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/vessel/vessel_state.h"
#include "tools/vesselhost/output_stream.h"

namespace vesselhost {

class TelemetryWriter {
public:
    // Writes the header; the columns cover the thrusters and animations of the vessels
    // whose names match `selection` (names or glob patterns; empty: all).
    TelemetryWriter(std::unique_ptr<OutputStream> file,
                    const std::vector<std::unique_ptr<host::Vessel>> &vessels,
                    const std::vector<std::string> &selection);

    // A row for the vessel, if it is selected.
    void Row(std::int64_t step, double t, const host::Vessel &vessel);
    // Writes what is buffered and closes the file, for the run to commit.
    void Finish();
    output::OutputFile &File() { return file_->File(); }

private:
    void FlushIfFull();

    std::unique_ptr<OutputStream> file_;
    std::vector<char> selected_; // by vessel id
    // Where a vessel's thrusters and animations go among the named columns.
    struct Layout {
        std::vector<std::size_t> thrusterColumn, animationColumn;
    };
    std::vector<Layout> layouts_; // by vessel id
    std::size_t thrusters_ = 0, animations_ = 0;
    std::vector<std::optional<double>> cells_; // the named cells of the row being written
    std::string buffer_;
};

} // namespace vesselhost
