#include "pluginsrc/SourceAdoption.h"

#include <algorithm>
#include <system_error>

#include "model/Descriptors.h"
#include "pluginsrc/CodePage1251.h"
#include "pluginsrc/PluginSourceReader.h"
#include "pluginsrc/xpBaseStruct.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSourceNames[] = {"base.h", "skills.inl"};

std::size_t DifferentCells(const ValueList& a, const ValueList& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t cells = std::max(a.size(), b.size()) - common;
    for (std::size_t i = 0; i < common; ++i)
        cells += a.at(i) != b.at(i) ? 1 : 0;
    return cells;
}

// The sources hold the chance as the writer normalised it; a typed text that normalises to
// the same is what the user keeps seeing in the skill dialog.
void AdoptSingle(std::string& stored, const std::string& read, bool isChance, AdoptionChanges& changes)
{
    if (stored == read || (isChance && tarnekArrayStruct::NormalizeChanceText(stored) == read))
        return;
    stored = read;
    ++changes.singleValues;
}

}  // namespace

AdoptionChanges AdoptPluginSources(const tarnekArrayStruct& sources, tarnekArrayStruct& model)
{
    AdoptionChanges changes;
    changes.levelCount = sources.levelCountText;
    if (model.levelCountText != sources.levelCountText)
        changes.previousLevelCount = model.levelCountText;
    model.levelCountText = sources.levelCountText;
    for (const ListDescriptor& d : ValueLists()) {
        const std::size_t cells = DifferentCells(model.*d.list, sources.*d.list);
        if (cells == 0)
            continue;
        ++changes.lists;
        changes.cells += cells;
        model.*d.list = sources.*d.list;
    }
    AdoptSingle(model.devotionValue, sources.devotionValue, false, changes);
    for (const ParameterDescriptor& p : Parameters())
        if (p.isChance())
            AdoptSingle(model.*p.text, sources.*p.text, true, changes);
    model.DeriveLevelCounts();
    return changes;
}

namespace {

struct SourcesState {
    bool bothExist = true;
    bool anyDiffers = false;
};

SourcesState CompareSources(const fs::path& pluginFolder, const tarnekArrayStruct& model)
{
    const std::string expected[] = {Utf8ToCp1251(xpBaseStruct::BaseHeaderText(model)),
                                    Utf8ToCp1251(xpBaseStruct::SkillsIncludeText(model))};
    SourcesState state;
    for (std::size_t i = 0; i < std::size(kSourceNames); ++i) {
        std::error_code error;
        const fs::path file = pluginFolder / "tarnek" / kSourceNames[i];
        if (!fs::is_regular_file(file, error)) {
            state.bothExist = false;
            continue;
        }
        // A file too large or unreadable to compare is not the carried configuration either.
        const auto bytes = ReadPluginSourceFile(file, kSourceNames[i]);
        state.anyDiffers = state.anyDiffers || !bytes || *bytes != expected[i];
    }
    return state;
}

}  // namespace

bool SourcesDifferFrom(const fs::path& pluginFolder, const tarnekArrayStruct& model)
{
    const SourcesState state = CompareSources(pluginFolder, model);
    return state.bothExist && state.anyDiffers;
}

std::vector<fs::path> KeepOriginalSources(const fs::path& pluginFolder, MessageSink& sink)
{
    std::vector<fs::path> made;
    for (const char* name : kSourceNames) {
        const fs::path file = pluginFolder / "tarnek" / name;
        fs::path copy = file;
        copy += ".orig";
        std::error_code error;
        if (fs::exists(fs::symlink_status(copy, error)) || !fs::exists(file, error))
            continue;
        // copy_file without overwrite refuses an existing target, also one that appeared
        // since the check above.
        if (fs::copy_file(file, copy, fs::copy_options::none, error))
            made.push_back(copy);
        else if (error != std::errc::file_exists)
            sink.Show(Message{"Не удалось сохранить копию " + copy.filename().string() + ": " + error.message(),
                              "Ошибка", MessageIcon::Error});
    }
    return made;
}

bool PrepareFirstStartOffer(const fs::path& pluginFolder, const tarnekArrayStruct& model, MessageSink& sink)
{
    // Only both files together can be taken over, but either alone is worth keeping before
    // the first save writes over it.
    const SourcesState state = CompareSources(pluginFolder, model);
    if (!state.anyDiffers)
        return false;
    KeepOriginalSources(pluginFolder, sink);
    return state.bothExist;
}
