#include "PluginCompiler.h"

#include <system_error>

#include "DetachedProcess.h"

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr const char* kCompilerName = "compile.exe";
#else
constexpr const char* kCompilerName = "compile.sh";
#endif

}  // namespace

fs::path PluginCompilerPath(const fs::path& dir) { return dir / kCompilerName; }

bool DeleteCompiledPlugin(const fs::path& dir)
{
    const fs::path plugin = dir / "compiled" / "vloxTarnekMod.amxx";
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(plugin, ec)))
        return true;
    fs::remove(plugin, ec);
    return !ec;
}

bool StartPluginCompiler(const fs::path& dir)
{
    const fs::path compiler = PluginCompilerPath(dir);
    std::error_code ec;
    if (!fs::is_regular_file(compiler, ec))
        return false;
    return StartDetached(compiler, dir);
}
