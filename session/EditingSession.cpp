#include "session/EditingSession.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>

#include "model/ValueTextRule.h"
#include "pluginsrc/SourceAdoption.h"

namespace {

constexpr std::string_view kSourcesMarkPrefix = "sources ";

// The mark a save leaves while its sources are due names the sources it is to write (a
// 64-bit FNV-1a digest of both texts). Whoever finds the mark can then tell from the
// database whether that save was committed: a save killed before its commit left the files
// as it found them, and they must stay so.
std::string SourcesMark(const tarnekArrayStruct& model)
{
    std::uint64_t digest = 14695981039346656037ULL;
    for (const std::string& text : {xpBaseStruct::BaseHeaderText(model), xpBaseStruct::SkillsIncludeText(model)})
        for (const unsigned char c : text)
            digest = (digest ^ c) * 1099511628211ULL;
    char hex[16];
    const auto end = std::to_chars(hex, hex + sizeof hex, digest, 16).ptr;
    return std::string(kSourcesMarkPrefix) + std::string(hex, end);
}

// A save killed after its commit may be followed by one killed before its own: the mark
// then names both, one per line, and the sources are due when the database holds either.
// Past this length it becomes a mark that names no save (see FinishInterruptedSave).
constexpr std::size_t kLongestSourcesMark = 2048;
constexpr std::string_view kUnnamedMark = "pending";

std::string AddedMark(const std::string& pending, const std::string& mark)
{
    if (pending.empty())
        return mark;
    if (!pending.starts_with(kSourcesMarkPrefix) || pending.size() + 1 + mark.size() > kLongestSourcesMark)
        return pending.starts_with(kSourcesMarkPrefix) ? std::string(kUnnamedMark) : pending;
    return pending + "\n" + mark;
}

bool MarkNames(std::string_view pending, std::string_view mark)
{
    while (!pending.empty()) {
        const std::size_t end = std::min(pending.find('\n'), pending.size());
        if (pending.substr(0, end) == mark)
            return true;
        pending.remove_prefix(std::min(end + 1, pending.size()));
    }
    return false;
}

void ShowFailure(MessageSink& sink, const std::string& text)
{
    sink.Show({text, std::string(kApplicationTitle), MessageIcon::Warning});
}

}  // namespace

bool StoredAs(const tarnekArrayStruct& working, const tarnekArrayStruct& stored)
{
    for (const ListDescriptor& list : ValueLists())
        if (working.*list.list != stored.*list.list)
            return false;
    for (TextField text : {LevelCountValue().text, DevotionValue().text})
        if (working.*text != stored.*text)
            return false;
    // The saves store a chance normalised and the model keeps it as typed.
    return std::all_of(Parameters().begin(), Parameters().end(), [&](const ParameterDescriptor& parameter) {
        const std::string& text = working.*parameter.text;
        return text == stored.*parameter.text ||
               (parameter.isChance() && tarnekArrayStruct::NormalizeChanceText(text) == stored.*parameter.text);
    });
}

EditingSession::EditingSession(MessageSink& sink) : sink_(sink), database_(sink) {}

EditingSession::EditingSession(MessageSink& sink, const tarnekArrayStruct& configuration)
    : sink_(sink), database_(sink), working_(configuration), stored_(configuration)
{}

void EditingSession::AddListener(SessionListener* listener)
{
    listeners_.push_back(listener);
}

void EditingSession::RemoveListener(SessionListener* listener)
{
    std::erase(listeners_, listener);
}

void EditingSession::Announce(const ConfigurationEdit& edit, ChangeCause cause)
{
    // Reading the database again is told even when it changed nothing: what a view chose
    // meanwhile (a level count not applied yet) goes.
    if (edit.empty() && cause != ChangeCause::ReadAgain)
        return;
    Tell([&](SessionListener& listener) { listener.ConfigurationChanged(edit, cause); });
}

void EditingSession::Tell(const std::function<void(SessionListener&)>& tell)
{
    // A listener may remove itself, or another, while it is told.
    for (SessionListener* listener : std::vector(listeners_))
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            tell(*listener);
}

