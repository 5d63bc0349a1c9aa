#include "settingsdb/DatabaseFileWrite.h"

#include <string_view>
#include <system_error>

#include "pluginsrc/SystemFile.h"
#include "pluginsrc/TemporaryFile.h"

Result<Done, SystemError> CreateDatabaseFile(const std::filesystem::path& file, std::span<const unsigned char> bytes)
{
    const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto temporary = WriteTemporaryBeside(file, content, false);
    if (!temporary)
        return temporary.failure();

    const int error = MoveWithoutReplacing(*temporary, file);
    if (error == 0) {
        SyncFolder(file.parent_path());
        return Done{};
    }
    std::error_code ignored;
    std::filesystem::remove(*temporary, ignored);
    if (IsExistsError(error))
        return Done{};
    return SystemError{error, false};
}
