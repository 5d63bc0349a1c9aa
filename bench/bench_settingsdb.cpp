#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <SQLiteCpp/Database.h>

#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "session/EditingSession.h"
#include "settingsdb/Statements.h"
#include "settingsdb/vloxBuildTarnekStruct.h"
#include "tests/support/InitialConfiguration.h"

namespace fs = std::filesystem;

namespace {

class CountingSink final : public MessageSink {
public:
    void Show(const Message&) override { ++count; }
    int count = 0;
};

tarnekArrayStruct ModelWithLevels(int levels)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = std::to_string(levels);
    RecomputeAllLists(model);
    return model;
}

// A fresh folder with the carried database and a tarnek/ folder, as the current directory,
// on the same disk as the build (a RAM-backed /tmp would hide the cost of flushing).
class BenchFolder final {
public:
    BenchFolder() : previous_(fs::current_path())
    {
        std::string pattern = (previous_ / "bench-settingsdb-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        path_ = pattern;
        fs::current_path(path_);
        fs::create_directory("tarnek");
    }
    ~BenchFolder()
    {
        std::error_code ec;
        fs::current_path(previous_, ec);
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    bool ok() const { return !path_.empty(); }

private:
    fs::path previous_;
    fs::path path_;
};

void BM_LoadAll(benchmark::State& state)
{
    BenchFolder folder;
    CountingSink sink;
    vloxBuildTarnekStruct db(sink);
    if (!folder.ok() || !db.OpenDatabase()) {
        state.SkipWithError("no database");
        return;
    }
    for (auto _ : state) {
        tarnekArrayStruct model;
        db.LoadAll(model);
        benchmark::DoNotOptimize(model);
    }
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMicrosecond);

// Opening an existing database at 100 levels, its integrity check included.
void BM_OpenDatabase(benchmark::State& state)
{
    BenchFolder folder;
    CountingSink sink;
    vloxBuildTarnekStruct db(sink);
    if (!folder.ok() || !db.OpenDatabase() || !db.SaveWholeDatabase(ModelWithLevels(100))) {
        state.SkipWithError("no database");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(db.OpenDatabase());
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMicrosecond);

// The database part of the main window's save: one transaction, bound values.
void BM_SaveDatabase(benchmark::State& state)
{
    BenchFolder folder;
    CountingSink sink;
    vloxBuildTarnekStruct db(sink);
    const tarnekArrayStruct model = ModelWithLevels(static_cast<int>(state.range(0)));
    if (!folder.ok() || !db.OpenDatabase()) {
        state.SkipWithError("no database");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(db.SaveDatabase(model));
    if (sink.count != 0)
        state.SkipWithError("a save failed");
}
BENCHMARK(BM_SaveDatabase)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// An editing session on a fresh folder's carried database.
// A session on a fresh folder; the benchmark is skipped when there is none.
struct OpenedSession {
    explicit OpenedSession(benchmark::State& state)
    {
        if (!ok)
            state.SkipWithError("no database");
    }
    BenchFolder folder;
    CountingSink sink;
    EditingSession session{sink};
    bool ok = folder.ok() && session.Open();
};

// The window's save through the editing session: lock file, write lock, the check that
// nobody else saved, the tables, their read-back, the commit and both plugin sources.
void BM_SessionSave(benchmark::State& state)
{
    OpenedSession opened(state);
    if (!opened.ok)
        return;
    EditingSession& session = opened.session;
    session.Replace(ModelWithLevels(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(session.Save(SaveScope::MainWindow()));
    if (opened.sink.count != 0)
        state.SkipWithError("a save failed");
}
BENCHMARK(BM_SessionSave)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// A level change in the session without any save: all 31 lists recomputed and the edit
// that undo keeps; then its undo and redo.
void BM_SessionLevelChange(benchmark::State& state)
{
    OpenedSession opened(state);
    if (!opened.ok)
        return;
    EditingSession& session = opened.session;
    const std::string count = std::to_string(state.range(0));
    for (auto _ : state) {
        ConfigurationEdit edit = session.ChangeLevelCount({{&tarnekArrayStruct::levelCountText, count}});
        state.PauseTiming();
        session.Revert(edit);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SessionLevelChange)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_SessionUndoRedoLevelChange(benchmark::State& state)
{
    OpenedSession opened(state);
    if (!opened.ok)
        return;
    EditingSession& session = opened.session;
    const ConfigurationEdit edit =
        session.ChangeLevelCount({{&tarnekArrayStruct::levelCountText, std::to_string(state.range(0))}});
    for (auto _ : state) {
        session.Revert(edit);
        session.Apply(edit);
    }
}
BENCHMARK(BM_SessionUndoRedoLevelChange)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

std::string Pasted(const std::string& value)
{
    return "'" + value + "'";
}

// For comparison: the database part saved one autocommitted statement at a time with the
// values written into the statement text, each statement its own transaction and flush.
void BM_SaveDatabaseStatementByStatement(benchmark::State& state)
{
    BenchFolder folder;
    CountingSink sink;
    vloxBuildTarnekStruct extractor(sink);
    const tarnekArrayStruct model = ModelWithLevels(static_cast<int>(state.range(0)));
    if (!folder.ok() || !extractor.OpenDatabase()) {
        state.SkipWithError("no database");
        return;
    }
    extractor.CloseDatabase();
    SQLite::Database db(extractor.databasePath, SQLite::OPEN_READWRITE);
    for (auto _ : state) {
        std::vector<LevelTableLayout> layouts;
        for (const LevelTableDescriptor& table : LevelTables()) {
            layouts.push_back(LayoutOf(table.tier));
            db.exec(DeleteAllRowsText(table.table));
        }
        std::vector<const std::string*> values;
        for (const LevelTableLayout& layout : layouts) {
            const std::vector<std::string_view> columns = layout.Columns();
            std::string head = "INSERT INTO " + QuoteName(layout.table->table) + " (";
            for (std::size_t i = 0; i < columns.size(); ++i)
                head += (i > 0 ? "," : "") + QuoteName(columns[i]);
            head += ") VALUES (";
            for (std::size_t row = 0; row < layout.RowCount(model); ++row) {
                std::string text = head + Pasted(FormatInteger(static_cast<std::int32_t>(row)));
                layout.RowValues(model, row, values);
                for (const std::string* value : values)
                    text += "," + Pasted(*value);
                db.exec(text + ");");
            }
        }
        for (const ParameterWrite& write : ParameterWritesOf(Tier::Xp, model))
            db.exec("UPDATE " + QuoteName(write.table) + " SET " + QuoteName(write.column) + " = " +
                    Pasted(write.value) + ";");
    }
}
BENCHMARK(BM_SaveDatabaseStatementByStatement)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
