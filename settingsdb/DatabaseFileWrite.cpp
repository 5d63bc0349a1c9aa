#include "DatabaseFileWrite.h"

#include <string_view>
#include <system_error>

#include "SystemFile.h"
#include "TemporaryFile.h"

std::optional<DatabaseFileWriteFailure> CreateDatabaseFile(const std::filesystem::path& file,
                                                           std::span<const unsigned char> bytes)
{
    const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const TemporaryWrite temporary = WriteTemporaryBeside(file, content, false);
    if (temporary.error != 0)
        return DatabaseFileWriteFailure{
            temporary.createFailed ? DatabaseFileWriteFailure::Stage::Create : DatabaseFileWriteFailure::Stage::Write,
            temporary.error};

    const int error = MoveWithoutReplacing(temporary.file, file);
    if (error == 0) {
        SyncFolder(file.parent_path());
        return std::nullopt;
    }
    std::error_code ignored;
    std::filesystem::remove(temporary.file, ignored);
    if (IsExistsError(error))
        return std::nullopt;
    return DatabaseFileWriteFailure{DatabaseFileWriteFailure::Stage::Write, error};
}
