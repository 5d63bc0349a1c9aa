// The headless tool's commands in-process, on a plugin directory of their own: what a
// command costs once the process is running (start-up is measured with hyperfine).

#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "cli/Tool.h"

namespace {

struct TemporaryPluginDir {
    TemporaryPluginDir()
    {
        char pattern[] = "/tmp/tarnek-bench-cli-XXXXXX";
        path = mkdtemp(pattern);
        std::filesystem::create_directory(std::filesystem::path(path) / "tarnek");
    }
    ~TemporaryPluginDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

const std::string& PluginDir()
{
    static const TemporaryPluginDir dir;
    return dir.path;
}

void Run(benchmark::State& state, std::vector<std::string> args, const std::string& input = {})
{
    args.insert(args.begin(), {"-C", PluginDir()});
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        ToolStreams io{in, out, err, false};
        if (RunTool(args, io) != 0)
            state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out.str().size());
    }
}

std::string Exported()
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ToolStreams io{in, out, err, false};
    const std::vector<std::string> args{"-C", PluginDir(), "export"};
    RunTool(args, io);
    return out.str();
}

void BM_Show(benchmark::State& state)
{
    Run(state, {"show"});
}

void BM_Generate(benchmark::State& state)
{
    Run(state, {"generate"});
}

void BM_Levels100(benchmark::State& state)
{
    Run(state, {"levels", "100", "--yes"});
}

void BM_Export(benchmark::State& state)
{
    Run(state, {"export"});
}

void BM_Import(benchmark::State& state)
{
    Run(state, {"import"}, Exported());
}

}  // namespace

BENCHMARK(BM_Show)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Levels100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->UseRealTime();