void EditingSession::TakeStored()
{
    const ConfigurationEdit dropped = listeners_.empty() ? ConfigurationEdit{} : Difference(working_, stored_);
    working_ = stored_;
    Announce(dropped, ChangeCause::ReadAgain);
}

void EditingSession::AnnounceStored()
{
    Tell([](SessionListener& listener) { listener.StoredChanged(); });
}

EditingSession::~EditingSession()
{
    database_.CloseDatabase();
}

bool EditingSession::Open()
{
    try {
        if (!database_.OpenDatabase())
            return false;
    } catch (const DatabaseError& e) {
        sink_.Show({e.what(), {}, MessageIcon::Stop});
        return false;
    }
    return Reload() && FinishInterruptedSave();
}

bool EditingSession::FinishInterruptedSave()
{
    const std::filesystem::path file = SaveLockFileOf(database_.databasePath);
    std::error_code error;
    if (std::filesystem::file_size(file, error) == 0 || error)
        return true;
    std::optional<DatabaseLock> lock;
    if (!TakeLock(lock))
        return false;
    if (!lock->IsPending())
        return true;  // another run finished it meanwhile
    // The sources follow what is stored, whatever this session goes on to do.
    if (!Reload())
        return false;
    const std::string mark = lock->PendingMark();
    if (mark.starts_with(kSourcesMarkPrefix) && !MarkNames(mark, SourcesMark(working_))) {
        lock->ClearPending();  // that save never reached the database
        return true;
    }
    // A mark that names no save (an older editor's) cannot tell whether the files are the
    // ones its save wrote over: they are kept before they are replaced.
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (!mark.starts_with(kSourcesMarkPrefix) && !error && SourcesDifferFrom(folder, working_))
        KeepOriginalSources(folder, sink_);
    SaveReport report;
    WriteSources(working_, report);
    if (report.baseHeader && report.skillsInclude)
        lock->ClearPending();
    return true;
}

bool EditingSession::IsOpen() const
{
    return database_.IsOpen();
}

std::optional<tarnekArrayStruct> EditingSession::ReadDatabase()
{
    tarnekArrayStruct stored;
    try {
        database_.LoadAll(stored);
    } catch (const DatabaseError& e) {
        sink_.Show({e.what(), {}, MessageIcon::Stop});
        return std::nullopt;
    }
    stored.DeriveLevelCounts();
    return stored;
}

bool EditingSession::ReadStored()
{
    std::optional<tarnekArrayStruct> stored = ReadDatabase();
    if (stored)
        stored_ = std::move(*stored);
    return stored.has_value();
}

bool EditingSession::Reload()
{
    if (!ReadStored())
        return false;
    RememberDataVersion();
    TakeStored();
    AnnounceStored();
    return true;
}

void EditingSession::RememberDataVersion()
{
    try {
        dataVersion_ = database_.DataVersion();
    } catch (const DatabaseError&) {
        // Without it the next check reports a change, and a reload then tells the reason.
        dataVersion_ = -1;
    }
}

bool EditingSession::ChangedElsewhere()
{
    if (!database_.IsOpen())
        return false;
    try {
        return database_.DataVersion() != dataVersion_;
    } catch (const DatabaseError&) {
        return true;
    }
}

bool EditingSession::IsUnsaved() const
{
    return !StoredAs(working_, stored_);
}

ConfigurationEdit EditingSession::Change(const std::function<void(tarnekArrayStruct&)>& change)
{
    tarnekArrayStruct changed = working_;
    change(changed);
    ConfigurationEdit edit = Difference(working_, changed);
    if (!Admitted(edit))
        return Unchanged();
    working_ = std::move(changed);
    Announce(edit, ChangeCause::Edit);
    return edit;
}

ConfigurationEdit EditingSession::Unchanged() const
{
    ConfigurationEdit edit;
    edit.countsBefore = edit.countsAfter = CountsOf(working_);
    return edit;
}

