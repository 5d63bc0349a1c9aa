#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/Descriptors.h"
#include "pluginsrc/CodePage1251.h"
#include "pluginsrc/CompilerOutput.h"
#include "pluginsrc/GeneratedLines.h"
#include "pluginsrc/PluginSourceReader.h"
#include "pluginsrc/xpBaseStruct.h"
#include "tests/support/InitialConfiguration.h"

namespace fs = std::filesystem;

namespace {

class DiscardingSink final : public MessageSink {
public:
    void Show(const Message&) override {}
};

tarnekArrayStruct ModelWithLevels(int levels)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = std::to_string(levels);
    RecomputeAllLists(model);
    return model;
}

// One save's worth of generated sources: both files written, converted and synced to disk.
void BM_WriteBothSources(benchmark::State& state)
{
    const tarnekArrayStruct model = ModelWithLevels(static_cast<int>(state.range(0)));
    const fs::path previous = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "tarnek-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        state.SkipWithError("no scratch directory");
        return;
    }
    fs::current_path(pattern);
    fs::create_directory("tarnek");

    xpBaseStruct writer;
    DiscardingSink sink;
    for (auto _ : state) {
        benchmark::DoNotOptimize(writer.WriteBaseHeader(model, sink));
        benchmark::DoNotOptimize(writer.WriteSkillsInclude(model, sink));
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size("tarnek/base.h") + fs::file_size("tarnek/skills.inl"));

    fs::current_path(previous);
    fs::remove_all(pattern);
}
BENCHMARK(BM_WriteBothSources)->Arg(10)->Arg(100)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The text alone, without the disk, to tell the writer's own cost from the file system's.
void BM_BuildBothTexts(benchmark::State& state)
{
    const tarnekArrayStruct model = ModelWithLevels(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(xpBaseStruct::BaseHeaderText(model));
        benchmark::DoNotOptimize(xpBaseStruct::SkillsIncludeText(model));
    }
}
BENCHMARK(BM_BuildBothTexts)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// The line map a compile builds from the configuration it saved, before the compiler starts.
void BM_GeneratedLineMap(benchmark::State& state)
{
    const tarnekArrayStruct model = ModelWithLevels(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(GeneratedLines(model));
}
BENCHMARK(BM_GeneratedLineMap)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// Compiler output cut into lines and read for diagnostics, as a compile reads it: how much
// output per second the reader keeps up with, every line a diagnostic.
void BM_ReadCompilerOutput(benchmark::State& state)
{
    std::string chunk;
    while (chunk.size() < 64 * 1024)
        chunk += "// skills.inl(181) : error 213: tag mismatch\r\n";
    std::size_t found = 0;
    for (auto _ : state) {
        OutputLines lines([&found](const std::string& line) { found += ParseDiagnostic(line).has_value(); });
        for (int i = 0; i < 16; ++i)
            lines.Append(chunk);
        lines.Finish();
    }
    benchmark::DoNotOptimize(found);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 16 *
                            static_cast<std::int64_t>(chunk.size()));
}
BENCHMARK(BM_ReadCompilerOutput)->Unit(benchmark::kMillisecond);
// Reading both sources back, from their bytes as the writer leaves them on disk; 1000
// levels is far beyond what the editor offers, to see that the reading stays linear.
void BM_ReadBothSources(benchmark::State& state)
{
    const tarnekArrayStruct model = ModelWithLevels(static_cast<int>(state.range(0)));
    const std::string base = Utf8ToCp1251(xpBaseStruct::BaseHeaderText(model));
    const std::string skills = Utf8ToCp1251(xpBaseStruct::SkillsIncludeText(model));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPluginSourceBytes(base, skills));
    state.counters["bytes"] = static_cast<double>(base.size() + skills.size());
}
BENCHMARK(BM_ReadBothSources)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
