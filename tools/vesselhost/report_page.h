// The report page: one HTML file that holds its own code, style and data, and opens
// offline from disk. The code and style are the bundle the build made from web/report/.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/scenario/scenario.h"
#include "tools/vesselhost/report_recorder.h"
#include "tools/vesselhost/summary.h"

namespace vesselhost {

struct ReportRun {
    const host::Scenario &scenario;
    const std::vector<std::unique_ptr<host::Vessel>> &vessels;
    const RunSummary &summary;
    const ReportRecorder &recorder;
    std::size_t focus; // ship index of the vessel with the input focus at the end
};

// Whether this build has the page's code (report_assets_unavailable.cpp says no).
bool ReportPagesAvailable();

// The whole page.
std::string ReportPage(const ReportRun &run);

// The bundled script and style of the page (report_assets.cpp, made by the build).
std::string_view ReportScript();
std::string_view ReportStyle();

} // namespace vesselhost