// Every text an edit brings in goes into the plugin's sources as it stands, so a text that
// could be read there as code is refused whole, whichever window or command brought it.
// What the database already held is left alone: it is marked, and the writers refuse it.
bool EditingSession::Admitted(const ConfigurationEdit& edit)
{
    auto refuse = [&](const Failure& failure) {
        ShowFailure(sink_, failure.text + "\nНичего не изменено.");
        return false;
    };
    for (const ListChange& change : edit.lists) {
        const ListDescriptor& list = ValueLists().at(change.list);
        for (std::size_t i = 0; i < change.after.size(); ++i) {
            if (i < change.before.size() && change.before[i] == change.after[i])
                continue;
            if (auto checked = CheckText(change.after[i], ListCellName(list, change.first + i)); !checked)
                return refuse(checked.failure());
        }
    }
    for (const TextChange& change : edit.texts)
        if (auto checked = CheckText(change.after, TextFieldName(change.text)); !checked)
            return refuse(checked.failure());
    return true;
}

ConfigurationEdit EditingSession::SetCells(std::size_t list, std::size_t first, std::vector<std::string> texts)
{
    ConfigurationEdit edit;
    edit.countsBefore = edit.countsAfter = CountsOf(working_);
    if (list >= ValueLists().size())
        return edit;
    const ValueList& cells = working_.*(ValueLists()[list].list);
    if (first >= cells.size())
        return edit;
    texts.resize(std::min(texts.size(), cells.size() - first));
    std::vector<std::string> before(cells.begin() + static_cast<std::ptrdiff_t>(first),
                                    cells.begin() + static_cast<std::ptrdiff_t>(first + texts.size()));
    if (before == texts)
        return edit;
    edit.lists.push_back({list, first, std::move(before), std::move(texts)});
    if (!Admitted(edit))
        return Unchanged();
    ::Apply(edit, working_);
    Announce(edit, ChangeCause::Edit);
    return edit;
}

ConfigurationEdit EditingSession::SetTexts(const std::vector<TextAssignment>& texts)
{
    return Change([&](tarnekArrayStruct& configuration) {
        for (const auto& [text, value] : texts)
            configuration.*text = value;
    });
}

ConfigurationEdit EditingSession::Fill(std::size_t list, const std::vector<TextAssignment>& texts)
{
    return Change([&](tarnekArrayStruct& configuration) {
        for (const auto& [text, value] : texts)
            configuration.*text = value;
        configuration.RefreshMaxLevels();
        const ListDescriptor& descriptor = ValueLists().at(list);
        RunFill(descriptor, configuration, FillCount(descriptor, configuration));
    });
}

ConfigurationEdit EditingSession::ChangeLevelCount(const std::vector<TextAssignment>& texts)
{
    return Change([&](tarnekArrayStruct& configuration) {
        for (const auto& [text, value] : texts)
            configuration.*text = value;
        RecomputeAllLists(configuration);
    });
}

ConfigurationEdit EditingSession::Replace(const tarnekArrayStruct& configuration)
{
    return Change([&](tarnekArrayStruct& working) { working = configuration; });
}

void EditingSession::Apply(const ConfigurationEdit& edit)
{
    ::Apply(edit, working_);
    Announce(edit, ChangeCause::Redo);
}

void EditingSession::Revert(const ConfigurationEdit& edit)
{
    ::Revert(edit, working_);
    Announce(edit, ChangeCause::Undo);
}

bool EditingSession::TakeLock(std::optional<DatabaseLock>& lock)
{
    if (!database_.IsOpen()) {
        ShowFailure(sink_, "Нет соединения с базой данных");
        return false;
    }
    auto taken = DatabaseLock::Take(SaveLockFileOf(database_.databasePath), DatabaseLock::Mode::Exclusive, lockWait);
    if (!taken) {
        ShowFailure(sink_, taken.failure().text);
        return false;
    }
    lock = std::move(*taken);
    return true;
}

bool EditingSession::WriteTables(const SaveScope& scope)
{
    switch (scope.tables) {
    case SaveScope::Tables::MainWindow:
        return database_.SaveDatabase(working_);
    case SaveScope::Tables::OneTier:
        return database_.SaveTierDatabase(scope.tier, working_);
    case SaveScope::Tables::Everything:
        return database_.SaveWholeDatabase(working_);
    }
    return false;
}

