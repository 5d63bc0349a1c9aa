#include <benchmark/benchmark.h>

#include "Descriptors.h"
#include "tarnekArrayStruct.h"

namespace {

// A model with the carried parameters, so every rule does its real amount of work.
tarnekArrayStruct parametrisedModel(const char* levels)
{
    tarnekArrayStruct m;
    m.levelCountText = levels;
    m.xpLevelShortTermIncrement = "500";
    m.xpLevelShortTermInitial = "0";
    m.xpLevelSavedMultiplier = "2";
    m.xpLevelSavedInitial = "400";
    m.xpGivenShortTermIncrement = "5";
    m.xpGivenShortTermInitial = "10";
    m.xpGivenSavedIncrement = "2";
    m.xpGivenSavedInitial = "6";
    for (const ParameterDescriptor& p : Parameters())
        if ((m.*p.text).empty())
            m.*p.text = "0.15";
    m.invisibilityDecrease = "35";
    m.invisibilityInitial = "200";
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

} // namespace

BENCHMARK_CAPTURE(RecomputeAll, levels10, "10")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RecomputeAll, levels100, "100")->Unit(benchmark::kMicrosecond);
