#include <benchmark/benchmark.h>

#include "model/Descriptors.h"
#include "model/tarnekArrayStruct.h"
#include "tests/support/InitialConfiguration.h"

namespace {

// The carried parameters, so every rule does its real amount of work.
tarnekArrayStruct parametrisedModel(const char* levels)
{
    tarnekArrayStruct m = InitialConfiguration();
    m.levelCountText = levels;
    return m;
}

void RecomputeAll(benchmark::State& state, const char* levels)
{
    tarnekArrayStruct model = parametrisedModel(levels);
    for (auto _ : state) {
        RecomputeAllLists(model);
        benchmark::DoNotOptimize(model.orbList);
    }
}

}  // namespace

BENCHMARK_CAPTURE(RecomputeAll, levels10, "10")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RecomputeAll, levels100, "100")->Unit(benchmark::kMicrosecond);
