// The benchmarks of the vessel modules and the host: Google Benchmark's command line.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/registration.h"

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // A module without the sound library would write its log into the current folder.
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    bench::RegisterModuleStepBenchmarks();
    bench::RegisterSoundCallBenchmarks();
    bench::RegisterHostStepBenchmarks();
    bench::RegisterTraceBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
