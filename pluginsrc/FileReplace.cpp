#include "pluginsrc/FileReplace.h"

#include <system_error>

#include "pluginsrc/SystemFile.h"
#include "pluginsrc/TemporaryFile.h"

namespace fs = std::filesystem;

namespace {

fs::path ResolveLink(const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec)))
        return target;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

bool IsRegularFile(const fs::path& file)
{
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(file, ec));
}

// Reserve, write from the start, cut to length, sync: until the write begins the previous
// content is intact, and a refused reservation gives its space back.
int WriteInPlace(const fs::path& target, std::string_view bytes)
{
    SystemFile file;
    if (const int error = file.Open(target, SystemFile::Mode::WriteExisting))
        return error;
    std::error_code ec;
    const std::uintmax_t previousSize = fs::file_size(target, ec);
    if (const int error = file.Reserve(bytes.size())) {
        if (!ec)
            file.Resize(previousSize);
        return error;
    }
    int error = file.WriteAll(bytes);
    if (error == 0)
        error = file.Resize(bytes.size());
    if (error == 0)
        error = file.Sync();
    const int closed = file.Close();
    return error != 0 ? error : closed;
}

}  // namespace

Result<ReplaceMethod, SystemError> ReplaceFileContents(const fs::path& requested, std::string_view bytes)
{
    const fs::path target = ResolveLink(requested);
    const auto temporary = WriteTemporaryBeside(target, bytes, true);
    if (!temporary) {
        const SystemError& failure = temporary.failure();
        if (!failure.createFailed || !IsPermissionError(failure.code) || !IsRegularFile(target))
            return failure;
        if (const int error = WriteInPlace(target, bytes))
            return SystemError{error, false};
        return ReplaceMethod::InPlace;
    }

    if (const int error = MoveReplacing(*temporary, target)) {
        std::error_code ignored;
        fs::remove(*temporary, ignored);
        return SystemError{error, false};
    }
    SyncFolder(target.parent_path());
    return ReplaceMethod::Whole;
}
