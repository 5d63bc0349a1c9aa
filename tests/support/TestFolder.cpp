#include "tests/support/TestFolder.h"

#ifndef _WIN32
#  include <linux/capability.h>
#  include <sys/resource.h>
#  include <sys/syscall.h>
#  include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

fs::path NewTemporaryFolder(std::u8string_view stem)
{
    // Creating the folder is what claims the name, so concurrent tests cannot share one.
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string number = std::to_string(entropy());
        const fs::path candidate =
            fs::temp_directory_path() / (std::u8string(stem) + std::u8string(number.begin(), number.end()));
        if (fs::create_directory(candidate))
            return fs::canonical(candidate);
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TestFolder::TestFolder(std::u8string_view stem) : previous_(fs::current_path()), path_(NewTemporaryFolder(stem))
{
    fs::current_path(path_);
}

TestFolder::~TestFolder()
{
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

std::vector<std::string> TestFolder::Listing() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(path_))
        names.push_back(fs::relative(entry.path(), path_).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    if (!(std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes))
        throw std::runtime_error("cannot write " + file.string());
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

#ifndef _WIN32
void WithFileSizeLimit(std::uintmax_t bytes, const std::function<void()>& action)
{
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit capped = previous;
    capped.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &capped) != 0)
        throw std::runtime_error("cannot limit the file size");
    action();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
}

namespace {

// The capabilities that let root past permission bits; dropped from the effective set only,
// so they can be taken up again.
constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool SetEffectiveOverrides(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective = on ? data[0].effective | (data[0].permitted & kOverrides) : data[0].effective & ~kOverrides;
    return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

void WithFilePermissionsEnforced(const std::function<void()>& action)
{
    if (geteuid() == 0 && !SetEffectiveOverrides(false))
        throw std::runtime_error("cannot drop the permission overrides");
    action();
    if (geteuid() == 0)
        SetEffectiveOverrides(true);
}
#endif