void EditingSession::WriteSources(const tarnekArrayStruct& model, SaveReport& report)
{
    if (auto fit = CheckConfigurationForSources(model); !fit) {
        ShowFailure(sink_, fit.failure().text + " Исходники плагина не записаны.");
        return;
    }
    // Both are attempted even when the first fails, as in every save.
    report.baseHeader = writer_.WriteBaseHeader(model, sink_);
    report.skillsInclude = writer_.WriteSkillsInclude(model, sink_);
}

// The second half of every save, inside the write transaction and under the lock: the
// tables, what they now hold (so that "unsaved" compares with the file and not with a
// guess), the commit and then the sources.
SaveReport EditingSession::Finish(const SaveScope& scope, std::optional<DatabaseLock>& lock)
{
    SaveReport report;
    // A configuration read from a database that another program wrote may hold what the
    // editor never lets in; it is mended before anything of it is stored again.
    if (auto admitted = CheckConfigurationForSaving(working_); !admitted) {
        database_.RollbackWrite();
        ShowFailure(sink_, admitted.failure().text + " Сохранение отменено, ничего не изменено.");
        return report;
    }
    std::optional<tarnekArrayStruct> written;
    if (!WriteTables(scope) || !(written = ReadDatabase())) {
        database_.RollbackWrite();
        return report;
    }
    // A run killed between the commit and the last source leaves the mark for the next.
    if (scope.sources && !lock->SetPendingMark(AddedMark(lock->PendingMark(), SourcesMark(*written)))) {
        database_.RollbackWrite();
        ShowFailure(sink_, "Не удалось отметить начатое сохранение в " +
                               SaveLockFileOf(database_.databasePath).string() + ": ничего не сохранено.");
        return report;
    }
    if (!database_.CommitWrite()) {
        lock->ClearPending();
        return report;
    }
    stored_ = std::move(*written);
    RememberDataVersion();
    AnnounceStored();
    report.outcome = SaveOutcome::Saved;
    report.database = true;
    if (scope.sources) {
        WriteSources(scope.sourcesFromStored ? stored_ : working_, report);
        if (report.baseHeader && report.skillsInclude)
            lock->ClearPending();
    }
    lock.reset();
    return report;
}

// The lock file, then the database's write lock: from here until the commit, what is read
// is what this save writes over.
bool EditingSession::BeginLockedWrite(std::optional<DatabaseLock>& lock)
{
    if (!TakeLock(lock))
        return false;
    try {
        database_.BeginWrite();
    } catch (const DatabaseError& e) {
        ShowFailure(sink_, e.what());
        return false;
    }
    return true;
}

SaveReport EditingSession::Save(SaveScope scope, OnConflict onConflict)
{
    std::optional<DatabaseLock> lock;
    if (!BeginLockedWrite(lock))
        return {};
    if (onConflict == OnConflict::Refuse) {
        const std::optional<tarnekArrayStruct> now = ReadDatabase();
        if (!now || !StoredAs(*now, stored_)) {
            database_.RollbackWrite();
            // The window decides whether to take theirs.
            return {now ? SaveOutcome::Conflict : SaveOutcome::Failed};
        }
    }
    return Finish(scope, lock);
}

SaveReport EditingSession::Update(SaveScope scope, const std::function<bool(EditingSession&)>& change)
{
    std::optional<DatabaseLock> lock;
    if (!BeginLockedWrite(lock))
        return {};
    if (!ReadStored()) {
        database_.RollbackWrite();
        return {};
    }
    TakeStored();
    if (!change(*this)) {
        database_.RollbackWrite();
        return {};
    }
    return Finish(scope, lock);
}

bool EditingSession::WriteStoredSources()
{
    std::optional<DatabaseLock> lock;
    if (!TakeLock(lock) || !Reload())
        return false;
    SaveReport report;
    WriteSources(working_, report);
    const bool written = report.baseHeader && report.skillsInclude;
    if (written)
        lock->ClearPending();
    return written;
}
