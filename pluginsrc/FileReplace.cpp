#include "FileReplace.h"

#include <system_error>

#include "SystemFile.h"
#include "TemporaryFile.h"

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

int ReplaceFileContents(const fs::path& requested, std::string_view bytes, ReplaceMethod* method)
{
    const fs::path target = ResolveLink(requested);
    if (method)
        *method = ReplaceMethod::Whole;

    const TemporaryWrite temporary = WriteTemporaryBeside(target, bytes, true);
    if (temporary.createFailed && IsPermissionError(temporary.error) && IsRegularFile(target)) {
        if (method)
            *method = ReplaceMethod::InPlace;
        return WriteInPlace(target, bytes);
    }
    if (temporary.error != 0)
        return temporary.error;

    if (const int error = MoveReplacing(temporary.file, target)) {
        std::error_code ignored;
        fs::remove(temporary.file, ignored);
        return error;
    }
    SyncFolder(target.parent_path());
    return 0;
}
