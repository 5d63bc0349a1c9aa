#include <benchmark/benchmark.h>

#include "model/Descriptors.h"
#include "model/ProgressionFit.h"
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

// The "Подобрать" button's search at 100 levels: the saved multiplier for a climb to level
// 100, a target inside the totals, so that the whole binary search runs.
void FitSavedMultiplier(benchmark::State& state)
{
    tarnekArrayStruct model = parametrisedModel("100");
    RecomputeAllLists(model);
    const FitRequest request{XpMode::Saved, 100, 10000000, FitParameters(XpMode::Saved).front()};
    for (auto _ : state) {
        auto fit = FitParameter(model, request);
        benchmark::DoNotOptimize(fit);
    }
}

}  // namespace

BENCHMARK_CAPTURE(RecomputeAll, levels10, "10")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RecomputeAll, levels100, "100")->Unit(benchmark::kMicrosecond);
BENCHMARK(FitSavedMultiplier)->Unit(benchmark::kMicrosecond);
