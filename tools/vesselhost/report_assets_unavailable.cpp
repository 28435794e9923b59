// The report page's code for a build without node, npm or zlib (the Windows cross
// build): there is none, and vesselhost refuses --report before the run.
#include "tools/vesselhost/report_page.h"

namespace vesselhost {

bool ReportPagesAvailable() { return false; }

std::string ReportPage(const ReportRun & /*run*/) { return {}; }

} // namespace vesselhost
