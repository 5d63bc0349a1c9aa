#include "DatabaseLocation.h"

#include <string>
#include <system_error>

std::filesystem::path DatabaseFileIn(const std::filesystem::path& directory)
{
    return directory / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb";
}

std::filesystem::path FreeBackupPath(const std::filesystem::path& file)
{
    return FreeNumberedPath(file, "backup");
}

std::filesystem::path FreeNumberedPath(const std::filesystem::path& file, const std::string& tag)
{
    for (unsigned number = 1; number <= 100000; ++number) {
        std::filesystem::path candidate = file;
        candidate.replace_filename(file.stem().string() + "." + tag + "-" + std::to_string(number) +
                                   file.extension().string());
        std::error_code error;
        const auto status = std::filesystem::symlink_status(candidate, error);
        if (status.type() == std::filesystem::file_type::not_found)
            return candidate;
        if (!std::filesystem::status_known(status))
            break;
    }
    return {};
}
