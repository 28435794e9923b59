// Each group of benchmarks registers itself from main, in the order they run.
#pragma once

namespace bench {

void RegisterModuleStepBenchmarks();
void RegisterSoundCallBenchmarks();
void RegisterHostStepBenchmarks();
void RegisterTraceBenchmarks();

} // namespace bench
