#include "pluginsrc/xpBaseStruct.h"

#include <system_error>

#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "model/ValueTextRule.h"
#include "pluginsrc/CodePage1251.h"
#include "pluginsrc/FileReplace.h"
#include "pluginsrc/UnreachableLink.h"

namespace fs = std::filesystem;

namespace {

// The system's text, then the file it was about, where one is known.
void ReportWriteFailure(int errorCode, MessageSink& sink, const fs::path& file = {})
{
    const std::string named = file.empty() ? std::string() : ": " + file.string();
    sink.Show(Message{"Не может записать в файл (ошибка " + FormatInteger(errorCode) + ")" + named + "\n", "Ошибка",
                      MessageIcon::Error});
}

void ReportRefusal(const std::string& why, const fs::path& file, MessageSink& sink)
{
    sink.Show(Message{why + " Файл " + file.string() + " не записан.", "Ошибка", MessageIcon::Error});
}

// Both files live in the plugin tree's tarnek folder under the directory the editor was
// started in; it is looked up afresh on every write.
bool LocateOutput(fs::path& workDir, fs::path& file, std::string_view fileName, MessageSink& sink)
{
    std::error_code ec;
    workDir = fs::current_path(ec);
    if (ec) {
        ReportWriteFailure(ec.value(), sink);
        return false;
    }
    file = workDir / "tarnek" / fileName;
    return true;
}

}  // namespace

bool xpBaseStruct::WriteText(const fs::path& file, std::string_view utf8Text, MessageSink& sink, ReplaceMethod* method)
{
    const auto replaced = ReplaceFileContents(file, Utf8ToCp1251(utf8Text));
    if (!replaced) {
        ReportWriteFailure(replaced.failure().code, sink, file);
        return false;
    }
    if (method)
        *method = *replaced;
    return true;
}

bool xpBaseStruct::WriteSource(const fs::path& file, std::string_view utf8Text, MessageSink& sink)
{
    if (const auto reachable = CheckLinkReachable(file); !reachable) {
        ReportRefusal(reachable.failure().text + ".", file, sink);
        return false;
    }
    ReplaceMethod method = ReplaceMethod::Whole;
    const bool written = WriteText(file, utf8Text, sink, &method);
    if (written && method == ReplaceMethod::InPlace && !inPlaceWriteReported) {
        inPlaceWriteReported = true;
        sink.Show(Message{"В папке " + file.parent_path().string() +
                              " нельзя создать файл, поэтому исходники плагина записываются поверх "
                              "прежних: если запись прервётся, файл может остаться неполным.",
                          "Исходники плагина", MessageIcon::Information});
    }
    return written;
}

std::string xpBaseStruct::BuildArrayInitializer(const ValueList& list)
{
    if (list.empty())
        return "{};";
    std::string text = "{";
    for (std::size_t i = 0; i < list.size(); ++i) {
        text += list.at(i);
        if (i + 1 < list.size())
            text += ',';
        text += kCrLf;
    }
    text += "};";
    return text;
}

std::string xpBaseStruct::BaseHeaderText(const tarnekArrayStruct& model)
{
    // The four XP lists in table order: two arrays of XP needed, two of XP awarded, each
    // pair under its comment and the pairs one empty line apart.
    const auto lists = ListsOfTier(Tier::Xp);
    std::string text;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (i == 0)
            text.append("// Amount of XP needed to gain a level").append(kCrLf);
        else if (i == 2)
            text.append(kCrLf)
                .append(kCrLf)
                .append("// Amount of XP awarded when killing a user of this level")
                .append(kCrLf);
        else
            text.append(kCrLf);
        text.append("new ").append(lists[i].array).append("[MAX_LEVELS+1] = ");
        text += BuildArrayInitializer(model.*lists[i].list);
    }
    return text;
}

bool xpBaseStruct::WriteBaseHeader(const tarnekArrayStruct& model, MessageSink& sink)
{
    if (!LocateOutput(workDir, baseHeaderPath, "base.h", sink))
        return false;
    // A database edited by another program may hold what no entry lets in.
    if (const auto checked = CheckConfigurationTexts(model); !checked) {
        ReportRefusal(checked.failure().text, baseHeaderPath, sink);
        return false;
    }
    return WriteSource(baseHeaderPath, BaseHeaderText(model), sink);
}

bool xpBaseStruct::WriteSkillsInclude(const tarnekArrayStruct& model, MessageSink& sink)
{
    if (!LocateOutput(workDir, skillsIncludePath, "skills.inl", sink))
        return false;
    if (const auto checked = CheckConfigurationTexts(model); !checked) {
        ReportRefusal(checked.failure().text, skillsIncludePath, sink);
        return false;
    }
    return WriteSource(skillsIncludePath, SkillsIncludeText(model), sink);
}
