#include "pluginsrc/UnreachableLink.h"

#include <system_error>

namespace fs = std::filesystem;

Result<> CheckLinkReachable(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error)))
        return Done{};
    if (fs::exists(fs::status(path, error)) && !error)
        return Done{};
    const std::string why =
        error ? error.message() : std::make_error_code(std::errc::no_such_file_or_directory).message();
    std::error_code unread;
    const fs::path target = fs::read_symlink(path, unread);
    return Failure{"Символическая ссылка " + path.string() + " указывает на " + target.string() +
                   ", но туда не пройти (" + why + ")"};
}
