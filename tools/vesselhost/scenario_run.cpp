#include "tools/vesselhost/scenario_run.h"

#include <filesystem>

#include "host/base/host_error.h"
#include "output/output_check.h"
#include "tools/vesselhost/scenario_runner.h"
#include "tools/vesselhost/simulator_root.h"

namespace vesselhost {

namespace fs = std::filesystem;

void ScenarioRun::Check()
{
    InFolder inRoot(root_);
    SetUp(false);
    sim_.Reset();
}

void RunScenario(const host::Scenario &scenario, const std::string &root,
                 const RunOptions &options, std::FILE *out)
{
    RequireRoot(root);
    std::vector<std::string> inputs = {ModuleDirectory(root), (fs::path(root) / "Meshes").string(),
                                       (fs::path(root) / "Sound").string(), SoundLibraryPath(root)};
    std::error_code error;
    if (fs::is_regular_file(scenario.file, error))
        inputs.push_back(scenario.file);
    output::CheckOutputs(options.Outputs(), inputs);
    host::CheckClasses(scenario, ClassesIn(ModuleDirectory(root)), ModuleDirectory(root));
    try {
        ScenarioRun(scenario, root, options, out).Run();
    } catch (...) {
        host::Simulator::Get().Reset();
        throw;
    }
}

void CheckScenario(const host::Scenario &scenario, const std::string &root)
{
    RequireRoot(root);
    host::CheckClasses(scenario, ClassesIn(ModuleDirectory(root)), ModuleDirectory(root));
    try {
        ScenarioRun(scenario, root, RunOptions{}, stdout).Check();
    } catch (...) {
        host::Simulator::Get().Reset();
        throw;
    }
}

} // namespace vesselhost
