#include "settingsdb/AccessDatabase.h"

#include <array>
#include <fstream>
#include <string_view>
#include <system_error>

#include "pluginsrc/SystemFile.h"
#include "settingsdb/DatabaseLocation.h"

namespace fs = std::filesystem;

bool IsAccessDatabase(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::array<char, 19> header{};
    if (!stream.read(header.data(), header.size()))
        return false;
    const std::string_view signature(header.data() + 4, 15);
    return signature == "Standard Jet DB" || signature == "Standard ACE DB";
}

Result<fs::path> SetAsideAccessDatabase(const fs::path& file)
{
    // Never over another file: a name taken meanwhile is passed over for the next free one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path keptAs = FreeNumberedPath(file, "access");
        if (keptAs.empty())
            break;
        const int error = MoveWithoutReplacing(file, keptAs);
        if (error == 0) {
            SyncFolder(file.parent_path());
            return keptAs;
        }
        if (!IsExistsError(error))
            return Failure{std::system_category().message(error)};
    }
    return Failure{"нет свободного имени для копии"};
}

std::string AccessDatabaseSetAsideText(const fs::path& keptAs)
{
    return "Файл настроек " + keptAs.parent_path().filename().string() +
           "/TarnekChangeLevel.mdb оказался базой Access прежней версии редактора. Он сохранён без изменений как " +
           keptAs.filename().string() +
           ", а редактор начал новую базу с исходными настройками. Значения уровней можно загрузить из исходников "
           "плагина (tarnek/base.h и tarnek/skills.inl).";
}
