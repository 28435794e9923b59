// vesselhost: loads the vessel modules into the stand-in simulator and drives them.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "host_error.h"
#include "simulator.h"

namespace {

const std::vector<std::string> kShippedClasses = {"VARLOK1", "VARLOK3C", "KELDOCONTROL"};

// Creates one vessel of every shipped class and shows what each declared.
int RunDemo(const std::string &root)
{
    host::Simulator &sim = host::Simulator::Get();
    sim.SetRoot(root);
    for (const auto &className : kShippedClasses) {
        host::Vessel &v = sim.CreateVessel(className + "-1", className);
        std::printf("%-13s version %d: %zu thrusters, %zu groups, %zu animations, "
                    "%zu components, %zu meshes\n",
                    className.c_str(), v.module->Version(), v.thrusters.size(), v.groups.size(),
                    v.animations.size(), v.components.size(), v.meshes.size());
    }
    sim.Reset();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"vesselhost: the stand-in simulator for the surface vehicle modules"};
    app.require_subcommand(1);
    std::string root = SIM_ROOT_DEFAULT;
    app.add_option("--root", root, "simulator root folder (Modules/, Meshes/, Sound/)");
    app.add_subcommand("demo", "load every shipped module and create one vessel of each");
    CLI11_PARSE(app, argc, argv);
    try {
        return RunDemo(root);
    } catch (const host::Error &e) {
        std::fprintf(stderr, "vesselhost: %s\n", e.what());
        return 2;
    }
}
