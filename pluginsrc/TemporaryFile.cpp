#include "pluginsrc/TemporaryFile.h"

#include <atomic>
#include <charconv>
#include <string>
#include <system_error>

#include "pluginsrc/SystemFile.h"

namespace fs = std::filesystem;

namespace {

std::atomic<unsigned> tempCounter{0};

constexpr int kCreateAttempts = 100;

std::string TemporaryPrefix(const fs::path& target)
{
    return "." + target.filename().string() + ".tmp-";
}

// Unique per process and attempt.
fs::path TemporaryName(const fs::path& target)
{
    return target.parent_path() / (TemporaryPrefix(target) + std::to_string(CurrentProcessId()) + "-" +
                                   std::to_string(tempCounter.fetch_add(1)));
}

// The process id in "PREFIXPID-N"; 0 when the name is not of that shape.
unsigned long ProcessIdIn(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix))
        return 0;
    name.remove_prefix(prefix.size());
    unsigned long processId = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), processId);
    if (error != std::errc() || end == name.data() || end == name.data() + name.size() || *end != '-')
        return 0;
    const std::string_view counter(end + 1, name.data() + name.size() - (end + 1));
    const bool digits = !counter.empty() && counter.find_first_not_of("0123456789") == std::string_view::npos;
    return digits ? processId : 0;
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& target)
{
    const std::string prefix = TemporaryPrefix(target);
    const unsigned long self = CurrentProcessId();
    std::error_code error;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const unsigned long owner = ProcessIdIn(it->path().filename().string(), prefix);
        std::error_code ignored;
        if (owner != 0 && owner != self && !ProcessIsRunning(owner) && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

Result<fs::path, SystemError> WriteTemporaryBeside(const fs::path& target, std::string_view bytes, bool copyAttributes)
{
    RemoveStaleTemporaries(target);

    fs::path temporary;
    SystemFile file;
    int error = 0;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporary = TemporaryName(target);
        error = file.Open(temporary, SystemFile::Mode::CreateNew);
        if (!IsExistsError(error))
            break;
    }
    if (error != 0)
        return SystemError{error, true};
    if (copyAttributes)
        file.CopyAttributesOf(target);

    error = file.WriteAll(bytes);
    if (error == 0)
        error = file.Sync();
    const int closed = file.Close();
    if (error == 0)
        error = closed;
    if (error != 0) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return SystemError{error, false};
    }
    return temporary;
}
